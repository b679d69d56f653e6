// SPDX-License-Identifier: MIT
// When the bytes written to a port will all have crossed the line at its
// rate. A port that takes bytes far faster than the line it stands for (a
// pseudo-terminal, or Wine's COM port on one) would otherwise seem idle too
// soon, and an answer would be timed from too early.
#pragma once

#include "transport.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace ovaline {

class LineClock {
public:
    explicit LineClock(std::chrono::nanoseconds byteTime) : byteTime_(byteTime) {}

    void wrote(std::size_t bytes) {
        freeAt_ = std::max(freeAt_, Clock::now()) + byteTime_ * static_cast<std::int64_t>(bytes);
    }
    // What was written and not yet on the line was dropped.
    void dropped() { freeAt_ = Clock::now(); }

    // Bytes written that are still crossing the line.
    std::size_t onLine() const {
        const auto ahead = freeAt_ - Clock::now();
        return ahead > Clock::duration::zero() ? static_cast<std::size_t>(ahead / byteTime_) : 0;
    }

private:
    std::chrono::nanoseconds byteTime_;
    TimePoint freeAt_{};
};

} // namespace ovaline
