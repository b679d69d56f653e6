// SPDX-License-Identifier: MIT
// ovaline-cli interrupted in the middle of a receive from ovaline-unit, on
// a terminal of its own as a user runs it: Ctrl-C typed there, or SIGTERM.
#include "run_process.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <optional>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ovaline::test {
namespace {

using Clock = std::chrono::steady_clock;

// A program whose terminal is a pseudo-terminal that the test holds.
class OnTerminal {
public:
    OnTerminal(const OnTerminal &) = delete;
    OnTerminal &operator=(const OnTerminal &) = delete;
    OnTerminal(const std::string &program, std::vector<std::string> args) {
        args.insert(args.begin(), program);
        std::vector<char *> argv;
        for (std::string &arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        pid_ = ::forkpty(&terminal_, nullptr, nullptr, nullptr);
        if (pid_ == 0) {
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
    }
    ~OnTerminal() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (terminal_ >= 0)
            ::close(terminal_);
    }

    // Reads what the program writes until `text` has appeared.
    bool waitFor(const std::string &text, std::chrono::seconds limit) {
        return readUntil(terminal_, shown_, text, Clock::now() + limit);
    }
    void type(char c) { [[maybe_unused]] const ssize_t n = ::write(terminal_, &c, 1); }
    void signal(int number) { ::kill(pid_, number); }
    // The exit status once the program has ended (minus the signal that
    // killed it); nothing if it has not ended within the limit.
    std::optional<int> exitStatus(std::chrono::seconds limit) {
        const auto deadline = Clock::now() + limit;
        int status = 0;
        while (::waitpid(pid_, &status, WNOHANG) != pid_) {
            if (Clock::now() > deadline)
                return std::nullopt;
            waitFor("\n", std::chrono::seconds(1)); // keeps the terminal drained
        }
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    }

private:
    int terminal_ = -1;
    pid_t pid_ = -1;
    std::string shown_;
};

TEST(CliSignals, CtrlCAndSigtermCancelTheReceiveLeaveNoFileAndTheUnitAnswersAtOnce) {
    // SIGKILL leaves no time to tell the unit: the next command makes it drop the picture.
    TempDir work;
    ChildProcess unit;
    const std::string port = startUnit(unit, OVALINE_UNIT_PATH,
                                       {"--speed", "1", "--dir", (work.path() / "cam").string()});
    ASSERT_FALSE(port.empty());
    const auto out = work.path() / "out";
    const std::vector<std::string> receive{"--device", port, "--baud", "9600",
                                           "receive",  "1",  "-o",     out.string()};
    for (const int interrupt : {SIGINT, SIGTERM, SIGKILL}) {
        OnTerminal cli(OVALINE_CLI_PATH, receive);
        // The progress line shows once picture bytes are crossing.
        ASSERT_TRUE(cli.waitFor("Receiving slot 1: ", std::chrono::seconds(20)));
        if (interrupt == SIGINT)
            cli.type('\x03');
        else
            cli.signal(interrupt);
        EXPECT_EQ(cli.exitStatus(std::chrono::seconds(5)),
                  interrupt == SIGKILL ? -SIGKILL : 128 + interrupt);
        EXPECT_FALSE(std::filesystem::exists(out / "slot1.jpg"));

        const ProcessResult map =
            runProcess(OVALINE_CLI_PATH, {"--device", port, "--baud", "9600", "map"});
        EXPECT_EQ(map.exitCode, 0) << map.output;
    }
    EXPECT_EQ(unit.stop(SIGTERM), 0);
}

} // namespace
} // namespace ovaline::test
