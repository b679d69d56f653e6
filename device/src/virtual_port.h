// The port named "virtual": a line in memory to the virtual camera, which
// runs in this process on a thread of its own for the length of an exchange.
#pragma once

#include "open_line.h"

#include <cstdint>
#include <memory>

namespace ovaline {

// nullptr when the camera's settings in the environment are wrong or when
// the port is in use by another exchange.
std::unique_ptr<OpenLine> openVirtualPort(std::uint32_t port, std::uint32_t baud);

} // namespace ovaline
