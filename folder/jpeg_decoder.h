// SPDX-License-Identifier: MIT
// JPEG data into Qt images over TurboJPEG: the picture size from the header,
// and whole-stream decodes at one of TurboJPEG's scaling factors.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <memory>
#include <optional>

namespace ovaline::folder {

// Largest picture side ever decoded; it bounds every pixel allocation.
inline constexpr int kMaxImageSide = 4096;

// A TurboJPEG scaling factor, num/denom.
struct JpegScale {
    int num = 1;
    int denom = 1;
    friend bool operator==(const JpegScale &, const JpegScale &) = default;
};

// The size TurboJPEG gives a picture of the given size at a scale.
QSize scaledSize(QSize size, JpegScale scale);

// The factor, no larger than 1, with the smallest result that still covers
// target in both sides; 1/1 when even the whole picture is smaller.
JpegScale coveringScale(QSize size, QSize target);

class JpegDecoder {
public:
    JpegDecoder();
    ~JpegDecoder();
    JpegDecoder(const JpegDecoder &) = delete;
    JpegDecoder &operator=(const JpegDecoder &) = delete;

    // The picture size the header declares; nullopt when the data is not a
    // JPEG or its header is damaged (a libjpeg warning counts as damage).
    std::optional<QSize> readSize(const QByteArray &jpeg);

    // Decodes the whole stream at the scale into a Format_RGB32 image; a
    // CMYK picture is converted to RGB. A null
    // image when the header is refused as by readSize, the scale is over 1,
    // a side is 0 or over kMaxImageSide (checked before any pixel is
    // allocated), the stream is damaged (warnings included) or memory runs
    // out. fast selects TurboJPEG's fast DCT and upsampling over the accurate
    // ones.
    QImage decode(const QByteArray &jpeg, JpegScale scale, bool fast);

private:
    struct HandleCloser {
        void operator()(void *handle) const;
    };

    struct Header {
        QSize size;
        int colourspace; // a TJCS value
    };
    std::optional<Header> header(const QByteArray &jpeg);

    // The TurboJPEG handle, made when first needed; null when that fails.
    void *handle();
    // Drops the handle after a failure: a header read that failed part way
    // leaves it in a state that misreads the next picture.
    std::nullopt_t fail();

    std::unique_ptr<void, HandleCloser> m_handle;
};

} // namespace ovaline::folder
