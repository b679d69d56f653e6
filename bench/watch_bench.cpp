// SPDX-License-Identifier: MIT
// What watching the unit costs the line, at 9,600 bit/s on the virtual line
// in real time, with nothing changing:
//   watch_line_share  time the bytes of ovaline-cli watch's polls take on the
//                     line (both ways), over the default period of 2 seconds
//   watch_poll_s      wall time of one poll, from the port's opening to its
//                     closing
#include "scoped_env.h"
#include "slot_prints.h"
#include "temp_dir.h"
#include "unit_client.h"
#include "unit_state.h"
#include "unit_store.h"

#include <chrono>
#include <cstdio>

int main() {
    using namespace ovaline;
    test::TempDir folder;
    test::ScopedEnv env;
    env.set("OVALINE_VIRTUAL_DIR", folder.str())
        .set("OVALINE_VIRTUAL_SPEED", "1")
        .unset("OVALINE_VIRTUAL_FAULTS")
        .unset("OVALINE_VIRTUAL_MODEL");
    OvalineSetPortName(1, "virtual");
    constexpr std::uint32_t kRate = 9600;
    const cli::UnitClient unit(1, kRate);
    std::int32_t code = 0;
    cli::queryStamp(unit, code); // wakes the camera: its first pictures are drawn
    const auto lineBytes = [&] {
        emu::UnitState state;
        emu::UnitStore(folder.path()).load(state);
        return state.lineBytes;
    };
    const std::uint64_t bytesBefore = lineBytes();
    constexpr int kPolls = 10;
    constexpr double kPeriod = 2.0;
    double wall = 0;
    for (int i = 0; i < kPolls && code == 0; ++i) {
        const auto start = std::chrono::steady_clock::now();
        cli::queryStamp(unit, code);
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    if (code != 0) {
        std::fprintf(stderr, "watch_bench: the poll failed (%d)\n", code);
        return 1;
    }
    const double lineSeconds = static_cast<double>(lineBytes() - bytesBefore) * 10.0 / kRate;
    std::printf("watch_line_share: %.4f\n", lineSeconds / kPolls / kPeriod);
    std::printf("watch_poll_s: %.4f\n", wall / kPolls);
    return 0;
}
