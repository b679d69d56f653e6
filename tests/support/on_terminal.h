// SPDX-License-Identifier: MIT
// A program whose terminal is a pseudo-terminal that the caller holds, as a
// user runs it: what it shows there can be waited for, and keys typed.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace ovaline::test {

class OnTerminal {
public:
    OnTerminal(const std::string &program, std::vector<std::string> args);
    OnTerminal(const OnTerminal &) = delete;
    OnTerminal &operator=(const OnTerminal &) = delete;
    ~OnTerminal();

    // Reads what the program writes until `text` has appeared.
    bool waitFor(const std::string &text, std::chrono::seconds limit);
    void type(char c);
    void signal(int number);
    // The exit status once the program has ended (minus the signal that
    // killed it); nothing if it has not ended within the limit.
    std::optional<int> exitStatus(std::chrono::seconds limit);
    // Everything the program has shown so far.
    const std::string &shown() const { return shown_; }

private:
    int terminal_ = -1;
    int pid_ = -1;
    std::string shown_;
};

} // namespace ovaline::test
