// SPDX-License-Identifier: MIT
#include "area_average.h"

#include "raster.h"
#include "thumbnail_size.h"

namespace ovaline::folder {

QImage areaAverage(const QImage &source, QSize size) {
    if (source.isNull() || size.isEmpty()) {
        return {};
    }
    const QImage rgb = source.convertToFormat(QImage::Format_RGB32);
    QImage target(size, QImage::Format_RGB32);
    if (rgb.isNull() || target.isNull()) {
        return {};
    }
    // Format_RGB32 rows are whole pixels long.
    constexpr int kPixelBytes = 4;
    fit::areaAverage(reinterpret_cast<const std::uint32_t *>(rgb.constBits()), rgb.width(),
                     rgb.height(), rgb.bytesPerLine() / kPixelBytes,
                     reinterpret_cast<std::uint32_t *>(target.bits()), size.width(), size.height(),
                     target.bytesPerLine() / kPixelBytes);
    return target;
}

QImage thumbnailImage(const QImage &source, QSize size, qreal devicePixelRatio) {
    QImage thumb = areaAverage(source, thumbnailPixels(size, devicePixelRatio));
    thumb.setDevicePixelRatio(devicePixelRatio);
    return thumb;
}

} // namespace ovaline::folder
