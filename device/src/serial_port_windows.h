// SPDX-License-Identifier: MIT
// A serial port of a Windows host, COM1 to COM256, through the
// communications API: 8N1 at one of the unit's rates, opened for one
// exchange. Every read and write is overlapped and waited for with the
// exchange's deadline, so interrupt() ends it at once. Ports with modem
// lines use RTS/CTS; a port without them (Wine's port on a pseudo-terminal)
// skips the handshake.
#pragma once

#include "line_clock.h"
#include "open_line.h"
#include "transport.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace ovaline {

// The number of a port named "COM1" .. "COM256" (in any case), else none.
std::optional<unsigned> comPortNumber(const std::string &name);

class WindowsSerialPort final : public OpenLine, public Transport {
public:
    // nullptr on failure, with `code` OVALINE_E_OPEN (no such port, not a
    // serial port, in use) or OVALINE_E_SETUP (the port refused the settings).
    static std::unique_ptr<WindowsSerialPort> open(const std::string &name, std::uint32_t baud,
                                                   std::int32_t &code);
    ~WindowsSerialPort() override;

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
    // Handles are the API's HANDLE; windows.h stays out of this header.
    using Handle = void *;
    WindowsSerialPort(Handle port, Handle done, Handle wake, std::chrono::nanoseconds byteTime,
                      bool modemLines);

    struct Queues {
        std::size_t input = 0;
        std::size_t output = 0;
    };
    // The port's queues; the receive errors it reports are added to errors_.
    Queues queues();
    // Moves `size` bytes (fewer when the deadline passes or the wait is
    // interrupted) with one overlapped read or write.
    IoStatus transfer(bool reading, std::uint8_t *data, std::size_t size, TimePoint deadline,
                      std::size_t &moved);

    Handle port_;
    Handle done_; // signalled when the overlapped operation under way is over
    Handle wake_; // set by interrupt(): every wait ends
    std::atomic<bool> interrupted_{false};
    std::chrono::nanoseconds byteTime_;
    bool modemLines_;
    LineClock lineClock_;
    LineErrors errors_;
};

} // namespace ovaline
