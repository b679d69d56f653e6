// SPDX-License-Identifier: MIT
// A serial line in memory between the host and the in-process virtual camera.
// Each direction is paced: a byte arrives one byte time after the one before
// it, so an exchange takes the time it would take on a real line. Both ends
// have modem lines (RTS of one end is CTS of the other).
#pragma once

#include "transport.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

namespace ovaline {

enum class LineFault { Framing, Overrun };

class MemoryLine {
public:
    class End;

    // The two ends share the line; either may be destroyed first, which
    // hangs up the line for the other.
    static std::pair<std::unique_ptr<End>, std::unique_ptr<End>>
    open(std::chrono::nanoseconds byteTime);

    struct Wire;
    struct Shared;
};

class MemoryLine::End final : public Transport {
public:
    End(std::shared_ptr<Shared> shared, int side);
    ~End() override;

    IoStatus write(const std::uint8_t *data, std::size_t size, TimePoint deadline) override;
    IoStatus read(std::uint8_t *buffer, std::size_t atLeast, std::size_t most, TimePoint deadline,
                  std::size_t &got) override;
    std::size_t pendingOutput() override;
    void discardInput() override;
    void discardOutput() override;
    std::chrono::nanoseconds byteTime() const override;
    bool hasModemLines() const override { return true; }
    void setRts(bool on) override;
    bool waitCts(TimePoint deadline) override;
    LineErrors lineErrors() override;

    // From any thread: the wait under way at this end, and every later one,
    // ends at once as if the line had hung up, until resume().
    void interrupt();
    void resume();

    // Sends one byte that the other end receives with the given line error.
    IoStatus writeFaulty(std::uint8_t byte, LineFault fault, TimePoint deadline);

private:
    std::shared_ptr<Shared> shared_;
    int side_; // 0 host, 1 unit
};

} // namespace ovaline
