// SPDX-License-Identifier: MIT
// The program, as a process, quits promptly in the middle of a receive: a
// termination signal cancels the picture under way, and the settings are
// written as on any exit.
#include "app_fixture.h"
#include "run_process.h"
#include "unit_state.h"
#include "unit_store.h"

#include <QFile>

#include <chrono>
#include <csignal>

namespace ovaline::test {
namespace {

using Quit = AppTest;

TEST_F(Quit, ASignalInTheMiddleOfAReceiveEndsTheProgramAtOnceWithItsSettingsWritten) {
    const auto camera = folder.path() / "own-camera";
    env.set("OVALINE_VIRTUAL_DIR", camera.string())
        .set("OVALINE_VIRTUAL_SPEED", "1") // 9,600 bit/s: a picture takes a minute
        .set("QT_QPA_PLATFORM", "offscreen");
    for (const int signal : {SIGTERM, SIGINT}) {
        QFile::remove(profilePath);
        ChildProcess program;
        ASSERT_TRUE(program.start(
            OVALINE_RECEIVING_PROGRAM_PATH,
            {"--virtual", "--nosplash", "--profile", profilePath.toStdString()}, 30.0));
        ASSERT_EQ(program.firstLine(), "BUSY");
        emu::UnitState before;
        ASSERT_TRUE(emu::UnitStore(camera).load(before));

        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(program.stop(signal), 0) << "signal " << signal;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1))
            << "signal " << signal;

        EXPECT_EQ(profileValue("COM_SPEED/SPEED").toInt(), 2);
        EXPECT_EQ(profileValue("MAIN_WND/WIDTH").toInt(), 640);
        emu::UnitState after;
        ASSERT_TRUE(emu::UnitStore(camera).load(after));
        EXPECT_EQ(after.memory[0].jpeg, before.memory[0].jpeg);
    }
}

} // namespace
} // namespace ovaline::test
