// SPDX-License-Identifier: MIT
// The unit's end of a serial line (a pseudo-terminal's master side or a real
// serial port), paced. A pseudo-terminal moves bytes as fast as they are
// written, so this end paces them: what it sends leaves at the line's rate,
// and what it takes is handed on no faster than the line could have carried
// it. The rate is read from the port at each operation, so the unit follows
// the rate the host sets. The speed factor hurries only this pacing: the
// host keeps to the rate it set, so the unit's time-outs allow for that rate.
#pragma once

#include "forwarding_transport.h"

#include <cstdint>
#include <functional>

namespace ovaline::emu {

class PacedPort final : public ForwardingTransport {
public:
    // `port` moves the bytes; `rate` gives the line's rate in bit/s; `speed`
    // shortens the line's time.
    PacedPort(Transport &port, std::function<std::uint32_t()> rate, double speed);

    IoStatus write(const std::uint8_t *data, std::size_t size, TimePoint deadline) override;
    IoStatus read(std::uint8_t *buffer, std::size_t atLeast, std::size_t most, TimePoint deadline,
                  std::size_t &got) override;
    std::size_t pendingOutput() override { return 0; } // writes return once the bytes are out
    void discardOutput() override;
    std::chrono::nanoseconds byteTime() const override;

private:
    // One byte's time on the hurried line.
    std::chrono::nanoseconds pace() const;

    std::function<std::uint32_t()> rate_;
    double speed_;
    TimePoint sentUntil_{};     // when our last byte has crossed the line
    TimePoint receivedUntil_{}; // when the last byte we took had crossed it
};

} // namespace ovaline::emu
