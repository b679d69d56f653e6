// SPDX-License-Identifier: MIT
// The virtual camera's settings, from the environment of the process that
// opens it:
//   OVALINE_VIRTUAL_MODEL   VIKN, VIKP, VIHN (default) or VIHP
//   OVALINE_VIRTUAL_SPEED   how much faster than real time the line runs (default 1)
//   OVALINE_VIRTUAL_DIR     a folder that keeps the camera's state between processes;
//                           made when missing, and refused when it cannot be written
//   OVALINE_VIRTUAL_FAULTS  a fault list (see faults.h)
//   OVALINE_VIRTUAL_RATE    the one line rate the camera is set to; at any other
//                           it hears only noise and answers nothing (default:
//                           it follows the host's rate)
#pragma once

#include "faults.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace ovaline::emu {

struct UnitConfig {
    std::string model;
    double speed = 1.0;
    std::optional<std::filesystem::path> folder;
    FaultSpec faults;
    std::optional<std::uint32_t> rate;

    // Whether the camera understands a host at this rate.
    bool hears(std::uint32_t baud) const { return !rate || *rate == baud; }
};

std::optional<UnitConfig> configFromEnvironment(std::string &error);

// Checks a speed factor given as text: a finite number above 0.
std::optional<double> parseSpeed(const std::string &text);

} // namespace ovaline::emu
