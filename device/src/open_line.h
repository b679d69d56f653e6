// SPDX-License-Identifier: MIT
// An open port for one exchange; closing it (destroying the object) ends
// the exchange on the line.
#pragma once

#include "transport.h"

#include <cstdint>
#include <memory>
#include <string>

namespace ovaline {

class OpenLine {
public:
    virtual ~OpenLine() = default;
    virtual Transport &transport() = 0;

    // From any thread: every wait on the line, under way or to come, ends at
    // once as if the line had hung up, until resume() (on the exchange's own
    // thread) makes it usable again.
    virtual void interrupt() = 0;
    virtual void resume() = 0;
};

// Opens the serial port of this name (a device path on Linux, COM1 ..
// COM256 on Windows) at the given rate. On failure returns nullptr and sets
// `code` as openPort does. Each platform's serial port implements it.
std::unique_ptr<OpenLine> openSerialPort(const std::string &name, std::uint32_t baud,
                                         std::int32_t &code);

// Opens port 1..4 at the given rate. On failure returns nullptr and sets
// `code` (OVALINE_E_OPEN, or OVALINE_E_SETUP when the port refuses the settings).
std::unique_ptr<OpenLine> openPort(std::uint32_t port, std::uint32_t baud, std::int32_t &code);

} // namespace ovaline
