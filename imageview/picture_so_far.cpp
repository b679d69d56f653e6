// SPDX-License-Identifier: MIT
#include "picture_so_far.h"

#include "thumbnail_size.h"

namespace ovaline::imageview {

PictureSoFar::PictureSoFar(QSize cover) : m_bytes(OVALINE_MAX_IMAGE, '\0'), m_jpeg(cover) {}

bool PictureSoFar::TakeFrom(const TrafficBlock &record) {
    const std::int32_t count = OvalineReceivedPrefix(
        &record, reinterpret_cast<std::uint8_t *>(m_bytes.data()), OVALINE_MAX_IMAGE);
    return count >= 0 && m_jpeg.Feed(QByteArrayView(m_bytes).first(count));
}

QImage PictureSoFar::Thumbnail(int width) const {
    const QImage rows = m_jpeg.Rows();
    const QSize whole = m_jpeg.ScaledSize();
    if (rows.isNull() || whole.isEmpty())
        return {};
    const QSize thumb = folder::thumbnailSize(float(whole.width()), float(whole.height()), width);
    const int shown = rows.height() * thumb.height() / whole.height();
    if (shown < 1)
        return {};
    // The rows that make exactly `shown` thumbnail rows, so the top keeps
    // the whole thumbnail's proportions.
    const int source = shown * whole.height() / thumb.height();
    return rows.copy(0, 0, rows.width(), source)
        .scaled(thumb.width(), shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace ovaline::imageview
