// SPDX-License-Identifier: MIT
// Which exchange runs on which record, so that OvalineCancel can reach it
// from any thread.
#pragma once

#include "open_line.h"
#include "ovaline.h"

#include <cstdint>
#include <vector>

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

    // Keeps a copy of a picture's first `length` bytes, whole and final, as
    // the receive under way learns them, for readers on other threads.
    void publishPrefix(const std::uint8_t *picture, std::uint32_t length);

private:
    const TrafficBlock *block_;
    OpenLine *line_ = nullptr;
    bool cancelled_ = false;
    std::vector<std::uint8_t> prefix_;

    friend bool cancelExchange(const TrafficBlock *block);

    // Copies at most `size` of the picture bytes published so far by the
    // exchange on `block`; returns their count, or -1 when none runs on it.
    std::int32_t copyReceivedPrefix(const TrafficBlock *block, std::uint8_t *buffer,
                                    std::uint32_t size);
    friend std::int32_t copyReceivedPrefix(const TrafficBlock *block, std::uint8_t *buffer,
                                           std::uint32_t size);
};

// Cancels the exchange running on `block`, or about to start on it (busy
// is 1). False when there is none.
bool cancelExchange(const TrafficBlock *block);

// Copies at most `size` of the picture bytes published so far by the
// exchange on `block`; returns their count, or -1 when none runs on it.
std::int32_t copyReceivedPrefix(const TrafficBlock *block, std::uint8_t *buffer,
                                std::uint32_t size);

} // namespace ovaline
