// What watching the unit costs the line:
//   watch_line_share  time of one poll of ovaline-cli watch (the stamp query,
//                     nothing changed) at 9,600 bit/s on the virtual line in
//                     real time, over its default period of 2 seconds
#include "scoped_env.h"
#include "slot_prints.h"
#include "temp_dir.h"
#include "unit_client.h"

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
    const cli::UnitClient unit(1, 9600);
    std::int32_t code = 0;
    cli::queryStamp(unit, code); // wakes the camera: its first pictures are drawn
    constexpr int kPolls = 10;
    constexpr double kPeriod = 2.0;
    double busy = 0;
    for (int i = 0; i < kPolls && code == 0; ++i) {
        const auto start = std::chrono::steady_clock::now();
        cli::queryStamp(unit, code);
        busy += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    if (code != 0) {
        std::fprintf(stderr, "watch_bench: the poll failed (%d)\n", code);
        return 1;
    }
    std::printf("watch_line_share: %.4f\n", busy / kPolls / kPeriod);
    return 0;
}
