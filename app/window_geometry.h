// SPDX-License-Identifier: MIT
// Placing and sizing top-level windows by their outer (framed) size.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace ovaline::app {

// The top-left corner that centres a window of `window` on a screen of
// `screen`; negative when the window is larger (division rounds to zero).
QPoint centredOrigin(const QSize &screen, const QSize &window);

// Sizes a shown window so that its outer size, frame included, is `outer`.
void resizeOuter(QWidget *window, const QSize &outer);
// Fixes a shown tool window at the outer size `outer`, frame included.
void fixOuterSize(QWidget *window, const QSize &outer);

// The outer size of a window: its frame's when it has one.
QSize outerSize(const QWidget *window);

} // namespace ovaline::app

namespace ovaline::app {

// A rectangle in dialog units to pixels, for a font whose average character
// is base.width() wide and base.height() high.
QRect fromDialogUnits(const QRect &units, const QSize &base);

} // namespace ovaline::app
