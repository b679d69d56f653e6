// SPDX-License-Identifier: MIT
// A serial port of the host: a tty in raw 8N1 mode at one of the unit's
// rates, opened for one exchange. Ports with modem lines use RTS/CTS;
// pseudo-terminals have none and skip the handshake.
#pragma once

#include "line_clock.h"
#include "open_line.h"
#include "transport.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace ovaline {

class SerialPort final : public OpenLine, public Transport {
public:
    // nullptr on failure, with `code` OVALINE_E_OPEN (no such device, not a
    // serial port, in use) or OVALINE_E_SETUP (the port refused the settings).
    static std::unique_ptr<SerialPort> open(const std::string &path, std::uint32_t baud,
                                            std::int32_t &code);
    ~SerialPort() override;

    Transport &transport() override { return *this; }
    void interrupt() override;
    void resume() override;

    IoStatus write(const std::uint8_t *data, std::size_t size, TimePoint deadline) override;
    IoStatus read(std::uint8_t *buffer, std::size_t atLeast, std::size_t most, TimePoint deadline,
                  std::size_t &got) override;
    std::size_t pendingOutput() override;
    void discardInput() override;
    void discardOutput() override;
    std::chrono::nanoseconds byteTime() const override { return byteTime_; }
    bool hasModemLines() const override { return modemLines_; }
    void setRts(bool on) override;
    bool waitCts(TimePoint deadline) override;
    LineErrors lineErrors() override;

private:
    SerialPort(int fd, std::chrono::nanoseconds byteTime, bool modemLines, const int wake[2]);

    int fd_;
    // A byte in this pipe wakes every wait of the exchange: interrupt().
    int wake_[2];
    std::atomic<bool> interrupted_{false};
    std::chrono::nanoseconds byteTime_;
    bool modemLines_;
    // The port's own output count is not enough to time an answer.
    LineClock lineClock_;
};

} // namespace ovaline
