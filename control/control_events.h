// SPDX-License-Identifier: MIT
// The events between the remote control, its hold buttons and the slot
// selection window, numbered as the program's private window messages were.
#pragma once

#include <QEvent>

namespace ovaline::control {

// A hold button went up (its stop command is due) or down (its start
// command is due); the event carries the button's control id.
inline constexpr QEvent::Type WM_HOLD_RELEASE = static_cast<QEvent::Type>(0x400 + 20);
inline constexpr QEvent::Type WM_HOLD_PRESS = static_cast<QEvent::Type>(0x400 + 22);

// From the selection window: put the remote control on top.
inline constexpr QEvent::Type WM_RAISE_REMOTE = static_cast<QEvent::Type>(0x400 + 220);

class CHoldEvent : public QEvent {
public:
    CHoldEvent(Type type, int controlId) : QEvent(type), m_nControlId(controlId) {}
    int ControlId() const { return m_nControlId; }

private:
    int m_nControlId;
};

} // namespace ovaline::control
