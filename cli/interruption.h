// SPDX-License-Identifier: MIT
// Ctrl-C (SIGINT) and SIGTERM: the exchange under way is cancelled, no file
// is left of it, and the program ends with 128 + the signal's number.
#pragma once

#include <chrono>

namespace ovaline::cli {

// Catches the two signals from here on.
void catchInterruptions();

// The signal caught so far, or 0.
int interruption();

// Waits up to `timeout` for one of the signals; true once one has come.
bool waitForInterruption(std::chrono::milliseconds timeout);

// Says so on standard error and ends the program with 128 + the signal.
[[noreturn]] void endInterrupted();

} // namespace ovaline::cli
