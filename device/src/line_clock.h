// SPDX-License-Identifier: MIT
// When the bytes written to a port will all have crossed the line at its
// rate. A port that takes bytes far faster than the line it stands for (a
// pseudo-terminal, or Wine's COM port on one) would otherwise seem idle too
// soon, and an answer would be timed from too early. It also keeps what is
// written ahead of the line to what the line carries in kWriteAhead.
#pragma once

#include "transport.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace ovaline {

// What is written ahead of the line is kept to what the line carries in
// this time. A cancel then has little to recall, and a process killed in the
// middle of a picture leaves the unit little still to hear; the other side
// of a pseudo-terminal keeps what it was handed beyond recall.
constexpr auto kWriteAhead = std::chrono::milliseconds(100);

class LineClock {
public:
    explicit LineClock(std::chrono::nanoseconds byteTime)
        : byteTime_(byteTime),
          allowance_(std::max<std::size_t>(1, static_cast<std::size_t>(kWriteAhead / byteTime))) {}

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

    // Writes `size` bytes in pieces that keep within the write-ahead
    // allowance. `pending()` counts the bytes the port still holds,
    // `pause(until)` waits (true when interrupted meanwhile) and
    // `writeSome(data, n, moved)` writes n bytes.
    template <typename Pending, typename Pause, typename WriteSome>
    IoStatus write(const std::uint8_t *data, std::size_t size, TimePoint deadline,
                   const std::atomic<bool> &interrupted, Pending pending, Pause pause,
                   WriteSome writeSome) {
        for (std::size_t done = 0; done < size;) {
            if (interrupted)
                return IoStatus::Hangup;
            const std::size_t ahead = std::max(pending(), onLine());
            if (ahead >= allowance_) {
                // Until half the allowance has crossed the line.
                const auto drained = byteTime_ * static_cast<std::int64_t>(ahead - allowance_ / 2);
                if (pause(std::min(deadline, Clock::now() + drained)))
                    return IoStatus::Hangup;
                if (Clock::now() >= deadline)
                    return IoStatus::Timeout;
                continue;
            }
            const std::size_t n = std::min(size - done, allowance_ - ahead);
            std::size_t moved = 0;
            const IoStatus status = writeSome(data + done, n, moved);
            wrote(moved);
            if (status != IoStatus::Ok)
                return status;
            done += n;
        }
        return IoStatus::Ok;
    }

private:
    std::chrono::nanoseconds byteTime_;
    std::size_t allowance_;
    TimePoint freeAt_{};
};

} // namespace ovaline
