// SPDX-License-Identifier: MIT
// The two-letter commands the unit understands and the length of each reply.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace ovaline {

struct CommandInfo {
    char letters[3];
    std::uint32_t replyLength;
    std::string_view meaning;
};

// Every command but the image transfer "TR".
std::span<const CommandInfo> commandTable();

std::optional<CommandInfo> findCommand(char first, char second);

inline constexpr char kTransfer[] = "TR";
inline bool isTransfer(char first, char second) {
    return first == 'T' && second == 'R';
}

} // namespace ovaline
