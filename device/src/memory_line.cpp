// SPDX-License-Identifier: MIT
#include "memory_line.h"

#include <algorithm>

namespace ovaline {

// Bytes travelling one way. Each chunk's bytes arrive one byte time apart,
// the first one byte time after `start`.
struct MemoryLine::Wire {
    struct Chunk {
        TimePoint start;
        std::vector<std::uint8_t> bytes;
        std::size_t taken = 0;
    };
    std::deque<Chunk> chunks;
    TimePoint idleAt{}; // when the last queued byte has fully arrived
    bool rts = false;   // the sender's RTS, seen as CTS by the receiver
    LineErrors errors;  // counted against the receiver
};

struct MemoryLine::Shared {
    explicit Shared(std::chrono::nanoseconds byteTime) : byteTime(byteTime) {}
    std::mutex mutex;
    std::condition_variable changed;
    std::chrono::nanoseconds byteTime;
    Wire wires[2]; // wires[s] carries what side s sends
    bool closed[2] = {false, false};
    bool interrupted[2] = {false, false};
};

namespace {

// Bytes a transmitter may have queued before a write waits, as a UART's
// driver buffer.
constexpr std::size_t kOutputQueue = 4096;

} // namespace

std::pair<std::unique_ptr<MemoryLine::End>, std::unique_ptr<MemoryLine::End>>
MemoryLine::open(std::chrono::nanoseconds byteTime) {
    auto shared = std::make_shared<Shared>(byteTime);
    return {std::make_unique<End>(shared, 0), std::make_unique<End>(shared, 1)};
}

MemoryLine::End::End(std::shared_ptr<Shared> shared, int side)
    : shared_(std::move(shared)), side_(side) {}

MemoryLine::End::~End() {
    std::lock_guard lock(shared_->mutex);
    shared_->closed[side_] = true;
    shared_->wires[side_].rts = false;
    shared_->changed.notify_all();
}

std::chrono::nanoseconds MemoryLine::End::byteTime() const {
    return shared_->byteTime;
}

std::size_t MemoryLine::End::pendingOutput() {
    std::lock_guard lock(shared_->mutex);
    const auto ahead = shared_->wires[side_].idleAt - Clock::now();
    if (ahead <= Clock::duration::zero() || shared_->byteTime.count() == 0)
        return 0;
    return static_cast<std::size_t>(ahead / shared_->byteTime);
}

IoStatus MemoryLine::End::write(const std::uint8_t *data, std::size_t size, TimePoint deadline) {
    std::unique_lock lock(shared_->mutex);
    Wire &wire = shared_->wires[side_];
    const auto bt = shared_->byteTime;
    const auto queueTime = bt * static_cast<std::int64_t>(kOutputQueue);
    std::size_t done = 0;
    while (done < size) {
        if (shared_->closed[1 - side_] || shared_->interrupted[side_])
            return IoStatus::Hangup;
        const TimePoint now = Clock::now();
        const TimePoint lineFree = std::max(now, wire.idleAt);
        // Room in the output queue, in bytes.
        std::size_t room = kOutputQueue;
        if (bt.count() > 0)
            room = lineFree - now >= queueTime
                       ? 0
                       : static_cast<std::size_t>((queueTime - (lineFree - now)) / bt);
        if (room == 0) {
            if (now >= deadline)
                return IoStatus::Timeout;
            shared_->changed.wait_until(lock, std::min(deadline, lineFree - queueTime + bt));
            continue;
        }
        const std::size_t n = std::min(room, size - done);
        Wire::Chunk chunk;
        chunk.start = lineFree;
        chunk.bytes.assign(data + done, data + done + n);
        wire.chunks.push_back(std::move(chunk));
        wire.idleAt = lineFree + bt * static_cast<std::int64_t>(n);
        done += n;
        shared_->changed.notify_all();
    }
    return IoStatus::Ok;
}

IoStatus MemoryLine::End::writeFaulty(std::uint8_t byte, LineFault fault, TimePoint deadline) {
    const IoStatus status = write(&byte, 1, deadline);
    if (status == IoStatus::Ok) {
        std::lock_guard lock(shared_->mutex);
        LineErrors &errors = shared_->wires[side_].errors;
        (fault == LineFault::Framing ? errors.framing : errors.overrun) += 1;
    }
    return status;
}

IoStatus MemoryLine::End::read(std::uint8_t *buffer, std::size_t atLeast, std::size_t most,
                               TimePoint deadline, std::size_t &got) {
    got = 0;
    std::unique_lock lock(shared_->mutex);
    Wire &wire = shared_->wires[1 - side_];
    const auto bt = shared_->byteTime;
    for (;;) {
        const TimePoint now = Clock::now();
        // Take what has arrived, and find when the wanted byte will arrive.
        TimePoint wantedAt = TimePoint::max();
        std::size_t counted = got;
        while (!wire.chunks.empty() && got < most) {
            Wire::Chunk &chunk = wire.chunks.front();
            std::size_t arrived = chunk.bytes.size();
            if (bt.count() > 0 && now < chunk.start + bt * static_cast<std::int64_t>(arrived))
                arrived =
                    now < chunk.start ? 0 : static_cast<std::size_t>((now - chunk.start) / bt);
            const std::size_t n = std::min(arrived - chunk.taken, most - got);
            std::copy_n(chunk.bytes.begin() + static_cast<std::ptrdiff_t>(chunk.taken), n,
                        buffer + got);
            chunk.taken += n;
            got += n;
            if (chunk.taken == chunk.bytes.size()) {
                wire.chunks.pop_front();
                continue;
            }
            break;
        }
        counted = got;
        for (const Wire::Chunk &chunk : wire.chunks) {
            const std::size_t left = chunk.bytes.size() - chunk.taken;
            if (counted + left >= atLeast) {
                const std::size_t index = chunk.taken + (atLeast - counted);
                wantedAt = chunk.start + bt * static_cast<std::int64_t>(index);
                break;
            }
            counted += left;
        }
        // The other end is gone: wake when its last bytes are in, to report the hang-up.
        if (wantedAt == TimePoint::max() && shared_->closed[1 - side_] && !wire.chunks.empty()) {
            const Wire::Chunk &last = wire.chunks.back();
            wantedAt = last.start + bt * static_cast<std::int64_t>(last.bytes.size());
        }
        if (got >= atLeast)
            return IoStatus::Ok;
        if ((shared_->closed[1 - side_] && wire.chunks.empty()) || shared_->interrupted[side_])
            return IoStatus::Hangup;
        if (now >= deadline)
            return IoStatus::Timeout;
        shared_->changed.wait_until(lock, std::min(deadline, wantedAt));
    }
}

void MemoryLine::End::discardInput() {
    std::lock_guard lock(shared_->mutex);
    Wire &wire = shared_->wires[1 - side_];
    const TimePoint now = Clock::now();
    const auto bt = shared_->byteTime;
    while (!wire.chunks.empty()) {
        Wire::Chunk &chunk = wire.chunks.front();
        if (bt.count() > 0 &&
            now < chunk.start + bt * static_cast<std::int64_t>(chunk.bytes.size())) {
            chunk.taken =
                std::max(chunk.taken, now < chunk.start
                                          ? std::size_t{0}
                                          : static_cast<std::size_t>((now - chunk.start) / bt));
            break;
        }
        wire.chunks.pop_front();
    }
}

void MemoryLine::End::setRts(bool on) {
    std::lock_guard lock(shared_->mutex);
    shared_->wires[side_].rts = on;
    shared_->changed.notify_all();
}

bool MemoryLine::End::waitCts(TimePoint deadline) {
    std::unique_lock lock(shared_->mutex);
    return shared_->changed.wait_until(lock, deadline, [&] {
        return shared_->wires[1 - side_].rts || shared_->interrupted[side_];
    }) && !shared_->interrupted[side_];
}

void MemoryLine::End::discardOutput() {
    std::lock_guard lock(shared_->mutex);
    Wire &wire = shared_->wires[side_];
    const TimePoint now = Clock::now();
    const auto bt = shared_->byteTime;
    // Keep what is already on its way; later bytes never leave.
    for (auto chunk = wire.chunks.begin(); chunk != wire.chunks.end(); ++chunk) {
        if (bt.count() == 0 ||
            now >= chunk->start + bt * static_cast<std::int64_t>(chunk->bytes.size()))
            continue;
        const std::size_t arrived =
            now < chunk->start ? 0 : static_cast<std::size_t>((now - chunk->start) / bt);
        chunk->bytes.resize(std::max(arrived, chunk->taken));
        wire.chunks.erase(chunk->bytes.size() > chunk->taken ? std::next(chunk) : chunk,
                          wire.chunks.end());
        break;
    }
    wire.idleAt = std::min(wire.idleAt, now);
    shared_->changed.notify_all();
}

void MemoryLine::End::interrupt() {
    std::lock_guard lock(shared_->mutex);
    shared_->interrupted[side_] = true;
    shared_->changed.notify_all();
}

void MemoryLine::End::resume() {
    std::lock_guard lock(shared_->mutex);
    shared_->interrupted[side_] = false;
}

LineErrors MemoryLine::End::lineErrors() {
    std::lock_guard lock(shared_->mutex);
    return shared_->wires[1 - side_].errors;
}

} // namespace ovaline
