// SPDX-License-Identifier: MIT
// The program's fixed-pitch "Courier New" font, sized by its cell height the
// way the original font requests were.
#pragma once

#include <QFont>

namespace ovaline::app {

// The largest "Courier New" (or its fixed-pitch stand-in) whose line height
// is at most `cellHeight` pixels, normal weight.
QFont courierFont(int cellHeight);

} // namespace ovaline::app
