// SPDX-License-Identifier: MIT
// Which device port n (1..4) opens: the name given by OvalineSetPortName,
// else the environment variable OVALINE_COM<n>, else the platform default.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ovaline {

inline constexpr std::string_view kVirtualPortName = "virtual";

std::string portName(std::uint32_t port);

// 0, or -1 when the port number is not 1..4.
std::int32_t setPortName(std::int32_t port, const char *name);

} // namespace ovaline
