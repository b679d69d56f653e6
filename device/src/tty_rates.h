// SPDX-License-Identifier: MIT
// The unit's line rates as termios speeds, and back.
#pragma once

#include <cstdint>
#include <termios.h>

namespace ovaline {

// B0 for a rate the unit does not take.
speed_t ttySpeed(std::uint32_t baud);

// The rate a tty is set to, in bit/s; 0 when it cannot be read or is not
// one of the unit's rates.
std::uint32_t ttyRate(int fd);

} // namespace ovaline
