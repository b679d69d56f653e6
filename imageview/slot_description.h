// SPDX-License-Identifier: MIT
// What a screen reader says of a slot frame.
#pragma once

#include <QSize>
#include <QString>

namespace ovaline::imageview {

// "Slot 3, picture, 736 by 480" for slot 3 (1..7) showing a picture of that
// size; "Slot 5, empty" for a frame that shows none (an empty size).
QString slotDescription(int slot, QSize picture);

} // namespace ovaline::imageview
