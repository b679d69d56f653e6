// The virtual camera's settings, from the environment of the process that
// opens it:
//   OVALINE_VIRTUAL_MODEL   VIKN, VIKP, VIHN (default) or VIHP
//   OVALINE_VIRTUAL_SPEED   how much faster than real time the line runs (default 1)
//   OVALINE_VIRTUAL_DIR     a folder that keeps the camera's state between processes;
//                           made when missing, and refused when it cannot be written
//   OVALINE_VIRTUAL_FAULTS  a fault list (see faults.h)
#pragma once

#include "faults.h"

#include <filesystem>
#include <optional>
#include <string>

namespace ovaline::emu {

struct UnitConfig {
    std::string model;
    double speed = 1.0;
    std::optional<std::filesystem::path> folder;
    FaultSpec faults;
};

std::optional<UnitConfig> configFromEnvironment(std::string &error);

// Checks a speed factor given as text: a finite number above 0.
std::optional<double> parseSpeed(const std::string &text);

} // namespace ovaline::emu
