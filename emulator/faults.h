// SPDX-License-Identifier: MIT
// Faults the virtual camera injects on request, for testing the host:
// damage on the line and misbehaviour of the unit.
//
// A fault list is comma-separated:
//   flip=R, drop=R      each byte, either way, damaged or lost with probability R
//   framing=R, overrun=R each byte to the host lost with a line error it counts
//   hangup=B            the line goes silent after B bytes of a data phase
//   unplug=B            the unit's end of the line goes after B bytes of a data phase
//   nak=N               refuse the next N commands and blocks
//   nakslot=S           refuse every transfer of slot S
//   badack=N            answer the next N commands with a frame of the wrong kind
//   etx=N               the next N answers lack their ETX
//   silent              answer nothing
//   nocts               never raise RTS
//   old                 refuse the fingerprint queries, as a unit made before them
//   seed=S              seed of the fault dice
#pragma once

#include "unit_server.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ovaline::emu {

struct LineFaults {
    double flip = 0;
    double drop = 0;
    double framing = 0;
    double overrun = 0;
    long long hangupAfter = -1; // bytes of a data phase; -1 never
    long long unplugAfter = -1; // bytes of a data phase; -1 never
    std::optional<std::uint64_t> seed;

    bool any() const {
        return flip > 0 || drop > 0 || framing > 0 || overrun > 0 || hangupAfter >= 0 ||
               unplugAfter >= 0;
    }
};

struct FaultSpec {
    LineFaults line;
    UnitFaults unit;
};

// Parses a fault list; on a mistake returns nullopt and says why in `error`.
std::optional<FaultSpec> parseFaults(std::string_view text, std::string &error);

} // namespace ovaline::emu
