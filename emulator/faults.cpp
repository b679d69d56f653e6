// SPDX-License-Identifier: MIT
#include "faults.h"

#include <charconv>
#include <cstdlib>

namespace ovaline::emu {
namespace {

bool parseProbability(std::string_view value, double &out) {
    const std::string text(value);
    char *end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !(v >= 0.0 && v <= 1.0))
        return false;
    out = v;
    return true;
}

template <typename Int> bool parseCount(std::string_view value, Int &out) {
    Int v{};
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), v);
    if (ec != std::errc{} || end != value.data() + value.size() || v < 0)
        return false;
    out = v;
    return true;
}

} // namespace

std::optional<FaultSpec> parseFaults(std::string_view text, std::string &error) {
    FaultSpec spec;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        std::string_view item = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
        while (!item.empty() && item.front() == ' ')
            item.remove_prefix(1);
        while (!item.empty() && item.back() == ' ')
            item.remove_suffix(1);
        if (item.empty())
            continue;
        const std::size_t eq = item.find('=');
        const std::string_view name = item.substr(0, eq);
        const std::string_view value =
            eq == std::string_view::npos ? std::string_view{} : item.substr(eq + 1);
        const bool hasValue = eq != std::string_view::npos;
        bool ok = true;
        if (name == "silent" && !hasValue)
            spec.unit.silent = true;
        else if (name == "nocts" && !hasValue)
            spec.unit.noCts = true;
        else if (name == "old" && !hasValue)
            spec.unit.old = true;
        else if (name == "flip")
            ok = parseProbability(value, spec.line.flip);
        else if (name == "drop")
            ok = parseProbability(value, spec.line.drop);
        else if (name == "framing")
            ok = parseProbability(value, spec.line.framing);
        else if (name == "overrun")
            ok = parseProbability(value, spec.line.overrun);
        else if (name == "hangup")
            ok = parseCount(value, spec.line.hangupAfter);
        else if (name == "unplug")
            ok = parseCount(value, spec.line.unplugAfter);
        else if (name == "nak")
            ok = parseCount(value, spec.unit.nak);
        else if (name == "badack")
            ok = parseCount(value, spec.unit.badAck);
        else if (name == "nakslot")
            ok = parseCount(value, spec.unit.nakSlot) && spec.unit.nakSlot >= 1 &&
                 spec.unit.nakSlot <= 7;
        else if (name == "etx")
            ok = parseCount(value, spec.unit.badEtx);
        else if (name == "seed") {
            std::uint64_t seed = 0;
            ok = parseCount(value, seed);
            spec.line.seed = seed;
        } else {
            error = "unknown fault \"" + std::string(item) + "\"";
            return std::nullopt;
        }
        if (!ok) {
            error = "bad value in fault \"" + std::string(item) + "\"";
            return std::nullopt;
        }
    }
    return spec;
}

} // namespace ovaline::emu
