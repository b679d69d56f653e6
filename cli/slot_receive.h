// SPDX-License-Identifier: MIT
// A slot's picture received from the unit, with its progress on a terminal.
#pragma once

#include "unit_client.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace ovaline::cli {

// The picture of slot `slot`; when the exchange fails, says why and puts
// the exit status into `status`.
std::optional<std::vector<std::uint8_t>> receiveSlotPicture(const UnitClient &unit, int slot,
                                                            int &status);

} // namespace ovaline::cli
