// SPDX-License-Identifier: MIT
// The unit's answers to the fingerprint queries ("QF" the table of the seven
// slots, "QC" its stamp), made from the fingerprints the unit keeps.
#pragma once

#include "ovaline_fingerprint.h"

#include <array>
#include <cstdint>
#include <vector>

namespace ovaline {

using SlotPrints = std::array<OvalineFingerprint, OVALINE_SLOT_COUNT>;

bool isFingerprintQuery(char first, char second);

// The reply to "QF": size and CRC-32 of each slot, big-endian.
std::vector<std::uint8_t> fingerprintsReply(const SlotPrints &prints);
// The reply to "QC": the CRC-32 of the "QF" reply, big-endian.
std::vector<std::uint8_t> stampReply(const SlotPrints &prints);

} // namespace ovaline
