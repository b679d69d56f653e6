// SPDX-License-Identifier: MIT
// The panels follow the user's colour scheme: their black, dark grey, light
// grey and white are drawn in the button colours of the current palette
// (button text, shadow, face and highlight). Every other colour stays.
#pragma once

#include <QHash>
#include <QImage>
#include <QPalette>
#include <QString>

class QWidget;

namespace ovaline::control {

QImage mapSystemColours(const QImage &image, const QPalette &palette);

// Loads an image from the resources at the scale for `devicePixelRatio`
// and maps it.
QImage loadMappedImage(const QString &path, const QPalette &palette, qreal devicePixelRatio = 1);

// A window's mapped images, each made once for the window's palette and
// screen scale and made anew when either changes.
class MappedImages {
public:
    const QImage &Get(const QString &path, const QWidget &window);

private:
    QHash<QString, QImage> m_images;
    qint64 m_nPaletteKey = -1;
    int m_nScale = 0;
};

} // namespace ovaline::control
