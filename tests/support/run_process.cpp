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

// Reads what `fd` has into `into`, waiting for it until the deadline; false
// when nothing came by then or the writer has gone.
bool readMore(int fd, std::string &into, std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd p{fd, POLLIN, 0};
    if (fd < 0 || ::poll(&p, 1, static_cast<int>(std::max<long>(left.count(), 0))) <= 0)
        return false;
    char buffer[4096];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0)
        return false;
    into.append(buffer, static_cast<std::size_t>(n));
    return true;
}

std::chrono::steady_clock::time_point deadlineIn(double seconds) {
    return std::chrono::steady_clock::now() +
           std::chrono::duration_cast<std::chrono::steady_clock::duration>(
               std::chrono::duration<double>(seconds));
}

} // namespace

Command asUser(Command command) {
    if (::geteuid() != 0)
        return command;
    command.args.insert(command.args.begin(), {"--reuid=65534", "--regid=65534", "--clear-groups",
                                               "--", command.program});
    command.program = "/usr/bin/setpriv";
    return command;
}

bool readUntil(int fd, std::string &into, const std::string &text,
               std::chrono::steady_clock::time_point deadline) {
    while (into.find(text) == std::string::npos)
        if (!readMore(fd, into, deadline))
            return false;
    return true;
}

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
    laterOutput_.clear();
    linesTaken_ = 0;
    pid_ = spawnWithPipe(program, args, false, output_, errorFile);
    return pid_ > 0;
}

bool ChildProcess::start(const std::string &program, const std::vector<std::string> &args,
                         double seconds, const std::string &errorFile) {
    if (!launch(program, args, errorFile))
        return false;
    std::string printed;
    if (!readUntil(output_, printed, "\n", deadlineIn(seconds)))
        return false;
    const std::size_t end = printed.find('\n');
    firstLine_ = printed.substr(0, end);
    laterOutput_ = printed.substr(end + 1);
    return true;
}

bool ChildProcess::waitForOutput(const std::string &text, double seconds) {
    return readUntil(output_, laterOutput_, text, deadlineIn(seconds));
}

bool ChildProcess::readLine(std::string &line, double seconds) {
    const auto deadline = deadlineIn(seconds);
    std::size_t end;
    while ((end = laterOutput_.find('\n', linesTaken_)) == std::string::npos)
        if (!readMore(output_, laterOutput_, deadline))
            return false;
    line = laterOutput_.substr(linesTaken_, end - linesTaken_);
    linesTaken_ = end + 1;
    return true;
}

int ChildProcess::stop(int signal) {
    if (pid_ <= 0)
        return -1;
    ::kill(pid_, signal);
    return wait();
}

int ChildProcess::stop(int signal, double seconds) {
    if (pid_ <= 0)
        return -1;
    const int ended = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
    ::kill(pid_, signal);
    bool inTime = true;
    if (ended >= 0) {
        pollfd p{ended, POLLIN, 0};
        inTime = ::poll(&p, 1, static_cast<int>(seconds * 1000)) == 1;
        ::close(ended);
        if (!inTime)
            ::kill(pid_, SIGKILL);
    }
    const int status = wait();
    return inTime ? status : kNotEnded;
}

int ChildProcess::wait() {
    if (pid_ <= 0)
        return -1;
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    if (output_ >= 0) {
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(output_, buffer, sizeof buffer)) > 0)
            laterOutput_.append(buffer, static_cast<std::size_t>(n));
        ::close(output_);
    }
    output_ = -1;
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return WIFSIGNALED(status) ? -WTERMSIG(status) : -1;
}

std::string startUnit(ChildProcess &unit, const std::string &program,
                      const std::vector<std::string> &args, const std::string &errorFile) {
    // Last, so that the program may be a wrapper that runs ovaline-unit.
    std::vector<std::string> all = args;
    all.push_back("--pty");
    if (!unit.start(program, all, 10.0, errorFile) || unit.firstLine().rfind("PORT ", 0) != 0)
        return {};
    return unit.firstLine().substr(5);
}

} // namespace ovaline::test
