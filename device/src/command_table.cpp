// SPDX-License-Identifier: MIT
#include "command_table.h"

#include "ovaline_fingerprint.h"

#include <array>

namespace ovaline {
namespace {

constexpr std::array<CommandInfo, 18> kCommands{{
    {"AF", 8, "auto focus"},
    {"FO", 8, "focus near (+), far (-), stop (0)"},
    {"ZO", 8, "zoom tele (+), wide (-), stop (0)"},
    {"IR", 8, "iris normal (1), open (+), close (-), stop (0)"},
    {"PL", 8, "lamps off (0), base (1), upper (2)"},
    {"AV", 8, "video input main (0), AV 1 (1), AV 2 (2), SUB (3)"},
    {"NP", 8, "positive (0), negative (1)"},
    {"CB", 8, "colour (0), black and white (1)"},
    {"PO", 8, "pointer off (0), on (1)"},
    {"PM", 8, "move pointer or 2x view: stop (0), direction (1..8)"},
    {"MA", 8, "2x off (0), on (1)"},
    {"CE", 8, "store into (0) or recall (1) slot PP"},
    {"FZ", 8, "pause off (0), on (1)"},
    {"LL", 8, "panel unlock (0), lock (1)"},
    {"QS", 8, "query control state (0) or slot map (1)"},
    {"QR", 6, "query model"},
    {"QF", OVALINE_FINGERPRINTS_LENGTH, "query size and CRC-32 of every slot (0)"},
    {"QC", OVALINE_STAMP_LENGTH, "query the stamp of the slots' fingerprints (0)"},
}};

} // namespace

std::span<const CommandInfo> commandTable() {
    return kCommands;
}

std::optional<CommandInfo> findCommand(char first, char second) {
    for (const CommandInfo &info : kCommands)
        if (info.letters[0] == first && info.letters[1] == second)
            return info;
    return std::nullopt;
}

} // namespace ovaline
