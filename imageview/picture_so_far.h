// SPDX-License-Identifier: MIT
// What a receive has brought of a picture so far, as rows to show: the
// library's copy of the bytes that have arrived, decoded a little further
// each time it is taken.
#pragma once

#include "ovaline.h"
#include "partial_jpeg.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace ovaline::imageview {

class PictureSoFar {
public:
    // Decodes at the smallest scale that still covers `cover`; an empty
    // `cover` decodes at the picture's own size.
    explicit PictureSoFar(QSize cover);

    // Takes the bytes of the receive running on `record` (from the thread
    // that waits for it). True when the rows to show changed.
    bool TakeFrom(const TrafficBlock &record);

    // The rows so far as the top of the picture's thumbnail, `width` wide:
    // null before they fill a thumbnail row.
    QImage Thumbnail(int width) const;
    // The rows so far at the decoding scale; null before the first one.
    QImage Rows() const { return m_jpeg.Rows(); }

private:
    QByteArray m_bytes;
    folder::PartialJpeg m_jpeg;
};

} // namespace ovaline::imageview
