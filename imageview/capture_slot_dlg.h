// SPDX-License-Identifier: MIT
// Capture's question when every slot of the unit holds a picture: which one
// the new picture replaces. Only slots with an unprotected picture can be
// chosen; Cancel (or Esc) leaves every slot as it is.
#pragma once

#include <QDialog>

#include <array>

class QPushButton;

namespace ovaline::imageview {

class CCaptureSlotDlg : public QDialog {
    Q_OBJECT
public:
    // `map` is the unit's slot map (the "QS" '1' reply).
    CCaptureSlotDlg(QWidget *parent, const char *map);

    // The slot chosen, 1..7; 0 after Cancel.
    int ChooseSlot();

    QPushButton *SlotButton(int slot) const { return m_slots[slot - 1]; }

private:
    std::array<QPushButton *, 7> m_slots{};
};

} // namespace ovaline::imageview
