// SPDX-License-Identifier: MIT
// The context menu of a slot frame: its entries in order, and when each is
// enabled, by the rules of the command or the mouse action it stands for.
#pragma once

#include <QtGlobal>

namespace ovaline::imageview {

enum class SlotCommand { Receive, Copy, Paste, SaveAs, Show };

struct SlotMenuEntry {
    SlotCommand command;
    const char *text;
    bool needsUnit;    // talks to the camera: Receive, a send, Save's slot map
    bool needsPicture; // works on the bytes the program holds for the slot
};

inline constexpr SlotMenuEntry kSlotMenu[] = {
    {SlotCommand::Receive, QT_TRANSLATE_NOOP("ovaline::app::COvalineView", "Receive this slot"),
     true, false},
    {SlotCommand::Copy, QT_TRANSLATE_NOOP("ovaline::app::COvalineView", "Copy Picture"), false,
     true},
    {SlotCommand::Paste, QT_TRANSLATE_NOOP("ovaline::app::COvalineView", "Paste Picture"), true,
     false},
    {SlotCommand::SaveAs, QT_TRANSLATE_NOOP("ovaline::app::COvalineView", "Save As…"), true, true},
    {SlotCommand::Show, QT_TRANSLATE_NOOP("ovaline::app::COvalineView", "Show"), false, true},
};

// Nothing works during a transfer, as the windows are held still then.
inline bool isSlotCommandEnabled(const SlotMenuEntry &entry, bool busy, bool unitKnown,
                                 bool holdsPicture) {
    return !busy && (unitKnown || !entry.needsUnit) && (holdsPicture || !entry.needsPicture);
}

} // namespace ovaline::imageview
