// SPDX-License-Identifier: MIT
#include "port_names.h"

#include <array>
#include <cstdlib>
#include <mutex>

namespace ovaline {
namespace {

std::mutex namesMutex;
std::array<std::string, 4> givenNames;

std::string platformDefault(std::uint32_t port) {
#if defined(_WIN32)
    return "COM" + std::to_string(port);
#else
    return "/dev/ttyS" + std::to_string(port - 1);
#endif
}

} // namespace

std::string portName(std::uint32_t port) {
    if (port < 1 || port > 4)
        return {};
    {
        std::lock_guard lock(namesMutex);
        if (!givenNames[port - 1].empty())
            return givenNames[port - 1];
    }
    const std::string variable = "OVALINE_COM" + std::to_string(port);
    if (const char *value = std::getenv(variable.c_str()); value && *value)
        return value;
    return platformDefault(port);
}

std::int32_t setPortName(std::int32_t port, const char *name) {
    if (port < 1 || port > 4)
        return -1;
    std::lock_guard lock(namesMutex);
    givenNames[port - 1] = name ? name : "";
    return 0;
}

} // namespace ovaline
