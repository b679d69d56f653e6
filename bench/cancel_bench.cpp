// SPDX-License-Identifier: MIT
// Figures of a cancel on the in-memory line to the virtual camera, at
// 9,600 bit/s and the line's real pace (median of five receives):
//   cancel_latency_ms            from OvalineCancel, in the data phase of a
//                                receive, to the return of OvalineTraffic
//   camera_ready_after_cancel_ms from that return to the end of a
//                                successful "QS" exchange
#include "jpeg_padding.h"
#include "median.h"
#include "ovaline.h"
#include "scoped_env.h"
#include "temp_dir.h"
#include "traffic.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using ovaline::test::median;

namespace {

using namespace ovaline;
using Ms = std::chrono::duration<double, std::milli>;

} // namespace

int main() {
    test::TempDir folder;
    test::ScopedEnv env;
    env.set("OVALINE_VIRTUAL_DIR", folder.str()).set("OVALINE_VIRTUAL_SPEED", "1000");
    env.unset("OVALINE_VIRTUAL_FAULTS").unset("OVALINE_VIRTUAL_MODEL");
    OvalineSetPortName(1, "virtual");
    const auto picture = test::padJpeg(test::testPicture(640, 480, 2), OVALINE_MAX_IMAGE);
    if (test::sendSlot(5, picture).code != 0) {
        std::fprintf(stderr, "cancel_bench: could not fill the slot\n");
        return 1;
    }
    env.set("OVALINE_VIRTUAL_SPEED", "1");

    std::vector<double> latencies, readiness;
    std::vector<std::uint8_t> buffer(OVALINE_MAX_IMAGE);
    for (int run = 0; run < 5; ++run) {
        test::AlignedBlock record;
        record.block = test::makeBlock(1, 9600, "TR", '0', "05", buffer.data(), OVALINE_MAX_IMAGE);
        const test::CancelOutcome outcome = test::cancelInDataPhase(record.block);
        const std::int32_t ready = test::command("QS", '0', "  ", 1, 9600).code;
        const auto readyAt = std::chrono::steady_clock::now();
        if (outcome.code != OVALINE_CANCELLED || ready != 0) {
            std::fprintf(stderr, "cancel_bench: cancel gave %d, the next exchange %d\n",
                         outcome.code, ready);
            return 1;
        }
        latencies.push_back(Ms(outcome.latency).count());
        readiness.push_back(Ms(readyAt - outcome.returned).count());
    }
    std::printf("cancel_latency_ms: %.1f\n", median(latencies));
    std::printf("camera_ready_after_cancel_ms: %.1f\n", median(readiness));
    return 0;
}
