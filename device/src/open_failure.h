// SPDX-License-Identifier: MIT
// Why a device does not open as a serial port, in words for the user.
#pragma once

#include <string>

namespace ovaline {

// One sentence; empty when the device opens (or is the virtual camera).
std::string openFailureCause(const std::string &device);

} // namespace ovaline
