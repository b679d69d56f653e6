// SPDX-License-Identifier: MIT
// Figures of the device library on the in-memory line:
//   wire_efficiency         picture bytes over all bytes on the line (both
//                           directions) in a receive of a 65,535-byte picture
//   transfer_vs_line_limit  wall time of that receive at 115,200 bit/s, at the
//                           line's real pace, over 65,535 x 10 / 115,200 s
#include "counting_line.h"
#include "host_session.h"
#include "jpeg_padding.h"
#include "memory_line.h"
#include "ovaline.h"
#include "scoped_env.h"
#include "temp_dir.h"
#include "traffic.h"
#include "unit_server.h"
#include "virtual_unit.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

using namespace ovaline;

double wireEfficiency(const std::vector<std::uint8_t> &picture) {
    emu::VirtualUnit unit(emu::VirtualUnit::Options{"VIHN", 1.0, {}, {}});
    unit.store(5, picture);
    auto [host, unitEnd] = MemoryLine::open(std::chrono::nanoseconds(0));
    std::atomic<bool> stop{false};
    std::thread server([&, end = unitEnd.get()] {
        UnitServer(*end, unit).serve([&] { return stop.load(); }, std::chrono::milliseconds(20));
    });
    CountingLine counted(*host);
    std::vector<std::uint8_t> buffer(OVALINE_MAX_IMAGE);
    const std::uint8_t frame[7] = {OVALINE_STX, 'T', 'R', '0', '0', '5', OVALINE_ETX};
    const std::int32_t code =
        HostSession(counted).receive(frame, buffer.data(), OVALINE_MAX_IMAGE, {});
    stop = true;
    host.reset();
    server.join();
    if (code != 0 || buffer != picture) {
        std::fprintf(stderr, "wire_efficiency: the receive failed (%d)\n", code);
        return 0;
    }
    return static_cast<double>(picture.size()) / static_cast<double>(counted.bytes);
}

double transferVsLineLimit(const std::vector<std::uint8_t> &picture) {
    test::TempDir folder;
    test::ScopedEnv env;
    env.set("OVALINE_VIRTUAL_DIR", folder.str()).set("OVALINE_VIRTUAL_SPEED", "1000");
    env.unset("OVALINE_VIRTUAL_FAULTS").unset("OVALINE_VIRTUAL_MODEL");
    OvalineSetPortName(1, "virtual");
    if (test::sendSlot(5, picture).code != 0) {
        std::fprintf(stderr, "transfer_vs_line_limit: could not fill the slot\n");
        return 0;
    }
    env.set("OVALINE_VIRTUAL_SPEED", "1");
    const auto start = std::chrono::steady_clock::now();
    const test::TransferResult received = test::receiveSlot(5);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (received.code != 0 || received.bytes != picture) {
        std::fprintf(stderr, "transfer_vs_line_limit: the receive failed (%d)\n", received.code);
        return 0;
    }
    return seconds / (65535.0 * 10.0 / 115200.0);
}

} // namespace

int main() {
    const auto picture = test::padJpeg(test::testPicture(640, 480, 2), OVALINE_MAX_IMAGE);
    std::printf("wire_efficiency: %.4f\n", wireEfficiency(picture));
    std::fflush(stdout);
    std::printf("transfer_vs_line_limit: %.4f\n", transferVsLineLimit(picture));
    return 0;
}
