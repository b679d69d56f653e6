// SPDX-License-Identifier: MIT
// What screen readers find of the windows that Qt's own accessibility does
// not know: the bitmap buttons, the panes that paint their cells, and the
// tool windows of the program's own (windows, as the main window is).
#pragma once

namespace ovaline::app {

// Called once, before the first window is shown.
void installAccessibility();

} // namespace ovaline::app
