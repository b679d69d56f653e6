// SPDX-License-Identifier: MIT
// The port named "virtual". The virtual camera is no part of the library's
// ground floor: what composes the library installs the opener of its line.
#pragma once

#include "open_line.h"

#include <cstdint>
#include <memory>

namespace ovaline {

using VirtualPortOpener = std::unique_ptr<OpenLine> (*)(std::uint32_t port, std::uint32_t baud);

// Installs the opener, once, before the first exchange.
void installVirtualPort(VirtualPortOpener opener);

// nullptr when no virtual camera is installed, when its settings in the
// environment are wrong, or when the port is in use by another exchange.
std::unique_ptr<OpenLine> openVirtualPort(std::uint32_t port, std::uint32_t baud);

} // namespace ovaline
