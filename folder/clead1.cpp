// SPDX-License-Identifier: MIT
#include "clead1.h"

#include "area_average.h"
#include "bounded_file.h"

#include <limits>
#include <optional>
#include <utility>

using ovaline::folder::JpegScale;

CLead1::CLead1() = default;

void CLead1::SetProperty1(qint32 value) {
    const bool inRange = value >= 1 && value <= ovaline::folder::kMaxImageSide;
    m_maxSide = inRange ? value : ovaline::folder::kMaxImageSide;
}

void CLead1::SetProperty2(bool value) {
    m_fast = value;
}

float CLead1::GetImageWidth() const {
    return float(m_held.size.width());
}

float CLead1::GetImageHeight() const {
    return float(m_held.size.height());
}

int CLead1::LoadFile(const QString &path) {
    std::optional<QByteArray> bytes = ovaline::folder::readBoundedFile(path, kMaxFileBytes);
    if (!bytes) {
        m_held = {};
        return kUnreadable;
    }
    return load(std::move(*bytes));
}

int CLead1::LoadMemory(QByteArrayView slot, qsizetype count) {
    if (count < 1 || count > slot.size()) {
        m_held = {};
        return kNoData;
    }
    return load(slot.first(count).toByteArray());
}

qint32 CLead1::GetImageHandle() const {
    return m_held.handle;
}

QImage CLead1::GetBitmap(qint32 handle) {
    return holds(handle) ? decodeAt(JpegScale{1, 1}) : QImage();
}

QByteArray CLead1::GetJpegData(qint32 handle) const {
    return holds(handle) ? m_held.jpeg : QByteArray();
}

QList<QRgb> CLead1::GetPalette(qint32 handle) const {
    QList<QRgb> palette;
    if (!holds(handle)) {
        return palette;
    }
    palette.reserve(256);
    for (int i = 0; i < 256; ++i) {
        palette.append(qRgb((i >> 5) * 255 / 7, ((i >> 2) & 7) * 255 / 7, (i & 3) * 255 / 3));
    }
    return palette;
}

QImage CLead1::GetThumbnail(int width, qreal devicePixelRatio) {
    using namespace ovaline::folder;
    const QSize target = thumbnailSize(GetImageWidth(), GetImageHeight(), width);
    if (m_held.handle == 0 || target.isEmpty()) {
        return {};
    }
    const QImage source =
        decodeAt(coveringScale(m_held.size, thumbnailPixels(target, devicePixelRatio)));
    return source.isNull() ? QImage() : thumbnailImage(source, target, devicePixelRatio);
}

int CLead1::load(QByteArray jpeg) {
    m_held = {};
    if (jpeg.isEmpty()) {
        return kNoData;
    }
    const std::optional<QSize> size = m_decoder.readSize(jpeg);
    if (!size) {
        return kNotJpeg;
    }
    if (size->width() < 1 || size->height() < 1 || size->width() > m_maxSide ||
        size->height() > m_maxSide) {
        return kOverLimit;
    }
    // The smallest scale that covers a single pixel is TurboJPEG's smallest.
    const JpegScale smallest = ovaline::folder::coveringScale(*size, QSize(1, 1));
    QImage preview = m_decoder.decode(jpeg, smallest, m_fast);
    if (preview.isNull()) {
        return kDamaged;
    }
    m_lastHandle = m_lastHandle == std::numeric_limits<qint32>::max() ? 1 : m_lastHandle + 1;
    m_held = Held{std::move(jpeg), *size, m_fast, smallest, std::move(preview), m_lastHandle};
    return kLoaded;
}

QImage CLead1::decodeAt(JpegScale scale) {
    if (scale == m_held.previewScale) {
        return m_held.preview;
    }
    return m_decoder.decode(m_held.jpeg, scale, m_held.fast);
}
