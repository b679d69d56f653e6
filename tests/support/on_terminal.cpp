// SPDX-License-Identifier: MIT
#include "on_terminal.h"

#include "run_process.h"

#include <csignal>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ovaline::test {

using Clock = std::chrono::steady_clock;

OnTerminal::OnTerminal(const std::string &program, std::vector<std::string> args) {
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

OnTerminal::~OnTerminal() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    if (terminal_ >= 0)
        ::close(terminal_);
}

bool OnTerminal::waitFor(const std::string &text, std::chrono::seconds limit) {
    return readUntil(terminal_, shown_, text, Clock::now() + limit);
}

void OnTerminal::type(char c) {
    [[maybe_unused]] const ssize_t n = ::write(terminal_, &c, 1);
}

void OnTerminal::signal(int number) {
    ::kill(pid_, number);
}

std::optional<int> OnTerminal::exitStatus(std::chrono::seconds limit) {
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

} // namespace ovaline::test
