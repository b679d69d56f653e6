// SPDX-License-Identifier: MIT
#include "unit_config.h"

#include "unit_models.h"
#include "unit_store.h"

#include "line_rates.h"

#include <cmath>
#include <cstdlib>

namespace ovaline::emu {
namespace {

std::string environment(const char *name) {
    const char *value = std::getenv(name);
    return value ? value : "";
}

} // namespace

std::optional<double> parseSpeed(const std::string &text) {
    char *end = nullptr;
    const double speed = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(speed) || speed <= 0)
        return std::nullopt;
    return speed;
}

std::optional<UnitConfig> configFromEnvironment(std::string &error) {
    UnitConfig config;
    config.model = environment("OVALINE_VIRTUAL_MODEL");
    if (config.model.empty())
        config.model = std::string(kDefaultUnitModel);
    if (!findUnitModel(config.model)) {
        error = "OVALINE_VIRTUAL_MODEL must be VIKN, VIKP, VIHN or VIHP";
        return std::nullopt;
    }
    if (const std::string speed = environment("OVALINE_VIRTUAL_SPEED"); !speed.empty()) {
        const auto parsed = parseSpeed(speed);
        if (!parsed) {
            error = "OVALINE_VIRTUAL_SPEED must be a number above 0";
            return std::nullopt;
        }
        config.speed = *parsed;
    }
    if (const std::string folder = environment("OVALINE_VIRTUAL_DIR"); !folder.empty()) {
        if (!UnitStore::prepareFolder(folder, error)) {
            error = "OVALINE_VIRTUAL_DIR: " + error;
            return std::nullopt;
        }
        config.folder = folder;
    }
    const auto faults = parseFaults(environment("OVALINE_VIRTUAL_FAULTS"), error);
    if (!faults) {
        error = "OVALINE_VIRTUAL_FAULTS: " + error;
        return std::nullopt;
    }
    config.faults = *faults;
    if (const std::string rate = environment("OVALINE_VIRTUAL_RATE"); !rate.empty()) {
        char *end = nullptr;
        const unsigned long value = std::strtoul(rate.c_str(), &end, 10);
        if (end != rate.c_str() + rate.size() || !isLineRate(static_cast<std::uint32_t>(value))) {
            error = "OVALINE_VIRTUAL_RATE must be one of the line rates 2400 ... 115200";
            return std::nullopt;
        }
        config.rate = static_cast<std::uint32_t>(value);
    }
    return config;
}

} // namespace ovaline::emu
