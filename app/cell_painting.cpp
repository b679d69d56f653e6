// SPDX-License-Identifier: MIT
#include "cell_painting.h"

#include "colour_contrast.h"

#include <QPainter>
#include <QPalette>

namespace ovaline::app {
namespace {

const QColor kFrameGrey(127, 127, 127);
const QColor kCaptionBlue(0, 0, 255);

int sign(int v) {
    return (v > 0) - (v < 0);
}

// Connected horizontal and vertical one-pixel lines that, as the panes were
// designed, leave out the last point: a later line drawn from there decides
// its colour. They are filled as pixel rows and columns, so that on a scaled
// screen each covers exactly its logical pixels.
void polyline(QPainter &painter, const QColor &colour, std::initializer_list<QPoint> points) {
    const QPoint *previous = nullptr;
    const QPoint *last = points.end() - 1;
    for (const QPoint &point : points) {
        if (previous) {
            QPoint end = point;
            if (&point == last)
                end -= QPoint(sign(point.x() - previous->x()), sign(point.y() - previous->y()));
            painter.fillRect(QRect(*previous, end).normalized(), colour);
        }
        previous = &point;
    }
}

} // namespace

void drawCellFrame(QPainter &painter, int x, int y) {
    const int w = kCellFrameWidth;
    const int h = kCellFrameHeight;
    polyline(painter, Qt::black, {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}, {x, y}});
    polyline(painter, kFrameGrey, {{x + 84, y + 1}, {x + 84, y + 89}, {x + 1, y + 89}});
    polyline(painter, kFrameGrey, {{x + 83, y + 2}, {x + 83, y + 88}, {x + 2, y + 88}});
    polyline(painter, Qt::white, {{x + 1, y + 89}, {x + 1, y + 1}, {x + 84, y + 1}});
    polyline(painter, Qt::white, {{x + 2, y + 88}, {x + 2, y + 2}, {x + 83, y + 2}});
}

void drawCellHighlight(QPainter &painter, int left, int top, int right, int bottom,
                       const QColor &colour) {
    polyline(painter, colour,
             {{left + 4, top + 4},
              {right - 4, top + 4},
              {right - 4, bottom - 4},
              {left + 4, bottom - 4},
              {left + 4, top + 4}});
}

QFont gothicFont() {
    QFont font;
    // The face the panes were designed with, then the Gothic faces a
    // Linux desktop has.
    font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                      QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic")});
    font.setPixelSize(14);
    font.setWeight(QFont::Normal);
    return font;
}

QColor captionBlue(const QPalette &palette) {
    return readableOn(kCaptionBlue, palette.color(QPalette::Window));
}

void drawCellCaption(QPainter &painter, int x, int y, const QString &text, const QColor &colour) {
    painter.save();
    painter.setFont(gothicFont());
    painter.setPen(colour);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.drawText(QPoint(x, y + QFontMetrics(painter.font()).ascent()), text);
    painter.restore();
}

} // namespace ovaline::app
