// SPDX-License-Identifier: MIT
// The drawing that both panes share: the bevelled 85 x 90 frames of slots and
// picture cells, their inner highlight, and their blue captions in the
// 14-pixel Gothic face. Lines cover whole logical pixels, so they stay sharp
// on a scaled screen.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QPainter;
class QPalette;

namespace ovaline::app {

inline constexpr int kCellFrameWidth = 85;
inline constexpr int kCellFrameHeight = 90;

// Black outline, grey lower-right and white upper-left inner edges, with its
// top-left corner at (x, y).
void drawCellFrame(QPainter &painter, int x, int y);

// A 1-pixel outline 4 pixels inside the rectangle from (left, top) to
// (right, bottom).
void drawCellHighlight(QPainter &painter, int left, int top, int right, int bottom,
                       const QColor &colour);

// The Japanese Gothic face, 14 pixels high, or the nearest Gothic the system has.
QFont gothicFont();

// The blue of the captions and of the chosen slot's outline on a pane of
// `palette`: the designed blue, or under a dark palette a lighter blue that
// reads as well.
QColor captionBlue(const QPalette &palette);

// Text in `colour` with a transparent background, its top-left at (x, y).
void drawCellCaption(QPainter &painter, int x, int y, const QString &text, const QColor &colour);

} // namespace ovaline::app
