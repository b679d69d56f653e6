// SPDX-License-Identifier: MIT
// Where the camera-memory view puts its seven slot frames, in the pixels of
// the view's document (its scrolled content).
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace ovaline::imageview {

inline constexpr int kSlotCount = 7;
inline constexpr int kSlotPitch = 88;
inline constexpr int kThumbWidth = 60;

// The frame of slot i (0..6): 85 x 90 from (5 + 88 i, 10).
inline QPoint frameOrigin(int i) {
    return {5 + kSlotPitch * i, 10};
}
// Slot i's hit area: left <= x < right, top <= y < bottom.
inline QRect slotRect(int i) {
    return {frameOrigin(i), QSize(85, 90)};
}
// Where slot i's thumbnail is drawn.
inline QPoint thumbOrigin(int i) {
    return {18 + kSlotPitch * i, 20};
}
// The slot under a point, or -1.
inline int slotAt(QPoint p) {
    for (int i = 0; i < kSlotCount; ++i)
        if (slotRect(i).contains(p))
            return i;
    return -1;
}

// Scroll sizes: the whole row, a page and a line.
inline constexpr QSize kTotalSize{620, 90};
inline constexpr QSize kSlotPageStep{88, 100};
inline constexpr QSize kSlotLineStep{88, 50};

} // namespace ovaline::imageview
