// SPDX-License-Identifier: MIT
// The top rows of a JPEG picture whose stream is still arriving: each call
// takes the stream's first bytes so far and decodes only what they add, so
// the whole picture costs one decode however often it is fed.
//
// Baseline pictures only. libjpeg's scanline interface over a source that
// suspends at the end of the bytes held tells exactly how many rows are
// complete; a row is never shown grey for want of data. A progressive or
// CMYK picture, a side of 0 or over kMaxImageSide, or a stream libjpeg warns
// about is refused: it shows no rows, and its whole picture is left to the
// ordinary decode once it has arrived.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QSize>

#include <memory>

namespace ovaline::folder {

class PartialJpeg {
public:
    // Decodes at the smallest scale that still covers `cover`; an empty
    // `cover` decodes at full size.
    explicit PartialJpeg(QSize cover = {});
    ~PartialJpeg();
    PartialJpeg(const PartialJpeg &) = delete;
    PartialJpeg &operator=(const PartialJpeg &) = delete;

    // Takes the stream's first bytes: those fed before and possibly more. A
    // shorter or different start begins the picture anew. Returns true when
    // the rows changed: more of them, or none left after a new start or a
    // refusal.
    bool Feed(QByteArrayView start);

    // The rows complete so far, at the decoding scale, Format_RGB32; null
    // before the first one and after a refusal.
    QImage Rows() const;
    // The whole picture's size at the decoding scale; empty until the
    // header has arrived.
    QSize ScaledSize() const;
    bool Refused() const;

private:
    struct Decoder;
    std::unique_ptr<Decoder> m_decoder;
    QSize m_cover;
};

} // namespace ovaline::folder
