// SPDX-License-Identifier: MIT
// The operations the protocol engine needs from a line. The in-memory line to
// the virtual camera and the serial ports implement them; everything above
// (framing, checks, retransmission, time-outs) is shared.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace ovaline {

using Clock = std::chrono::steady_clock;
using TimePoint = Clock::time_point;

enum class IoStatus {
    Ok,
    Timeout, // the deadline passed first
    Hangup,  // the other end is gone (cable pulled, device removed, peer closed)
    Error    // the port reported an error
};

// Receive errors counted by the line since it was opened.
struct LineErrors {
    std::uint64_t framing = 0;       // a byte without its stop bit
    std::uint64_t overrun = 0;       // a byte lost because the receiver was not read in time
    std::uint64_t queueOverflow = 0; // bytes lost because the input queue was full
};

class Transport {
public:
    virtual ~Transport() = default;

    // Writes all bytes, waiting while the output queue is full. Ok only when
    // every byte was queued before the deadline.
    virtual IoStatus write(const std::uint8_t *data, std::size_t size, TimePoint deadline) = 0;

    // Waits until at least `atLeast` bytes have arrived (or the deadline
    // passes, or the line hangs up), then takes up to `most` bytes. `got`
    // holds what was taken, which may be fewer than `atLeast` on failure.
    virtual IoStatus read(std::uint8_t *buffer, std::size_t atLeast, std::size_t most,
                          TimePoint deadline, std::size_t &got) = 0;

    // Bytes written but not yet on the line.
    virtual std::size_t pendingOutput() = 0;

    // Drops whatever arrived but has not been read.
    virtual void discardInput() = 0;

    // Drops what was written but has not yet gone out on the line. A line
    // that queues nothing keeps this default.
    virtual void discardOutput() {}

    // Duration of one byte (start, eight data bits, stop) at the line's rate.
    virtual std::chrono::nanoseconds byteTime() const = 0;

    // Modem lines: RTS out, CTS in. Without modem lines the handshake is skipped.
    virtual bool hasModemLines() const = 0;
    virtual void setRts(bool on) = 0;
    virtual bool waitCts(TimePoint deadline) = 0;

    virtual LineErrors lineErrors() = 0;
};

} // namespace ovaline
