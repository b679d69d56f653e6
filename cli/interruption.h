// SPDX-License-Identifier: MIT
// Ctrl-C (SIGINT) and SIGTERM always end ovaline-cli, with 128 + the
// signal's number. During an exchange or a wait for the next poll, the
// exchange is cancelled first and the program ends once it has; anywhere
// else (a file that does not answer, output nobody reads) the signal ends
// the program at once, removing the file it was writing.
#pragma once

#include <chrono>

namespace ovaline::cli {

// Catches the two signals from here on.
void catchInterruptions();

// The signal caught so far, or 0.
int interruption();

// While one lives, a signal is only recorded (and wakes
// waitForInterruption): the code under it sees interruption() and ends
// what it does. When the last one goes, a signal recorded ends the program.
class DeferredInterruptions {
public:
    DeferredInterruptions();
    ~DeferredInterruptions();
    DeferredInterruptions(const DeferredInterruptions &) = delete;
    DeferredInterruptions &operator=(const DeferredInterruptions &) = delete;
};

// Waits up to `timeout` for one of the signals; true once one has come.
bool waitForInterruption(std::chrono::milliseconds timeout);

// The file a signal removes as it ends the program (nullptr: none). The
// text must stay in place until it is forgotten again.
void removeOnInterruption(const char *path);

// Says so on standard error and ends the program with 128 + the signal.
[[noreturn]] void endInterrupted();

} // namespace ovaline::cli
