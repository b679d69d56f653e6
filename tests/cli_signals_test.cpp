// SPDX-License-Identifier: MIT
// ovaline-cli interrupted and in the way of hangs, on a terminal of its own
// as a user runs it: Ctrl-C typed there, SIGTERM and SIGKILL in the middle
// of a transfer with ovaline-unit, FIFOs where pictures go, output that
// nobody reads, and what a killed run leaves behind.
#include "jpeg_padding.h"
#include "on_terminal.h"
#include "run_process.h"
#include "scoped_env.h"
#include "temp_dir.h"
#include "traffic.h"
#include "wait_for.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace ovaline::test {
namespace {

// Runs the command on a terminal and interrupts it once `shown` appears:
// Ctrl-C typed for SIGINT, the signal itself otherwise. Its exit status.
std::optional<int> interruptWhenShown(const Command &command, const std::string &shown,
                                      int interrupt) {
    OnTerminal cli(command.program, command.args);
    if (!cli.waitFor(shown, std::chrono::seconds(20)))
        return std::nullopt;
    if (interrupt == SIGINT)
        cli.type('\x03');
    else
        cli.signal(interrupt);
    return cli.exitStatus(std::chrono::seconds(5));
}

// A killed client cannot end its exclusive access to the port; the unit ends
// it when the client's descriptor closes, as a real port is freed at its
// last close. Waits for that on `line`, a descriptor of the port held since
// before the client started (a new one would be a close of its own).
bool freedAfterKill(int line) {
    return waitFor([line] {
        int exclusive = 1;
        return ::ioctl(line, TIOCGEXCL, &exclusive) == 0 && exclusive == 0;
    });
}

class CliSignals : public ::testing::Test {
protected:
    // ovaline-unit at the line's real pace, as an ordinary user runs it,
    // keeping the camera in `work` (made the user's to write in); `line` is
    // held open on its port until the end.
    void startUnitAsUser() {
        ASSERT_EQ(::chmod(work.str().c_str(), 0777), 0);
        const Command command =
            asUser({OVALINE_UNIT_PATH, {"--speed", "1", "--dir", (work.path() / "cam").string()}});
        port = startUnit(unit, command.program, command.args);
        ASSERT_FALSE(port.empty()) << "ovaline-unit did not start";
        line = ::open(port.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(line, 0);
    }
    void TearDown() override {
        if (line >= 0)
            ::close(line);
        if (unit.running()) {
            EXPECT_EQ(unit.stop(SIGTERM), 0);
        }
    }

    // ovaline-cli on the unit's port at 9,600 bit/s, as an ordinary user runs it.
    Command cliAsUser(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--device", port, "--baud", "9600"});
        return asUser({OVALINE_CLI_PATH, std::move(args)});
    }

    // The next command after an interruption, as an ordinary user: the port
    // opens (exclusive access ended) and the camera answers within one
    // command's attempts (it dropped the transfer or drops it now).
    void expectTheNextCommandWorks(int interrupt) const {
        if (interrupt == SIGKILL) {
            ASSERT_TRUE(freedAfterKill(line)) << "the port stays closed to ordinary users";
        }
        const Command map = cliAsUser({"map"});
        const ProcessResult r = runProcess(map.program, map.args);
        EXPECT_EQ(r.exitCode, 0) << "after signal " << interrupt << ": " << r.output;
    }

    TempDir work;
    ChildProcess unit;
    std::string port;
    int line = -1;
};

TEST_F(CliSignals, CtrlCAndSigtermCancelTheReceiveLeaveNoFileAndTheUnitAnswersAtOnce) {
    // SIGKILL leaves no time to tell the unit: the next command makes it drop the picture.
    startUnitAsUser();
    const auto out = work.path() / "out";
    for (const int interrupt : {SIGINT, SIGTERM, SIGKILL}) {
        // The progress line shows once picture bytes are crossing.
        EXPECT_EQ(interruptWhenShown(cliAsUser({"receive", "1", "-o", out.string()}),
                                     "Receiving slot 1: ", interrupt),
                  interrupt == SIGKILL ? -SIGKILL : 128 + interrupt);
        EXPECT_FALSE(std::filesystem::exists(out / "slot1.jpg"));
        expectTheNextCommandWorks(interrupt);
    }
}

TEST_F(CliSignals, AnInterruptedSendLeavesTheCameraListening) {
    startUnitAsUser();
    const auto picture = work.path() / "picture.jpg";
    const std::vector<std::uint8_t> bytes = padJpeg(testPicture(640, 480, 3), OVALINE_MAX_IMAGE);
    std::ofstream(picture, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    for (const int interrupt : {SIGINT, SIGKILL}) {
        EXPECT_EQ(
            interruptWhenShown(cliAsUser({"send", picture.string(), "5"}), "bytes (", interrupt),
            interrupt == SIGKILL ? -SIGKILL : 128 + interrupt);
        // Within the four attempts of one command: the camera is not still
        // busy with blocks queued for it.
        expectTheNextCommandWorks(interrupt);
    }
}

// Runs ovaline-cli on a terminal: its exit status, if it ends within 5 s,
// and what it said.
std::pair<std::optional<int>, std::string> runBounded(const std::vector<std::string> &args) {
    OnTerminal cli(OVALINE_CLI_PATH, args);
    const std::optional<int> status = cli.exitStatus(std::chrono::seconds(5));
    return {status, cli.shown()};
}

TEST_F(CliSignals, WhatIsNoRegularFileIsRefusedBeforeTheLineIsUsed) {
    const auto out = work.path() / "out";
    std::filesystem::create_directories(out / "slot2.jpg");
    ASSERT_EQ(::mkfifo((out / "slot1.jpg").c_str(), 0644), 0);
    ASSERT_EQ(::mkfifo((work.path() / "fifo.jpg").c_str(), 0644), 0);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = (out / "slot3.jpg").string();
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);

    // A device that does not exist: had the line been used first, the
    // message would be that it does not open.
    const std::vector<std::string> device{"--device", (work.path() / "no-port").string()};
    const struct {
        std::vector<std::string> args;
        std::string says;
    } cases[] = {
        {{"receive", "--all", "--new", "-o", out.string()}, "slot1.jpg is a FIFO"},
        {{"watch", "-o", out.string()}, "slot1.jpg is a FIFO"},
        {{"send", (work.path() / "fifo.jpg").string(), "1"}, "fifo.jpg is a FIFO"},
        {{"receive", "2", "-o", out.string(), "--overwrite"}, "slot2.jpg is a folder"},
        {{"receive", "3", "-o", out.string()}, "slot3.jpg is a socket"},
    };
    for (const auto &c : cases) {
        std::vector<std::string> args = device;
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto [status, said] = runBounded(args);
        EXPECT_EQ(status, 3) << c.args[0] << ": " << said;
        EXPECT_NE(said.find(c.says), std::string::npos) << said;
        EXPECT_EQ(said.find("Failed to open COM"), std::string::npos) << said;
    }
    ::close(sock);
}

TEST_F(CliSignals, ASignalEndsTheProgramEvenWhileItsOutputIsNotRead) {
    int output[2];
    ASSERT_EQ(::pipe(output), 0);
    // A full pipe: the program's first line of output blocks.
    ::fcntl(output[1], F_SETPIPE_SZ, 4096);
    ::fcntl(output[1], F_SETFL, O_NONBLOCK);
    const std::string filler(4096, 'x');
    while (::write(output[1], filler.data(), filler.size()) > 0) {
    }
    ::fcntl(output[1], F_SETFL, 0);

    ScopedEnv env;
    env.set("OVALINE_VIRTUAL_DIR", work.str()).set("OVALINE_VIRTUAL_SPEED", "1000");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    std::string program = OVALINE_CLI_PATH;
    std::vector<std::string> args{program, "--device", "virtual", "--baud", "115200", "map"};
    std::vector<char *> argv;
    for (std::string &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);

    // Wait until it is stuck writing.
    const auto blocked = [pid] {
        std::ifstream wchan("/proc/" + std::to_string(pid) + "/wchan");
        std::string where;
        return std::getline(wchan, where) && where.find("pipe_write") != std::string::npos;
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!blocked() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(blocked()) << "the map did not reach its output";

    ::kill(pid, SIGTERM);
    int status = 0;
    pid_t ended = 0;
    const auto ends = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while ((ended = ::waitpid(pid, &status, WNOHANG)) == 0 &&
           std::chrono::steady_clock::now() < ends)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (ended == 0) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
    }
    ::close(output[0]);
    ::close(output[1]);
    ASSERT_NE(ended, 0) << "SIGTERM did not end a program blocked on its output";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGTERM);
}

TEST_F(CliSignals, WhatAKilledRunLeftIsRemovedAndAFileBeingWrittenIsNot) {
    ScopedEnv env;
    env.set("OVALINE_VIRTUAL_DIR", (work.path() / "cam").string())
        .set("OVALINE_VIRTUAL_SPEED", "1000")
        .unset("OVALINE_VIRTUAL_FAULTS");
    const auto out = work.path() / "out";
    std::filesystem::create_directories(out);
    // A run killed an hour ago, and a run that is writing now (it holds its
    // file's lock), both at the moment of writing.
    const auto stale = out / "slot1.jpg.Ab12Cd";
    const auto live = out / "slot2.jpg.Zz9Yy8";
    std::ofstream(stale) << "half a picture";
    std::ofstream(live) << "half a picture";
    const timeval anHourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimes(stale.c_str(), anHourAgo), 0);
    ASSERT_EQ(::utimes(live.c_str(), anHourAgo), 0);
    const int writer = ::open(live.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(writer, LOCK_EX), 0);

    const ProcessResult r = runProcess(OVALINE_CLI_PATH, {"--device", "virtual", "--baud", "115200",
                                                          "receive", "3", "-o", out.string()});
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(live));
    EXPECT_TRUE(std::filesystem::exists(out / "slot3.jpg"));
    ::close(writer);
}

} // namespace
} // namespace ovaline::test
