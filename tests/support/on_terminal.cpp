// SPDX-License-Identifier: MIT
#include "on_terminal.h"

#include <csignal>
#include <poll.h>
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
    const auto deadline = Clock::now() + limit;
    while (shown_.find(text) == std::string::npos) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd p{terminal_, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            return false;
        char buffer[256];
        const ssize_t n = ::read(terminal_, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        shown_.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
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
