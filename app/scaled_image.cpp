// SPDX-License-Identifier: MIT
#include "scaled_image.h"

#include <QFile>

namespace ovaline::app {
namespace {

// The name of the bitmap at `scale`; the 1x name when there is none.
QString scaledPath(const QString &path, int scale) {
    if (scale == 1 || !path.endsWith(QLatin1String(".png")))
        return path;
    QString scaled = path;
    scaled.insert(path.size() - 4, QStringLiteral("@%1x").arg(scale));
    return QFile::exists(scaled) ? scaled : path;
}

} // namespace

int bitmapScaleFor(qreal devicePixelRatio) {
    return devicePixelRatio > 1 ? 2 : 1;
}

QImage loadScaledImage(const QString &path, qreal devicePixelRatio) {
    // Qt reads the device pixel ratio of an "@2x" file from its name.
    return QImage(scaledPath(path, bitmapScaleFor(devicePixelRatio)));
}

QPixmap loadScaledPixmap(const QString &path, qreal devicePixelRatio) {
    return QPixmap::fromImage(loadScaledImage(path, devicePixelRatio));
}

QSize logicalSize(const QImage &image) {
    return image.deviceIndependentSize().toSize();
}

ScaledImage::ScaledImage(const QString &path) : m_path(path) {}

const QImage &ScaledImage::At(qreal devicePixelRatio) {
    const int scale = bitmapScaleFor(devicePixelRatio);
    if (scale != m_nScale && !m_path.isEmpty()) {
        m_image = loadScaledImage(m_path, devicePixelRatio);
        m_nScale = scale;
    }
    return m_image;
}

} // namespace ovaline::app
