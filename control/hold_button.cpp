// SPDX-License-Identifier: MIT
#include "hold_button.h"

#include "control_events.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace ovaline::control {

void CHoldButton::Tell(QEvent::Type type) {
    if (!parentWidget())
        return;
    CHoldEvent event(type, ControlId());
    QCoreApplication::sendEvent(parentWidget(), &event);
}

void CHoldButton::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        Tell(WM_HOLD_PRESS);
    CBitmapButton::mousePressEvent(event);
}

void CHoldButton::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        Tell(WM_HOLD_RELEASE);
    CBitmapButton::mouseReleaseEvent(event);
}

void CHoldButton::keyPressEvent(QKeyEvent *event) {
    if (IsPressKey(event) && !event->isAutoRepeat() && !m_bKeyHeld && !isDown()) {
        m_bKeyHeld = true;
        Tell(WM_HOLD_PRESS);
    }
    CBitmapButton::keyPressEvent(event);
}

void CHoldButton::keyReleaseEvent(QKeyEvent *event) {
    if (IsPressKey(event) && !event->isAutoRepeat() && m_bKeyHeld) {
        m_bKeyHeld = false;
        Tell(WM_HOLD_RELEASE);
    }
    CBitmapButton::keyReleaseEvent(event);
}

void CHoldButton::focusOutEvent(QFocusEvent *event) {
    if (m_bKeyHeld) {
        m_bKeyHeld = false;
        Tell(WM_HOLD_RELEASE);
    }
    CBitmapButton::focusOutEvent(event);
}

} // namespace ovaline::control
