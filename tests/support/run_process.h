// SPDX-License-Identifier: MIT
// Runs a program and collects what it prints, for tests of command-line tools.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace ovaline::test {

struct ProcessResult {
    int exitCode = -1;  // -1 when it did not exit normally
    std::string output; // standard output and standard error together
};

ProcessResult runProcess(const std::string &program, const std::vector<std::string> &args);

// A program and its arguments.
struct Command {
    std::string program;
    std::vector<std::string> args;
};

// The command as an ordinary user runs it: where the test is root (who
// passes where others are refused), as nobody through setpriv.
Command asUser(Command command);

// Reads what `fd` gives into `into` until `text` has appeared in it; false at
// the deadline or at the end of what it gives.
bool readUntil(int fd, std::string &into, const std::string &text,
               std::chrono::steady_clock::time_point deadline);

} // namespace ovaline::test

namespace ovaline::test {

// A program left running while a test talks to it, such as ovaline-unit.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;
    ~ChildProcess();

    // Starts the program and waits up to `seconds` for the first line it
    // prints; false if it could not start or printed nothing. Its standard
    // error goes to `errorFile` when one is named.
    bool start(const std::string &program, const std::vector<std::string> &args, double seconds,
               const std::string &errorFile = {});
    // Starts the program without waiting for it to print anything.
    bool launch(const std::string &program, const std::vector<std::string> &args,
                const std::string &errorFile = {});
    const std::string &firstLine() const { return firstLine_; }
    // Waits up to `seconds` for the next line the program prints after those
    // already taken (without its line end); false when none came.
    bool readLine(std::string &line, double seconds);

    // Reads what the program prints until `text` has appeared, for up to
    // `seconds`; false when it did not.
    bool waitForOutput(const std::string &text, double seconds);
    // Sends the signal and waits for the end; the exit code, or -signal.
    int stop(int signal);
    // The same, waiting up to `seconds`: a program that has not ended by
    // then is killed, and kNotEnded returned.
    int stop(int signal, double seconds);
    static constexpr int kNotEnded = -1000;
    // Waits for the program to end by itself; the exit code, or -signal.
    int wait();
    // What the program printed after its first line: so far, and all of it
    // once it has stopped.
    const std::string &laterOutput() const { return laterOutput_; }
    bool running() const { return pid_ > 0; }

private:
    int pid_ = -1;
    int output_ = -1;
    std::string firstLine_;
    std::string laterOutput_;
    std::size_t linesTaken_ = 0; // how much of laterOutput_ readLine has taken
};

// Starts ovaline-unit on a pseudo-terminal and returns the path to open.
std::string startUnit(ChildProcess &unit, const std::string &program,
                      const std::vector<std::string> &args, const std::string &errorFile = {});

} // namespace ovaline::test
