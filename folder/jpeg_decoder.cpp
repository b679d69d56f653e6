// SPDX-License-Identifier: MIT
#include "jpeg_decoder.h"

#include <turbojpeg.h>

#include <QtGlobal>

#include <cstring>
#include <new>

namespace ovaline::folder {
namespace {

// Format_RGB32 is 0xffRRGGBB in native byte order; TurboJPEG writes the
// fourth byte of these layouts as opaque.
constexpr TJPF kRgb32Layout = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? TJPF_BGRA : TJPF_ARGB;
constexpr int kBytesPerPixel = 4;

const unsigned char *bytesOf(const QByteArray &jpeg) {
    return reinterpret_cast<const unsigned char *>(jpeg.constData());
}

void releasePixels(void *pixels) {
    delete[] static_cast<uchar *>(pixels);
}

// CMYK pictures (also those kept as YCCK) decode to their inks; the rest
// TurboJPEG turns into RGB itself.
bool isCmyk(int colourspace) {
    return colourspace == TJCS_CMYK || colourspace == TJCS_YCCK;
}

// Turns decoded CMYK pixels into Format_RGB32 in place, four bytes each.
// CMYK JPEGs keep their inks inverted (255 is no ink, as the APP14 marker
// they carry says), so without colour management a channel is its value
// darkened by the black: red = c * k / 255.
void cmykToRgb32(uchar *pixels, qsizetype count) {
    for (qsizetype i = 0; i < count; ++i) {
        uchar *p = pixels + i * kBytesPerPixel;
        const int k = p[3];
        const QRgb rgb = qRgb(p[0] * k / 255, p[1] * k / 255, p[2] * k / 255);
        std::memcpy(p, &rgb, sizeof rgb);
    }
}

bool withinLimit(QSize size) {
    return size.width() >= 1 && size.height() >= 1 && size.width() <= kMaxImageSide &&
           size.height() <= kMaxImageSide;
}

} // namespace

QSize scaledSize(QSize size, JpegScale scale) {
    const auto side = [scale](int length) {
        return (length * scale.num + scale.denom - 1) / scale.denom;
    };
    return {side(size.width()), side(size.height())};
}

JpegScale coveringScale(QSize size, QSize target) {
    int count = 0;
    const tjscalingfactor *factors = tjGetScalingFactors(&count);
    JpegScale best;
    QSize bestSize = size;
    for (int i = 0; factors && i < count; ++i) {
        const JpegScale scale{factors[i].num, factors[i].denom};
        if (scale.num > scale.denom) {
            continue;
        }
        const QSize scaled = scaledSize(size, scale);
        const bool covers = scaled.width() >= target.width() && scaled.height() >= target.height();
        const bool smaller =
            scaled.width() < bestSize.width() ||
            (scaled.width() == bestSize.width() && scaled.height() < bestSize.height());
        if (covers && smaller) {
            best = scale;
            bestSize = scaled;
        }
    }
    return best;
}

void JpegDecoder::HandleCloser::operator()(void *handle) const {
    tjDestroy(handle);
}

JpegDecoder::JpegDecoder() = default;

JpegDecoder::~JpegDecoder() = default;

void *JpegDecoder::handle() {
    if (!m_handle) {
        m_handle.reset(tjInitDecompress());
    }
    return m_handle.get();
}

std::nullopt_t JpegDecoder::fail() {
    m_handle.reset();
    return std::nullopt;
}

std::optional<QSize> JpegDecoder::readSize(const QByteArray &jpeg) {
    const std::optional<Header> read = header(jpeg);
    return read ? std::optional<QSize>(read->size) : std::nullopt;
}

std::optional<JpegDecoder::Header> JpegDecoder::header(const QByteArray &jpeg) {
    void *decompressor = handle();
    if (!decompressor || jpeg.isEmpty()) {
        return std::nullopt;
    }
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colourspace = 0;
    if (tjDecompressHeader3(decompressor, bytesOf(jpeg), static_cast<unsigned long>(jpeg.size()),
                            &width, &height, &subsampling, &colourspace) != 0 ||
        tjGetErrorCode(decompressor) == TJERR_WARNING) {
        return fail();
    }
    return Header{QSize(width, height), colourspace};
}

QImage JpegDecoder::decode(const QByteArray &jpeg, JpegScale scale, bool fast) {
    // The header alone can claim a huge picture: refuse it before allocating.
    const std::optional<Header> read = header(jpeg);
    if (!read || !withinLimit(read->size) || scale.num < 1 || scale.denom < 1 ||
        scale.num > scale.denom) {
        return {};
    }
    const QSize out = scaledSize(read->size, scale);
    const qsizetype bytesPerLine = qsizetype(out.width()) * kBytesPerPixel;
    // A buffer of our own, owned by the image through its cleanup function:
    // running out of memory is then a failed decode rather than an exception.
    uchar *pixels = new (std::nothrow) uchar[bytesPerLine * out.height()];
    if (!pixels) {
        return {};
    }
    QImage image(pixels, out.width(), out.height(), bytesPerLine, QImage::Format_RGB32,
                 releasePixels, pixels);
    if (image.isNull()) {
        releasePixels(pixels);
        return {};
    }
    // Any warning stops the decode, so a truncated or damaged stream is a
    // failure rather than a picture with a grey remainder; the scan limit
    // bounds the work a hostile progressive stream can cause.
    int flags = TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS;
    if (fast) {
        flags |= TJFLAG_FASTDCT | TJFLAG_FASTUPSAMPLE;
    }
    const bool cmyk = isCmyk(read->colourspace);
    if (tjDecompress2(handle(), bytesOf(jpeg), static_cast<unsigned long>(jpeg.size()), pixels,
                      out.width(), int(bytesPerLine), out.height(), cmyk ? TJPF_CMYK : kRgb32Layout,
                      flags) != 0 ||
        tjGetErrorCode(handle()) == TJERR_WARNING) {
        fail();
        return {};
    }
    if (cmyk) {
        cmykToRgb32(pixels, qsizetype(out.width()) * out.height());
    }
    return image;
}

} // namespace ovaline::folder
