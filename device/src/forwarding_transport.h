// SPDX-License-Identifier: MIT
// A line that hands every operation on to another one; a subclass changes
// the few it is about (faults, counting).
#pragma once

#include "transport.h"

namespace ovaline {

class ForwardingTransport : public Transport {
public:
    explicit ForwardingTransport(Transport &inner) : inner_(inner) {}

    IoStatus write(const std::uint8_t *data, std::size_t size, TimePoint deadline) override {
        return inner_.write(data, size, deadline);
    }
    IoStatus read(std::uint8_t *buffer, std::size_t atLeast, std::size_t most, TimePoint deadline,
                  std::size_t &got) override {
        return inner_.read(buffer, atLeast, most, deadline, got);
    }
    std::size_t pendingOutput() override { return inner_.pendingOutput(); }
    void discardInput() override { inner_.discardInput(); }
    void discardOutput() override { inner_.discardOutput(); }
    std::chrono::nanoseconds byteTime() const override { return inner_.byteTime(); }
    bool hasModemLines() const override { return inner_.hasModemLines(); }
    void setRts(bool on) override { inner_.setRts(on); }
    bool waitCts(TimePoint deadline) override { return inner_.waitCts(deadline); }
    LineErrors lineErrors() override { return inner_.lineErrors(); }

protected:
    Transport &inner_;
};

} // namespace ovaline
