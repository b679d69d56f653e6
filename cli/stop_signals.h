// Ctrl-C and SIGTERM for a command that runs until stopped: the signals are
// held back while it works and taken only where stopping leaves everything
// whole (no half-written file, no exchange cut short).
#pragma once

#include <chrono>

namespace ovaline::cli {

class StopSignals {
public:
    // Holds SIGINT and SIGTERM back in this thread and the threads it starts
    // from now on.
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals &) = delete;
    StopSignals &operator=(const StopSignals &) = delete;

    // Waits up to `period`; true as soon as a stop signal is taken.
    bool waitFor(std::chrono::milliseconds period);
    // True when a stop signal is waiting; takes it.
    bool pending() { return waitFor(std::chrono::milliseconds(0)); }
    // The signal taken (SIGINT or SIGTERM), 0 before any.
    int taken() const { return taken_; }
    // The usual exit status after that signal: 130 or 143.
    int exitStatus() const { return 128 + taken_; }

private:
    int taken_ = 0;
};

} // namespace ovaline::cli
