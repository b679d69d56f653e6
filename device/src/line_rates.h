// SPDX-License-Identifier: MIT
// The line rates the unit takes, in bit/s.
#pragma once

#include <cstdint>

namespace ovaline {

// 2400, 4800, 9600, 19200, 38400, 57600 or 115200.
bool isLineRate(std::uint32_t baud);

} // namespace ovaline
