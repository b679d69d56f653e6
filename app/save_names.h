// SPDX-License-Identifier: MIT
// The names under which Save writes the slots' pictures.
#pragma once

#include <QString>

namespace ovaline::app {

// One slot: the chosen path, with ".JPG" added unless it already ends in
// ".JPG" in any case ("photo.jpeg" becomes "photo.jpeg.JPG").
QString singleSlotFileName(const QString &chosenPath);

// Slot `slotIndex` (0..6) of the whole memory: the chosen path less a
// trailing ".JPG" in any case, the slot digit 1..7, ".JPG".
QString memorySlotFileName(const QString &chosenPath, int slotIndex);

} // namespace ovaline::app
