// SPDX-License-Identifier: MIT
// Which exchange runs on which record, so that OvalineCancel can reach it
// from any thread.
#pragma once

#include "open_line.h"
#include "ovaline.h"

namespace ovaline {

// Registered for the length of one OvalineTraffic call on a record.
class RunningExchange {
public:
    // Takes a cancel that came after the caller set busy but before the
    // call began.
    explicit RunningExchange(const TrafficBlock *block);
    ~RunningExchange();
    RunningExchange(const RunningExchange &) = delete;
    RunningExchange &operator=(const RunningExchange &) = delete;

    // The open line of the exchange, which a cancel interrupts (at once, if
    // the cancel came earlier). Detach before the line closes.
    void attach(OpenLine &line);
    void detach();

    bool cancelled() const;

private:
    const TrafficBlock *block_;
    OpenLine *line_ = nullptr;
    bool cancelled_ = false;

    friend bool cancelExchange(const TrafficBlock *block);
};

// Cancels the exchange running on `block`, or about to start on it (busy
// is 1). False when there is none.
bool cancelExchange(const TrafficBlock *block);

} // namespace ovaline
