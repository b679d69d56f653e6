// SPDX-License-Identifier: MIT
// Fingerprints of the unit's slots and of the files received from them, so
// that only pictures that changed cross the line again.
#pragma once

#include "ovaline_fingerprint.h"
#include "unit_client.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace ovaline::cli {

using SlotPrints = std::array<OvalineFingerprint, OVALINE_SLOT_COUNT>;

// The unit's fingerprints ("QF"), and the stamp of the table in `stamp`;
// nullopt with `code` set when the unit does not tell them.
std::optional<SlotPrints> queryPrints(const UnitClient &unit, std::int32_t &code,
                                      std::uint32_t &stamp);

// The stamp the unit gives now ("QC"); `code` says whether it answered.
std::uint32_t queryStamp(const UnitClient &unit, std::int32_t &code);

// Where slot 1..7 is written in `folder`.
std::filesystem::path slotFile(const std::filesystem::path &folder, int slot);

// Size and CRC-32 of a file; 0 and 0 when it is missing or cannot be read.
OvalineFingerprint filePrint(const std::filesystem::path &path);

} // namespace ovaline::cli
