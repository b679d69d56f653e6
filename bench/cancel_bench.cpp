// SPDX-License-Identifier: MIT
// Figures of a cancel, at 9,600 bit/s and the line's real pace (medians of
// five runs):
//   cancel_latency_ms            from OvalineCancel, in the data phase of a
//                                receive on the in-memory line to the
//                                virtual camera, to the return of
//                                OvalineTraffic
//   camera_ready_after_receive_cancel_ms
//                                from that return to the end of a
//                                successful "QS" exchange
//   camera_ready_after_cancel_ms the same after a send to ovaline-unit on a
//                                pseudo-terminal, cancelled as Ctrl-C
//                                cancels it in ovaline-cli
//   camera_ready_after_kill_ms   from the end of an ovaline-cli send that
//                                SIGKILL ended in its data phase to the end
//                                of a successful "QS" exchange
#include "jpeg_padding.h"
#include "median.h"
#include "on_terminal.h"
#include "ovaline.h"
#include "run_process.h"
#include "scoped_env.h"
#include "temp_dir.h"
#include "traffic.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <vector>

using ovaline::test::median;

namespace {

using namespace ovaline;
using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

constexpr int kRuns = 5;
constexpr std::uint32_t kRate = 9600;

// Milliseconds from `from` to the end of the first "QS" exchange that
// succeeds; -1 when the camera stays deaf for 30 s.
double readyAfter(Clock::time_point from) {
    while (test::command("QS", '0', "  ", 1, kRate).code != 0)
        if (Clock::now() - from > std::chrono::seconds(30))
            return -1;
    return Ms(Clock::now() - from).count();
}

bool receiveFigures(const test::TempDir &folder, const std::vector<std::uint8_t> &picture) {
    test::ScopedEnv env;
    env.set("OVALINE_VIRTUAL_DIR", folder.str()).set("OVALINE_VIRTUAL_SPEED", "1000");
    env.unset("OVALINE_VIRTUAL_FAULTS").unset("OVALINE_VIRTUAL_MODEL");
    OvalineSetPortName(1, "virtual");
    if (test::sendSlot(5, picture).code != 0) {
        std::fprintf(stderr, "cancel_bench: could not fill the slot\n");
        return false;
    }
    env.set("OVALINE_VIRTUAL_SPEED", "1");

    std::vector<double> latencies, readiness;
    std::vector<std::uint8_t> buffer(OVALINE_MAX_IMAGE);
    for (int run = 0; run < kRuns; ++run) {
        test::AlignedBlock record;
        record.block = test::makeBlock(1, kRate, "TR", '0', "05", buffer.data(), OVALINE_MAX_IMAGE);
        const test::CancelOutcome outcome = test::cancelInDataPhase(record.block);
        const double ready = readyAfter(outcome.returned);
        if (outcome.code != OVALINE_CANCELLED || ready < 0) {
            std::fprintf(stderr, "cancel_bench: a receive's cancel gave %d\n", outcome.code);
            return false;
        }
        latencies.push_back(Ms(outcome.latency).count());
        readiness.push_back(ready);
    }
    std::printf("cancel_latency_ms: %.1f\n", median(latencies));
    std::printf("camera_ready_after_receive_cancel_ms: %.1f\n", median(readiness));
    std::fflush(stdout);
    return true;
}

bool sendFigures(const test::TempDir &folder, const std::vector<std::uint8_t> &picture) {
    test::ChildProcess unit;
    const std::string port = test::startUnit(
        unit, OVALINE_UNIT_PATH, {"--speed", "1", "--dir", (folder.path() / "unit").string()});
    if (port.empty() || OvalineSetPortName(1, port.c_str()) != 0) {
        std::fprintf(stderr, "cancel_bench: ovaline-unit did not start\n");
        return false;
    }
    std::vector<double> cancelled;
    for (int run = 0; run < kRuns; ++run) {
        std::vector<std::uint8_t> copy = picture;
        test::AlignedBlock record;
        record.block = test::makeBlock(1, kRate, "TR", '1', "05", copy.data(),
                                       static_cast<std::uint32_t>(copy.size()));
        const test::CancelOutcome outcome = test::cancelInDataPhase(record.block);
        cancelled.push_back(readyAfter(outcome.returned));
        if (outcome.code != OVALINE_CANCELLED || cancelled.back() < 0) {
            std::fprintf(stderr, "cancel_bench: a send's cancel gave %d\n", outcome.code);
            return false;
        }
    }
    std::printf("camera_ready_after_cancel_ms: %.1f\n", median(cancelled));
    std::fflush(stdout);

    const auto file = folder.path() / "picture.jpg";
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char *>(picture.data()),
               static_cast<std::streamsize>(picture.size()));
    std::vector<double> killed;
    for (int run = 0; run < kRuns; ++run) {
        test::OnTerminal cli(OVALINE_CLI_PATH, {"--device", port, "--baud", std::to_string(kRate),
                                                "send", file.string(), "5"});
        // Some blocks in: a progress line that counts bytes held.
        if (!cli.waitFor("bytes (", std::chrono::seconds(30)) ||
            !cli.waitFor("\r", std::chrono::seconds(30))) {
            std::fprintf(stderr, "cancel_bench: the send did not start: %s\n", cli.shown().c_str());
            return false;
        }
        cli.signal(SIGKILL);
        cli.exitStatus(std::chrono::seconds(5));
        killed.push_back(readyAfter(Clock::now()));
        if (killed.back() < 0) {
            std::fprintf(stderr, "cancel_bench: the camera stayed deaf after SIGKILL\n");
            return false;
        }
    }
    std::printf("camera_ready_after_kill_ms: %.1f\n", median(killed));
    OvalineSetPortName(1, nullptr);
    return unit.stop(SIGTERM) == 0;
}

} // namespace

int main() {
    test::TempDir folder;
    const auto picture = test::padJpeg(test::testPicture(640, 480, 2), OVALINE_MAX_IMAGE);
    const bool received = receiveFigures(folder, picture);
    return received && sendFigures(folder, picture) ? 0 : 1;
}
