// SPDX-License-Identifier: MIT
// Signals and hangs: a termination signal ends the program promptly with
// its settings written, whatever it is doing (a receive, a message box
// waiting for an answer, a file read stuck in a file system that does not
// answer), and a folder that stops answering never holds up the window.
#include "app_fixture.h"
#include "my_view.h"
#include "progress_status_bar.h"
#include "run_process.h"
#include "slow_folder.h"
#include "traffic.h"
#include "unit_state.h"
#include "unit_store.h"

#include <QFile>
#include <QTest>

#include <chrono>
#include <csignal>
#include <fstream>

namespace ovaline::test {
namespace {

namespace fs = std::filesystem;

using Quit = AppTest;

// Longest a program may take to end after a signal before it counts as
// hanging: far above the moment it takes, far below the 20 s of a hung read.
constexpr double kEndsWithinSeconds = 5.0;

// A picture of the virtual camera's size, which the lower pane loads.
void writePicture(const fs::path &path, int seed) {
    const std::vector<std::uint8_t> jpeg = testPicture(640, 480, seed);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(jpeg.data()), std::streamsize(jpeg.size()));
}

TEST_F(Quit, ASignalInTheMiddleOfAReceiveEndsTheProgramAtOnceWithItsSettingsWritten) {
    const auto camera = folder.path() / "own-camera";
    env.set("OVALINE_VIRTUAL_DIR", camera.string())
        .set("OVALINE_VIRTUAL_SPEED", "1") // 9,600 bit/s: a picture takes a minute
        .set("QT_QPA_PLATFORM", "offscreen");
    for (const int signal : {SIGTERM, SIGINT}) {
        QFile::remove(profilePath);
        ChildProcess program;
        ASSERT_TRUE(program.start(
            OVALINE_WATCHED_PROGRAM_PATH,
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

TEST_F(Quit, ASignalEndsTheProgramWhileAMessageBoxWaitsForAnAnswer) {
    // On an X server, where the box need not belong to the main window (no
    // window is active without a window manager), as a user meets it.
    ChildProcess xServer;
    if (!xServer.start("/usr/bin/Xvfb", {"-displayfd", "1", "-nolisten", "tcp"}, 20.0))
        GTEST_SKIP() << "no X server (Xvfb) to show the box on";
    // No camera at start: "Failed to connect" waits for its OK.
    env.set("DISPLAY", ":" + xServer.firstLine())
        .set("QT_QPA_PLATFORM", "xcb")
        .set("OVALINE_COM1", (folder.path() / "ttyUSB0").string());
    ChildProcess program;
    ASSERT_TRUE(program.start(OVALINE_WATCHED_PROGRAM_PATH,
                              {"--profile", profilePath.toStdString()}, 30.0));
    ASSERT_EQ(program.firstLine(), "BOX");
    EXPECT_EQ(program.stop(SIGTERM, kEndsWithinSeconds), 0);
    EXPECT_EQ(profileValue("MAIN_WND/WIDTH").toInt(), 640) << "the settings are written";
}

TEST_F(Quit, ASignalEndsTheProgramWhileAFileReadHangs) {
    if (!SlowFolder::available())
        GTEST_SKIP() << "no /dev/fuse here: a file system that hangs cannot be made";
    const fs::path share = folder.path() / "share";
    fs::create_directories(share);
    writePicture(share / "hang.jpg", 1);
    SlowFolder hung;
    const fs::path mounted = folder.path() / "mounted";
    ASSERT_EQ(hung.mount(share, mounted, SlowFolder::Options::hanging("read")), "");
    env.set("QT_QPA_PLATFORM", "offscreen");
    ChildProcess program;
    ASSERT_TRUE(program.launch(OVALINE_PROGRAM_PATH, {"--virtual", "--nosplash", "--profile",
                                                      profilePath.toStdString(), mounted}));
    // The lower pane's load pass reads the file, for 20 s.
    ASSERT_TRUE(hung.waitFor("HANG hang.jpg read", 20));
    EXPECT_EQ(program.stop(SIGTERM, kEndsWithinSeconds), 0);
    EXPECT_EQ(profileValue("MAIN_WND/WIDTH").toInt(), 640) << "the settings are written";
}

TEST_F(Quit, RefreshOfAFolderThatStopsAnsweringLeavesTheWindowAnswering) {
    if (!SlowFolder::available())
        GTEST_SKIP() << "no /dev/fuse here: a file system that hangs cannot be made";
    const fs::path share = folder.path() / "share";
    fs::create_directories(share);
    writePicture(share / "a.jpg", 1);
    SlowFolder hung;
    const fs::path mounted = folder.path() / "mounted";
    ASSERT_EQ(hung.mount(share, mounted, SlowFolder::Options::hanging("stat")), "");
    start({"--virtual", QString::fromStdString(mounted.string())});
    const auto *view = static_cast<app::CMyView *>(app().m_pThumbView);
    ASSERT_TRUE(waitUntil([&] {
        return app().m_nFiles == 1 && !app().m_bFolderChanged && !doc().IsListing() &&
               !view->IsLoading();
    }));

    // The share stops answering for one file; Refresh lists it.
    writePicture(share / "hang.jpg", 2);
    QTest::keyClick(&frame(), Qt::Key_F5);
    ASSERT_TRUE(hung.waitFor("HANG hang.jpg stat", 10));
    int ticks = 0;
    QTimer clock;
    QObject::connect(&clock, &QTimer::timeout, [&ticks] { ++ticks; });
    clock.start(10);
    EXPECT_TRUE(waitUntil([&ticks] { return ticks >= 5; }));
    EXPECT_FALSE(hung.waitFor("DONE", 0)) << "the window waited for the file system";
    // Meanwhile the pane keeps what it showed and says what is going on.
    EXPECT_EQ(app().m_nFiles, 1);
    EXPECT_EQ(frame().GetStatusBar()->GetPaneText(app::CProgressStatusBar::kMessagePane),
              "Now File Reading");
}

} // namespace
} // namespace ovaline::test
