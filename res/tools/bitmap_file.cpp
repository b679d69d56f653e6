// SPDX-License-Identifier: MIT
#include "bitmap_file.h"

#include <QPainter>

#include <cstdio>

bool saveBitmap(const QString &path, QSize size, const std::function<void(QPainter &)> &draw,
                const QColor &ground, QImage::Format format) {
    for (const BitmapScale &scale : kBitmapScales) {
        QImage image(size * scale.factor, QImage::Format_ARGB32);
        image.fill(ground);
        {
            QPainter painter(&image);
            painter.scale(scale.factor, scale.factor);
            draw(painter);
        }
        const QString file = path + QLatin1String(scale.suffix);
        if (!image.convertToFormat(format).save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return false;
        }
    }
    return true;
}

void pixelLine(QPainter &p, QPoint a, QPoint b, const QColor &colour) {
    p.fillRect(QRect(a, b).normalized(), colour);
}

void pixelFrame(QPainter &p, const QRect &r, const QColor &colour) {
    pixelLine(p, r.topLeft(), r.topRight(), colour);
    pixelLine(p, r.bottomLeft(), r.bottomRight(), colour);
    pixelLine(p, r.topLeft(), r.bottomLeft(), colour);
    pixelLine(p, r.topRight(), r.bottomRight(), colour);
}

void alignStrokes(QPainter &p) {
    if (p.transform().m11() > 1)
        p.translate(0.5, 0.5);
}
