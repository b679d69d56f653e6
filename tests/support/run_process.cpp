// SPDX-License-Identifier: MIT
#include "run_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <poll.h>
#include <utility>

extern char **environ;

namespace ovaline::test {
namespace {

// Starts the program with its standard output (and standard error, when
// asked) going into a pipe, or its standard error into `errorFile`; the pid,
// or -1. `output` is the pipe's read end.
pid_t spawnWithPipe(const std::string &program, const std::vector<std::string> &args,
                    bool withErrors, int &output, const std::string &errorFile = {}) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    if (withErrors)
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
    else if (!errorFile.empty())
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorFile.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);

    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (std::string &arg : all)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int spawned =
        ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned != 0) {
        ::close(pipeFds[0]);
        return -1;
    }
    output = pipeFds[0];
    return pid;
}

} // namespace

ProcessResult runProcess(const std::string &program, const std::vector<std::string> &args) {
    ProcessResult result;
    int output = -1;
    const pid_t pid = spawnWithPipe(program, args, true, output);
    if (pid > 0) {
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(output, buffer, sizeof buffer)) > 0)
            result.output.append(buffer, static_cast<std::size_t>(n));
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (WIFEXITED(status))
            result.exitCode = WEXITSTATUS(status);
        ::close(output);
    }
    return result;
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0)
        stop(SIGKILL);
}

bool ChildProcess::launch(const std::string &program, const std::vector<std::string> &args,
                          const std::string &errorFile) {
    firstLine_.clear();
    partLine_.clear();
    pid_ = spawnWithPipe(program, args, false, output_, errorFile);
    return pid_ > 0;
}

bool ChildProcess::start(const std::string &program, const std::vector<std::string> &args,
                         double seconds, const std::string &errorFile) {
    return launch(program, args, errorFile) && readLine(firstLine_, seconds);
}

bool ChildProcess::readLine(std::string &line, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                              std::chrono::duration<double>(seconds));
    while (partLine_.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{output_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(std::max<long>(left.count(), 0))) <= 0)
            return false;
        char c;
        if (::read(output_, &c, 1) != 1)
            return false;
        partLine_ += c;
    }
    line = partLine_.substr(0, partLine_.find('\n'));
    partLine_.erase(0, line.size() + 1);
    return true;
}

int ChildProcess::stop(int signal) {
    return stop(signal, -1);
}

int ChildProcess::stop(int signal, double seconds) {
    if (pid_ <= 0)
        return -1;
    const int ended = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
    ::kill(pid_, signal);
    bool inTime = true;
    if (seconds >= 0 && ended >= 0) {
        pollfd p{ended, POLLIN, 0};
        inTime = ::poll(&p, 1, static_cast<int>(seconds * 1000)) == 1;
        if (!inTime)
            ::kill(pid_, SIGKILL);
    }
    if (ended >= 0)
        ::close(ended);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    laterOutput_ = std::exchange(partLine_, {});
    if (output_ >= 0) {
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(output_, buffer, sizeof buffer)) > 0)
            laterOutput_.append(buffer, static_cast<std::size_t>(n));
        ::close(output_);
    }
    output_ = -1;
    if (!inTime)
        return kNotEnded;
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return WIFSIGNALED(status) ? -WTERMSIG(status) : -1;
}

std::string startUnit(ChildProcess &unit, const std::string &program,
                      const std::vector<std::string> &args, const std::string &errorFile) {
    std::vector<std::string> all{"--pty"};
    all.insert(all.end(), args.begin(), args.end());
    if (!unit.start(program, all, 10.0, errorFile) || unit.firstLine().rfind("PORT ", 0) != 0)
        return {};
    return unit.firstLine().substr(5);
}

} // namespace ovaline::test
