// SPDX-License-Identifier: MIT
// Time-outs of the protocol, derived from the line rate: every wait is the
// time its bytes take on the line, three times over, plus a fixed allowance
// for the peer's and the operating system's reaction.
#pragma once

#include "transport.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ovaline {

class LinkTiming {
public:
    explicit LinkTiming(std::chrono::nanoseconds byteTime) : byteTime_(byteTime) {}

    static constexpr std::chrono::milliseconds kReaction{200};
    static constexpr std::chrono::milliseconds kCtsWait{500};

    std::chrono::nanoseconds byteTime() const { return byteTime_; }

    std::chrono::nanoseconds lineTime(std::size_t bytes) const {
        return byteTime_ * static_cast<std::int64_t>(bytes);
    }

    // How long to wait for an answer of `bytes` after our own `queued` bytes
    // (still in the output queue) have gone out.
    TimePoint answerDeadline(std::size_t queued, std::size_t bytes) const {
        return Clock::now() + lineTime(queued) + 3 * lineTime(bytes) + kReaction;
    }

    // How long a write may wait for room in an output queue of `queue`
    // bytes before the line counts as stuck.
    TimePoint writeDeadline(std::size_t bytes, std::size_t queue = 4096) const {
        return Clock::now() + 3 * lineTime(queue + bytes) + kReaction;
    }

private:
    std::chrono::nanoseconds byteTime_;
};

// Writes bytes whole, allowing the time the line needs for them; false when
// the line would not take them.
inline bool writeTimed(Transport &line, const LinkTiming &timing,
                       const std::vector<std::uint8_t> &bytes) {
    return line.write(bytes.data(), bytes.size(), timing.writeDeadline(bytes.size())) ==
           IoStatus::Ok;
}

} // namespace ovaline
