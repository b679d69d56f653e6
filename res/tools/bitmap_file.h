// SPDX-License-Identifier: MIT
// Every bitmap is drawn twice by the same code: at its own size into
// NAME.png and, with the painter scaled by 2, into NAME@2x.png, which Qt
// takes on screens scaled by more than 1. The helpers below draw the
// one-pixel lines of the pictures so that the 2x picture covers exactly the
// pixels of the 1x picture, doubled.
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

// The scales every bitmap is drawn at, with the file name suffix of each.
struct BitmapScale {
    int factor;
    const char *suffix;
};
inline constexpr BitmapScale kBitmapScales[] = {{1, ".png"}, {2, "@2x.png"}};

// Draws `draw` on an image of `size` (in 1x pixels) filled with `ground`, at
// every scale, and writes it to `path` plus the scale's suffix in `format`.
bool saveBitmap(const QString &path, QSize size, const std::function<void(QPainter &)> &draw,
                const QColor &ground, QImage::Format format);

// A one-pixel line from a to b, horizontal or vertical, both ends included.
void pixelLine(QPainter &p, QPoint a, QPoint b, const QColor &colour);

// The one-pixel border just inside r.
void pixelFrame(QPainter &p, const QRect &r, const QColor &colour);

// An aliased stroke one pixel wide lies on the pixels right of and below its
// line at 1x, but straddles the line once the painter is scaled. Shifted by
// half a pixel, strokes drawn after this fall on the pixels they cover at
// 1x; fills shift with them, so this suits shapes outlined by their stroke.
void alignStrokes(QPainter &p);
