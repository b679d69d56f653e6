// SPDX-License-Identifier: MIT
#include "describe.h"

#include "cli_text.h"

namespace ovaline::cli {
namespace {

std::string onOff(char c) {
    return c == '1' ? translate("Cli", "on") : translate("Cli", "off");
}

std::string line(const char *pattern, const std::string &value) {
    return fill(pattern, {value}) + "\n";
}

} // namespace

std::string groupDigits(unsigned long value) {
    const std::string digits = std::to_string(value);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

std::string describeStatus(const std::string &r) {
    if (r.size() < 8)
        return std::string(translate("Cli", "unreadable status")) + "\n";
    const char *const inputs[] = {translate("Cli", "main"), translate("Cli", "AV 1"),
                                  translate("Cli", "AV 2"), translate("Cli", "SUB")};
    const int input = r[1] - '0';
    const char *lamps = r[0] == '0'   ? translate("Cli", "off")
                        : r[0] == '2' ? translate("Cli", "upper")
                                      : translate("Cli", "base");
    std::string text = line(translate("Cli", "lamps:   %1"), lamps);
    text += line(translate("Cli", "input:   %1"),
                 input >= 0 && input <= 3
                     ? std::string(inputs[input])
                     : fill(translate("Cli", "unknown (%1)"), {std::string(1, r[1])}));
    text += line(translate("Cli", "picture: %1"),
                 r[2] == '1' ? translate("Cli", "negative") : translate("Cli", "positive"));
    text += line(translate("Cli", "colour:  %1"),
                 r[3] == '1' ? translate("Cli", "black and white") : translate("Cli", "colour"));
    text += line(translate("Cli", "pointer: %1"), onOff(r[4]));
    text += line(translate("Cli", "2x:      %1"), onOff(r[5]));
    text += line(translate("Cli", "pause:   %1"), onOff(r[6]));
    text += line(translate("Cli", "panel:   %1"),
                 r[7] == '1' ? translate("Cli", "locked") : translate("Cli", "unlocked"));
    return text;
}

std::string describeMap(const std::string &r) {
    if (r.size() < 8)
        return std::string(translate("Cli", "unreadable slot map")) + "\n";
    std::string text = line(translate("Cli", "unit: %1"),
                            r[0] == '0' ? translate("Cli", "ready") : translate("Cli", "reading"));
    for (int slot = 1; slot <= 7; ++slot) {
        const char c = r[static_cast<std::size_t>(slot)];
        const char *held = c == '0'   ? translate("Cli", "empty")
                           : c == 'P' ? translate("Cli", "picture (protected)")
                                      : translate("Cli", "picture");
        text += fill(translate("Cli", "slot %1: %2"), {std::to_string(slot), held}) + "\n";
    }
    return text;
}

} // namespace ovaline::cli
