// SPDX-License-Identifier: MIT
#include "system_colours.h"

#include "scaled_image.h"

#include <QWidget>

namespace ovaline::control {

QImage mapSystemColours(const QImage &image, const QPalette &palette) {
    const struct {
        QRgb from;
        QRgb to;
    } map[] = {
        {qRgb(0, 0, 0), palette.color(QPalette::Active, QPalette::ButtonText).rgb()},
        {qRgb(128, 128, 128), palette.color(QPalette::Active, QPalette::Dark).rgb()},
        {qRgb(192, 192, 192), palette.color(QPalette::Active, QPalette::Button).rgb()},
        {qRgb(255, 255, 255), palette.color(QPalette::Active, QPalette::Light).rgb()},
    };
    QImage mapped = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < mapped.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(mapped.scanLine(y));
        for (int x = 0; x < mapped.width(); ++x) {
            const QRgb pixel = line[x] | 0xFF000000u;
            for (const auto &m : map) {
                if (pixel == m.from) {
                    line[x] = m.to;
                    break;
                }
            }
        }
    }
    return mapped;
}

QImage loadMappedImage(const QString &path, const QPalette &palette, qreal devicePixelRatio) {
    return mapSystemColours(app::loadScaledImage(path, devicePixelRatio), palette);
}

const QImage &MappedImages::Get(const QString &path, const QWidget &window) {
    const qreal ratio = window.devicePixelRatioF();
    const int scale = app::bitmapScaleFor(ratio);
    const qint64 paletteKey = window.palette().cacheKey();
    if (scale != m_nScale || paletteKey != m_nPaletteKey) {
        m_images.clear();
        m_nScale = scale;
        m_nPaletteKey = paletteKey;
    }
    auto image = m_images.find(path);
    if (image == m_images.end())
        image = m_images.insert(path, loadMappedImage(path, window.palette(), ratio));
    return *image;
}

} // namespace ovaline::control
