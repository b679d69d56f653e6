// SPDX-License-Identifier: MIT
// What the unit's slots hold, by size and CRC-32, against the pictures the
// program holds already: a whole-memory Receive fetches only the slots that
// changed.
#pragma once

#include "ovaline_fingerprint.h"

#include <QString>

#include <array>
#include <optional>

namespace ovaline::imageview {

using SlotPrints = std::array<OvalineFingerprint, OVALINE_SLOT_COUNT>;
using SlotFlags = std::array<bool, OVALINE_SLOT_COUNT>;

// Asks the unit for its fingerprints ("QF") on the program's port and rate.
// nullopt when it does not tell them: a unit made before the query refuses
// it, and a failed exchange says nothing either; the caller then receives
// as it always did, and reports the line's trouble there.
std::optional<SlotPrints> QuerySlotPrints(int port, int baudIndex, int linkOption);

// The slots that need no transfer: the program holds a picture for the slot
// and the unit's has the same size and CRC-32.
SlotFlags UnchangedSlots(const SlotPrints &unit, const SlotPrints &held);

// The message pane's text for the slots left as they were: "Slot 3
// unchanged", or "Slots 1, 2 and 4 unchanged" for several.
QString UnchangedText(const SlotFlags &unchanged);

} // namespace ovaline::imageview
