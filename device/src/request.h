// SPDX-License-Identifier: MIT
// What a TrafficBlock asks for, checked before anything is sent.
#pragma once

#include "ovaline.h"

#include <cstdint>

namespace ovaline {

struct Request {
    enum class Kind { Command, Receive, Send } kind = Kind::Command;
    std::uint32_t port = 0;
    std::uint32_t baud = 0;
    std::uint8_t frame[7] = {};
    std::uint32_t length = 0;
    std::uint8_t *data = nullptr;
};

// 0 with the request filled in, or the code that refuses the record:
// OVALINE_E_OPEN for a port number other than 1..4, OVALINE_E_SETUP for
// anything else the exchange cannot be set up from.
std::int32_t readRequest(const TrafficBlock &block, Request &request);

} // namespace ovaline
