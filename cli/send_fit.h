// SPDX-License-Identifier: MIT
// send --fit: any picture file made fit for the unit before it is sent.
#pragma once

#include "preflight.h"
#include "unit_client.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ovaline::cli {

// Reads the picture file `name` and makes `picture` the JPEG to send: the
// file itself when it is already a JPEG of the unit's picture size, or the
// picture fitted to that size. What can be judged from the file alone is
// refused before the unit is asked for its model.
Check fitForUnit(const UnitClient &unit, const std::string &name,
                 std::vector<std::uint8_t> &picture);

} // namespace ovaline::cli
