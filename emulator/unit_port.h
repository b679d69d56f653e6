// SPDX-License-Identifier: MIT
// The port ovaline-unit serves, as a line of bytes that PacedPort paces: a
// new pseudo-terminal (Linux) or a serial device (a COM port on Windows).
// unit_port.cpp is the Linux one, unit_port_windows.cpp the Windows one.
#pragma once

#include "transport.h"

#include <cstdint>
#include <memory>
#include <string>

namespace ovaline::emu {

class UnitPort {
public:
    // A pseudo-terminal; the host opens `hostPath()`.
    static std::unique_ptr<UnitPort> openPty(std::string &error);
    // A serial device (for a second PC on a null-modem cable) at a fixed rate.
    static std::unique_ptr<UnitPort> openDevice(const std::string &path, std::uint32_t baud,
                                                std::string &error);

    virtual ~UnitPort() = default;

    virtual Transport &line() = 0;
    virtual const std::string &hostPath() const = 0;
    // The rate the line is set to now; on a pseudo-terminal, the host's choice.
    virtual std::uint32_t rate() const = 0;
};

} // namespace ovaline::emu
