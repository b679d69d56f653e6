// SPDX-License-Identifier: MIT
// Start-up, the connection check, the settings and the ways to end.
#include "app_fixture.h"
#include "pane_view.h"
#include "resource_ids.h"
#include "run_process.h"

#include <QAction>
#include <QFile>
#include <QTest>
#include <QWindow>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace ovaline::test {
namespace {

const QString kNoUnit = "Failed to connect to the main unit.\n Please set up correctly.";

using Startup = AppTest;

TEST_F(Startup, WithoutAProfileTheDefaultsAreUsedAndWrittenAtExit) {
    start();
    EXPECT_EQ(app().m_nPort, 1);
    EXPECT_EQ(app().m_nBaudIndex, 2);
    EXPECT_EQ(app().m_nUnitModel, 2);
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(frame().windowTitle(), "Ovaline");
    stop();
    EXPECT_EQ(profileValue("COM_PORT/COM").toInt(), 1);
    EXPECT_EQ(profileValue("COM_SPEED/SPEED").toInt(), 2);
    EXPECT_EQ(profileValue("MAIN_WND/WIDTH").toInt(), 640);
    EXPECT_EQ(profileValue("MAIN_WND/HEIGHT").toInt(), 480);
}

TEST_F(Startup, AnUnpluggedUnitIsReportedOnceAfterTheWindowIsUp) {
    unplug();
    bool windowWasVisible = false;
    boxes.onMessage(
        [&](const app::MessageBoxRequest &) { windowWasVisible = frame().isVisible(); });
    start({});
    EXPECT_EQ(boxes.texts(), QStringList({kNoUnit}));
    EXPECT_EQ(boxes.shown()[0].icon, QMessageBox::Information);
    EXPECT_TRUE(windowWasVisible);
    // Showing the window again runs no second check.
    frame().hide();
    frame().show();
    ASSERT_TRUE(waitUntil([this] { return frame().windowHandle()->isExposed(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.shown().size(), 1u);

    for (int id : {res::ID_TRANSFER_RECEIVE, res::ID_FILE_SAVE_IMAGE, res::ID_REMOTE,
                   res::ID_FILE_OPEN_FOLDER})
        EXPECT_FALSE(frame().GetAction(id)->isEnabled()) << id;
    for (int id : {res::ID_SETUP, res::ID_APP_ABOUT, res::ID_APP_EXIT})
        EXPECT_TRUE(frame().GetAction(id)->isEnabled()) << id;
}

TEST_F(Startup, TheProfileNamesThePortTheRateAndThePortsDevices) {
    writeProfile("[COM_PORT]\nCOM=3\n[COM_SPEED]\nSPEED=5\n[PORTS]\nCOM3=virtual\n");
    start({});
    EXPECT_EQ(app().m_nPort, 3);
    EXPECT_EQ(app().m_nBaudIndex, 5);
    EXPECT_EQ(app().m_nUnitModel, 2);
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(Startup, OutOfRangeSettingsFallBackToTheDefaults) {
    writeProfile("[COM_PORT]\nCOM=9\n[COM_SPEED]\nSPEED=-3\n[MAIN_WND]\nWIDTH=-5\n");
    start();
    EXPECT_EQ(app().m_nPort, 1);
    EXPECT_EQ(app().m_nBaudIndex, 2);
    EXPECT_EQ(frame().frameGeometry().width(), 640);
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(Startup, ACorruptProfileIsKeptAndTheProgramStartsOnTheDefaults) {
    const QByteArray garbage("\x7f"
                             "ELF\x02\x01\x01\x00 garbage\n",
                             16);
    writeProfile(QString::fromLatin1(garbage));
    start();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(boxes.texts()[0].contains("Ovaline.ini.corrupt"));
    EXPECT_EQ(app().m_nPort, 1);
    EXPECT_TRUE(QFile::exists(profilePath + ".corrupt"));
    stop();
    EXPECT_EQ(profileValue("COM_PORT/COM").toInt(), 1);
}

TEST_F(Startup, AProfileThatCannotBeWrittenIsReportedAtExit) {
    writeProfile("[COM_PORT]\nCOM=2\n");
    const QString realProfile = profilePath;
    profilePath += "/Ovaline.ini"; // under a file: the folder cannot be made
    start();
    stop();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(boxes.texts()[0].startsWith("Unable to write the settings file"));
    QFile kept(realProfile);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "[COM_PORT]\nCOM=2\n");
}

TEST_F(Startup, ExitAsksFirstAndNoKeepsTheProgramRunning) {
    start();
    boxes.answerNext(QMessageBox::No);
    frame().GetAction(res::ID_APP_EXIT)->trigger();
    ASSERT_EQ(boxes.texts(), QStringList({"Program Exit?"}));
    EXPECT_EQ(boxes.shown()[0].icon, QMessageBox::Question);
    EXPECT_EQ(boxes.shown()[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(frame().isVisible());

    boxes.answerNext(QMessageBox::Yes);
    frame().GetAction(res::ID_APP_EXIT)->trigger();
    EXPECT_FALSE(frame().isVisible());
    stop();
    EXPECT_EQ(profileValue("MAIN_WND/WIDTH").toInt(), 640);
}

TEST_F(Startup, ReleasingEscAnywhereIsNoticedPressingIsNot) {
    start();
    QTest::keyPress(app().m_pThumbView, Qt::Key_Escape);
    EXPECT_EQ(app().m_bEscPressed, 0);
    QTest::keyRelease(app().m_pThumbView, Qt::Key_Escape);
    EXPECT_EQ(app().m_bEscPressed, 1);
}

TEST_F(Startup, TerminationClosesTheWindowAsItsCloseBoxDoes) {
    start();
    std::raise(SIGTERM);
    EXPECT_TRUE(waitUntil([this] { return !frame().isVisible(); }));
    EXPECT_TRUE(boxes.shown().empty());
}

// The program itself, as a process, with its standard error in a file.
class ProgramProcess {
public:
    ProgramProcess(const std::vector<std::string> &options, const std::string &errors) {
        const std::string program = OVALINE_PROGRAM_PATH;
        std::vector<std::string> args{program};
        args.insert(args.end(), options.begin(), options.end());
        std::vector<char *> argv;
        for (std::string &arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errors.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        started_ =
            ::posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
    }
    bool started() const { return started_; }
    // Sends SIGTERM and waits for the end; the exit status, or -1.
    int terminate() {
        ::kill(pid_, SIGTERM);
        int status = 0;
        if (!waitUntil([&] { return ::waitpid(pid_, &status, WNOHANG) == pid_; }))
            return -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = 0;
    bool started_ = false;
};

// SIGTERM ends the program with its settings saved.
TEST_F(Startup, TheProgramEndsOnSigtermWithItsSettingsWritten) {
    const auto camera = folder.path() / "own-camera";
    env.set("OVALINE_VIRTUAL_DIR", camera.string()).set("QT_QPA_PLATFORM", "offscreen");
    ProgramProcess program({"--virtual", "--nosplash", "--profile", profilePath.toStdString()},
                           (folder.path() / "errors").string());
    ASSERT_TRUE(program.started());
    // The camera comes to life at the program's first idle check.
    const bool checked = waitUntil([&] { return std::filesystem::exists(camera); });
    EXPECT_EQ(program.terminate(), 0);
    EXPECT_TRUE(checked);
    EXPECT_EQ(profileValue("COM_PORT/COM").toInt(), 1);
    EXPECT_EQ(profileValue("COM_SPEED/SPEED").toInt(), 2);
    EXPECT_EQ(profileValue("MAIN_WND/WIDTH").toInt(), 640);
}

// Ended by a signal, the program has no one to answer a message box: a
// profile it cannot write is reported on standard error.
TEST_F(Startup, AfterASignalAProfileThatCannotBeWrittenIsReportedOnStandardError) {
    writeProfile("[COM_PORT]\nCOM=2\n");
    env.set("OVALINE_VIRTUAL_DIR", (folder.path() / "own-camera").string())
        .set("QT_QPA_PLATFORM", "offscreen");
    const auto errors = folder.path() / "errors";
    // Under a file: the profile's folder cannot be made.
    ProgramProcess program(
        {"--virtual", "--nosplash", "--profile", profilePath.toStdString() + "/Ovaline.ini"},
        errors.string());
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(waitUntil([&] { return std::filesystem::exists(folder.path() / "own-camera"); }));
    EXPECT_EQ(program.terminate(), 0);
    std::ifstream in(errors);
    const std::string said{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(said.find("ovaline: Unable to write the settings file"), std::string::npos) << said;
}

// The options are read before anything needs a display.
TEST(StartupOptions, HelpVersionAndMistakesNeedNoDisplay) {
    ScopedEnv env;
    env.unset("DISPLAY").unset("WAYLAND_DISPLAY").unset("QT_QPA_PLATFORM");
    ProcessResult r = runProcess(OVALINE_PROGRAM_PATH, {"--help"});
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("Usage: ovaline [options]"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("--virtual"), std::string::npos) << r.output;
    r = runProcess(OVALINE_PROGRAM_PATH, {"--version"});
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(r.output, "Ovaline 2.0\n");
    r = runProcess(OVALINE_PROGRAM_PATH, {"-platform", "offscreen", "-style=Fusion", "--version"});
    EXPECT_EQ(r.exitCode, 0) << "Qt's own options are left to Qt: " << r.output;
    for (const std::vector<std::string> &wrong :
         {std::vector<std::string>{"--bogus"}, {"--profile"}, {"one-folder", "two"}}) {
        r = runProcess(OVALINE_PROGRAM_PATH, wrong);
        EXPECT_EQ(r.exitCode, 2) << r.output;
        EXPECT_EQ(r.output.rfind("ovaline: ", 0), 0u) << r.output;
    }
}

} // namespace
} // namespace ovaline::test
