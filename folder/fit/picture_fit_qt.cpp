// SPDX-License-Identifier: MIT
// Formats other than JPEG through Qt's image plugins: PNG, BMP and GIF from
// Qt itself, TIFF and WebP from qt6-image-formats-plugins.
#include "picture_fit_qt.h"

#include "picture_sources.h"

#include <QBuffer>
#include <QImageReader>

#include <cstring>
#include <new>

namespace ovaline::fit {
namespace {

// Reads the bytes in place, without a copy.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> file)
        : m_bytes(QByteArray::fromRawData(reinterpret_cast<const char *>(file.data()),
                                          qsizetype(file.size()))),
          m_buffer(&m_bytes) {
        m_buffer.open(QIODevice::ReadOnly);
        m_reader.setDevice(&m_buffer);
        m_reader.setAutoTransform(true);
    }
    QImageReader &reader() { return m_reader; }

private:
    QByteArray m_bytes;
    QBuffer m_buffer;
    QImageReader m_reader;
};

Raster rasterOf(const QImage &image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    if (argb.isNull())
        throw std::bad_alloc();
    Raster picture;
    picture.width = argb.width();
    picture.height = argb.height();
    picture.pixels.resize(std::size_t(picture.width) * std::size_t(picture.height));
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(picture.pixels.data() + std::size_t(y) * std::size_t(picture.width),
                    argb.constScanLine(y), std::size_t(picture.width) * sizeof(std::uint32_t));
    return picture;
}

} // namespace

bool readsOtherFormats() {
    return true;
}

std::optional<FitFailure> checkOtherFormat(std::span<const std::uint8_t> file) {
    ByteReader bytes(file);
    if (!bytes.reader().canRead())
        return FitFailure::NotAPicture;
    const QSize size = bytes.reader().size();
    if (size.isValid() && hasTooManyPixels(size.width(), size.height()))
        return FitFailure::TooLarge;
    return std::nullopt;
}

std::variant<Raster, FitFailure> decodeOtherFormat(std::span<const std::uint8_t> file) {
    ByteReader bytes(file);
    const QImage image = bytes.reader().read();
    if (image.isNull())
        return FitFailure::NotAPicture;
    return rasterOf(image);
}

Fitted fitImage(const QImage &image, CameraSize camera) {
    if (image.isNull() || camera.width < 1 || camera.height < 1)
        return FitFailure::NotAPicture;
    if (hasTooManyPixels(image.width(), image.height()))
        return FitFailure::TooLarge;
    try {
        return fitUpright(rasterOf(image), camera);
    } catch (const std::bad_alloc &) {
        return FitFailure::NoMemory;
    }
}

} // namespace ovaline::fit
