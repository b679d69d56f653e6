// SPDX-License-Identifier: MIT
// The program's bitmaps at the scale of the screen they are shown on. Every
// bitmap of the resources, NAME.png, has a twice as large NAME@2x.png (Qt's
// naming). A screen scaled by more than 1 takes the 2x one, as Qt's icons
// do; its device pixel ratio of 2 makes it draw at the 1x size in logical
// pixels, so the layout stays the same at every scale.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace ovaline::app {

// The bitmap scale, 1 or 2, for a screen of this device pixel ratio.
int bitmapScaleFor(qreal devicePixelRatio);

// The resource bitmap `path` (its 1x name) at the scale for the ratio.
QImage loadScaledImage(const QString &path, qreal devicePixelRatio);
QPixmap loadScaledPixmap(const QString &path, qreal devicePixelRatio);

// An image's size in logical pixels.
QSize logicalSize(const QImage &image);

// A resource bitmap kept at the scale of the screen it is drawn on: it is
// loaded again when its window goes to a screen of another scale.
class ScaledImage {
public:
    ScaledImage() = default;
    explicit ScaledImage(const QString &path);

    // The bitmap for a screen of this device pixel ratio; null when there
    // is none.
    const QImage &At(qreal devicePixelRatio);

private:
    QString m_path;
    QImage m_image;
    int m_nScale = 0; // the scale m_image was loaded at; 0 before the first load
};

} // namespace ovaline::app
