// SPDX-License-Identifier: MIT
#include "describe.h"

namespace ovaline::cli {
namespace {

std::string onOff(char c) {
    return c == '1' ? "on" : "off";
}

} // namespace

std::string groupDigits(unsigned long value) {
    std::string digits = std::to_string(value);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<std::size_t>(i), ",");
    return digits;
}

std::string describeStatus(const std::string &r) {
    if (r.size() < 8)
        return "unreadable status\n";
    const char *const inputs[] = {"main", "AV 1", "AV 2", "SUB"};
    const int input = r[1] - '0';
    std::string text;
    text += std::string("lamps:   ") +
            (r[0] == '0'   ? "off"
             : r[0] == '2' ? "upper"
                           : "base") +
            "\n";
    text += std::string("input:   ") +
            (input >= 0 && input <= 3 ? inputs[input] : "unknown (" + std::string(1, r[1]) + ")") +
            "\n";
    text += std::string("picture: ") + (r[2] == '1' ? "negative" : "positive") + "\n";
    text += std::string("colour:  ") + (r[3] == '1' ? "black and white" : "colour") + "\n";
    text += "pointer: " + onOff(r[4]) + "\n";
    text += "2x:      " + onOff(r[5]) + "\n";
    text += "pause:   " + onOff(r[6]) + "\n";
    text += std::string("panel:   ") + (r[7] == '1' ? "locked" : "unlocked") + "\n";
    return text;
}

std::string describeMap(const std::string &r) {
    if (r.size() < 8)
        return "unreadable slot map\n";
    std::string text = std::string("unit: ") + (r[0] == '0' ? "ready" : "reading") + "\n";
    for (int slot = 1; slot <= 7; ++slot) {
        const char c = r[static_cast<std::size_t>(slot)];
        text += "slot " + std::to_string(slot) + ": " +
                (c == '0'   ? "empty"
                 : c == 'P' ? "picture (protected)"
                            : "picture") +
                "\n";
    }
    return text;
}

} // namespace ovaline::cli
