// SPDX-License-Identifier: MIT
// A bitmap button that works while it is held down: it tells its parent
// window WM_HOLD_PRESS when it goes down and WM_HOLD_RELEASE when it comes
// up, before its own handling. The release is told wherever the mouse is
// let go (the button keeps the mouse meanwhile). The second press of a
// double click tells nothing.
//
// Held with Space or Enter it does the same: the first key press starts,
// the key's release stops, and the keyboard's auto-repeat is ignored. A
// button held by the keyboard that loses the focus is released.
#pragma once

#include "bitmap_button.h"

#include <QEvent>

namespace ovaline::control {

class CHoldButton : public CBitmapButton {
    Q_OBJECT
public:
    using CBitmapButton::CBitmapButton;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void Tell(QEvent::Type type);

    bool m_bKeyHeld = false;
};

} // namespace ovaline::control
