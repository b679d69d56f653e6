// SPDX-License-Identifier: MIT
// How screen readers find a bitmap button: a push button named by its
// label, or a check box, checked while its lamp is lit, for a button that
// has a lamp. Pressing it clicks it, as a click of the mouse does; the lamp
// changes only as the window's own state does.
#pragma once

class QAccessibleInterface;

namespace ovaline::control {

class CBitmapButton;

QAccessibleInterface *bitmapButtonAccessible(CBitmapButton *button);

} // namespace ovaline::control
