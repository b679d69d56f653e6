// SPDX-License-Identifier: MIT
#include "unit_port.h"

#include "line_rates.h"
#include "open_line.h"
#include "ovaline.h"

namespace ovaline::emu {
namespace {

// A COM port through the device library's own Windows serial port.
class ComPort final : public UnitPort {
public:
    ComPort(std::unique_ptr<OpenLine> port, std::string name, std::uint32_t baud)
        : port_(std::move(port)), name_(std::move(name)), baud_(baud) {}

    Transport &line() override { return port_->transport(); }
    const std::string &hostPath() const override { return name_; }
    std::uint32_t rate() const override { return baud_; }

private:
    std::unique_ptr<OpenLine> port_;
    std::string name_;
    std::uint32_t baud_;
};

} // namespace

std::unique_ptr<UnitPort> UnitPort::openPty(std::string &error) {
    error = "Windows has no pseudo-terminals: name a COM port with --device";
    return nullptr;
}

std::unique_ptr<UnitPort> UnitPort::openDevice(const std::string &path, std::uint32_t baud,
                                               std::string &error) {
    if (!isLineRate(baud)) {
        error = "the rate must be one of 2400, 4800, 9600, 19200, 38400, 57600, 115200";
        return nullptr;
    }
    std::int32_t code = 0;
    auto port = openSerialPort(path, baud, code);
    if (!port) {
        error = code == OVALINE_E_SETUP
                    ? path + " is not a serial port that takes " + std::to_string(baud) + " bit/s"
                    : "cannot open " + path + " (a port COM1 .. COM256 that no program holds)";
        return nullptr;
    }
    return std::make_unique<ComPort>(std::move(port), path, baud);
}

} // namespace ovaline::emu
