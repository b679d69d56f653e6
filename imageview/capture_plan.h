// SPDX-License-Identifier: MIT
// What Capture decides without a window: the slot it stores the live
// picture into, and the names the picture may be saved under.
#pragma once

#include <QDateTime>
#include <QString>

namespace ovaline::imageview {

// The first empty slot (1..7) of a slot map (the "QS" '1' reply), or 0.
int firstEmptySlot(const char *map);

// Whether slot 1..7 of a slot map may be overwritten when none is empty: it
// holds a picture that is not protected.
bool isOverwritable(const char *map, int slot);

// The picture taken at `when` is saved as "2026-12-08 14-03-22.JPG"; the
// n-th name of the same second (n >= 2) is "2026-12-08 14-03-22 (n).JPG".
QString captureFileName(const QDateTime &when, int n = 1);

} // namespace ovaline::imageview
