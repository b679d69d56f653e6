// SPDX-License-Identifier: MIT
#include "paced_port.h"

#include <algorithm>
#include <thread>

namespace ovaline::emu {
namespace {

// Bytes handed over at once: about a millisecond of line time, so the other
// end sees them arrive at an even pace.
std::size_t chunkFor(std::chrono::nanoseconds byteTime) {
    if (byteTime.count() <= 0)
        return 4096;
    return std::clamp<std::size_t>(
        static_cast<std::size_t>(std::chrono::nanoseconds(std::chrono::milliseconds(1)) / byteTime),
        1, 4096);
}

// When the line falls behind its schedule by less than this (a late wake-up),
// it catches up; a longer gap means it was idle and starts afresh.
constexpr auto kCatchUp = std::chrono::milliseconds(5);

TimePoint lineStart(TimePoint scheduled) {
    const TimePoint now = Clock::now();
    return now - scheduled < kCatchUp ? scheduled : now;
}

} // namespace

PacedPort::PacedPort(Transport &port, std::function<std::uint32_t()> rate, double speed)
    : ForwardingTransport(port), rate_(std::move(rate)), speed_(speed) {}

std::chrono::nanoseconds PacedPort::byteTime() const {
    const std::uint32_t rate = rate_();
    return std::chrono::nanoseconds(10'000'000'000LL / (rate ? rate : 9600));
}

std::chrono::nanoseconds PacedPort::pace() const {
    return std::chrono::nanoseconds(
        static_cast<std::int64_t>(static_cast<double>(byteTime().count()) / speed_));
}

IoStatus PacedPort::write(const std::uint8_t *data, std::size_t size, TimePoint deadline) {
    const auto bt = pace();
    const std::size_t chunk = chunkFor(bt);
    for (std::size_t done = 0; done < size;) {
        const std::size_t n = std::min(chunk, size - done);
        // The chunk is handed over when its last byte has crossed the line.
        sentUntil_ = lineStart(sentUntil_) + bt * static_cast<std::int64_t>(n);
        std::this_thread::sleep_until(sentUntil_);
        if (const IoStatus status = inner_.write(data + done, n, deadline); status != IoStatus::Ok)
            return status;
        done += n;
    }
    return IoStatus::Ok;
}

IoStatus PacedPort::read(std::uint8_t *buffer, std::size_t atLeast, std::size_t most,
                         TimePoint deadline, std::size_t &got) {
    const auto bt = pace();
    // Take little at a time, so each byte is handed on when it would arrive.
    most = std::max(atLeast, std::min(most, chunkFor(bt)));
    // The line carries the bytes from now on: time spent waiting for them
    // counts, or a sender at the line's pace would fall a frame behind.
    const TimePoint carried = lineStart(receivedUntil_);
    const IoStatus status = inner_.read(buffer, std::min(atLeast, most), most, deadline, got);
    if (got > 0) {
        receivedUntil_ = carried + bt * static_cast<std::int64_t>(got);
        std::this_thread::sleep_until(receivedUntil_);
    }
    return status;
}

void PacedPort::discardOutput() {
    inner_.discardOutput();
    sentUntil_ = Clock::now();
}

} // namespace ovaline::emu
