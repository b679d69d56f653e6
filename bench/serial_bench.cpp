// SPDX-License-Identifier: MIT
// Figures of the library over real serial I/O, against ovaline-unit on a
// pseudo-terminal pacing the line at 115,200 bit/s in real time:
//   serial_transfer_vs_line_limit  wall time of a 65,535-byte receive over
//                                  65,535 x 10 / 115,200 s
//   serial_retransmit_cost_1e-4    the same receive with one byte in 10,000
//                                  damaged, over the clean time
#include "jpeg_padding.h"
#include "run_process.h"
#include "temp_dir.h"
#include "traffic.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>

namespace {

using namespace ovaline;

constexpr int kRuns = 3;

bool startUnit(test::ChildProcess &unit, const std::vector<std::string> &args) {
    const std::string path = test::startUnit(unit, OVALINE_UNIT_PATH, args);
    return !path.empty() && OvalineSetPortName(1, path.c_str()) == 0;
}

// Median wall time of receives of slot 5, or 0 when one fails.
double receiveSeconds(const std::vector<std::uint8_t> &picture) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const test::TransferResult received = test::receiveSlot(5);
        times.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (received.code != 0 || received.bytes != picture) {
            std::fprintf(stderr, "serial_bench: a receive failed (%d)\n", received.code);
            return 0;
        }
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main() {
    test::TempDir folder;
    const auto picture = test::padJpeg(test::testPicture(640, 480, 2), OVALINE_MAX_IMAGE);
    test::ChildProcess unit;
    if (!startUnit(unit, {"--speed", "1000", "--dir", folder.str()}) ||
        test::sendSlot(5, picture).code != 0) {
        std::fprintf(stderr, "serial_bench: could not fill the slot\n");
        return 1;
    }
    unit.stop(SIGTERM);

    if (!startUnit(unit, {"--speed", "1", "--dir", folder.str()}))
        return 1;
    const double clean = receiveSeconds(picture);
    unit.stop(SIGTERM);
    std::printf("serial_transfer_vs_line_limit: %.4f\n", clean / (65535.0 * 10.0 / 115200.0));
    std::fflush(stdout);

    if (!startUnit(unit, {"--speed", "1", "--dir", folder.str(), "--faults", "flip=1e-4,seed=3"}))
        return 1;
    const double damaged = receiveSeconds(picture);
    unit.stop(SIGTERM);
    std::printf("serial_retransmit_cost_1e-4: %.4f\n", clean > 0 ? damaged / clean : 0.0);
    return clean > 0 && damaged > 0 ? 0 : 1;
}
