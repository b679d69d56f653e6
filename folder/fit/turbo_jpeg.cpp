// SPDX-License-Identifier: MIT
#include "turbo_jpeg.h"

#include <turbojpeg.h>

#include <bit>
#include <climits>
#include <cstring>
#include <memory>

namespace ovaline::fit {
namespace {

// 0xAARRGGBB in native byte order; TurboJPEG writes the fourth byte of these
// layouts as opaque.
constexpr TJPF kPixelLayout = std::endian::native == std::endian::little ? TJPF_BGRA : TJPF_ARGB;
constexpr int kBytesPerPixel = 4;
constexpr int kLowestQuality = 1;
constexpr int kHighestQuality = 100;

struct HandleCloser {
    void operator()(void *handle) const { tjDestroy(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

struct BufferFreer {
    void operator()(unsigned char *buffer) const { tjFree(buffer); }
};
using Buffer = std::unique_ptr<unsigned char, BufferFreer>;

int scaled(int length, const tjscalingfactor &factor) {
    return int((std::int64_t(length) * factor.num + factor.denom - 1) / factor.denom);
}

// The factor no larger than 1 with the smallest result covering `cover`.
tjscalingfactor coveringFactor(const JpegHeader &header, Extent cover) {
    int count = 0;
    const tjscalingfactor *factors = tjGetScalingFactors(&count);
    tjscalingfactor best{1, 1};
    for (int i = 0; factors && i < count; ++i) {
        const tjscalingfactor f = factors[i];
        const bool covers = f.num <= f.denom && scaled(header.width, f) >= cover.width &&
                            scaled(header.height, f) >= cover.height;
        if (covers && scaled(header.width, f) < scaled(header.width, best))
            best = f;
    }
    return best;
}

// CMYK JPEGs keep their inks inverted (255 is no ink), so without colour
// management a channel is its value darkened by the black.
void cmykToRgb(Raster &picture) {
    for (std::uint32_t &p : picture.pixels) {
        std::uint8_t ink[kBytesPerPixel];
        std::memcpy(ink, &p, sizeof ink);
        const unsigned k = ink[3];
        p = 0xff000000u | (ink[0] * k / 255) << 16 | (ink[1] * k / 255) << 8 | ink[2] * k / 255;
    }
}

} // namespace

bool startsAsJpeg(std::span<const std::uint8_t> data) {
    return data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

std::optional<JpegHeader> readJpegHeader(std::span<const std::uint8_t> jpeg) {
    const Handle handle(tjInitDecompress());
    if (!handle || jpeg.empty() || jpeg.size() > ULONG_MAX)
        return std::nullopt;
    JpegHeader header;
    int subsampling = 0;
    if (tjDecompressHeader3(handle.get(), jpeg.data(), static_cast<unsigned long>(jpeg.size()),
                            &header.width, &header.height, &subsampling,
                            &header.colourspace) != 0 ||
        header.width < 1 || header.height < 1)
        return std::nullopt;
    return header;
}

bool isCmyk(const JpegHeader &header) {
    return header.colourspace == TJCS_CMYK || header.colourspace == TJCS_YCCK;
}

bool holdsDeclaredPicture(std::span<const std::uint8_t> jpeg, const JpegHeader &header) {
    const std::uint64_t blocks =
        std::uint64_t((header.width + 7) / 8) * std::uint64_t((header.height + 7) / 8);
    return std::uint64_t(jpeg.size()) * 8 >= blocks;
}

std::optional<Raster> decodeCovering(std::span<const std::uint8_t> jpeg, const JpegHeader &header,
                                     Extent cover) {
    const Handle handle(tjInitDecompress());
    if (!handle)
        return std::nullopt;
    const tjscalingfactor factor = coveringFactor(header, cover);
    Raster picture;
    picture.width = scaled(header.width, factor);
    picture.height = scaled(header.height, factor);
    picture.pixels.resize(std::size_t(picture.width) * std::size_t(picture.height));
    // Any warning stops the decode, so a truncated stream is refused rather
    // than fitted with a grey remainder; the scan limit bounds the work of
    // a hostile progressive stream.
    const bool cmyk = isCmyk(header);
    if (tjDecompress2(handle.get(), jpeg.data(), static_cast<unsigned long>(jpeg.size()),
                      reinterpret_cast<unsigned char *>(picture.pixels.data()), picture.width,
                      picture.width * kBytesPerPixel, picture.height,
                      cmyk ? TJPF_CMYK : kPixelLayout,
                      TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS) != 0 ||
        tjGetErrorCode(handle.get()) == TJERR_WARNING)
        return std::nullopt;
    if (cmyk)
        cmykToRgb(picture);
    return picture;
}

std::vector<std::uint8_t> encodeWithin(const Raster &picture, std::size_t maxBytes) {
    const Handle handle(tjInitCompress());
    if (!handle)
        return {};
    const auto encode = [&](int quality) -> std::vector<std::uint8_t> {
        unsigned char *out = nullptr;
        unsigned long size = 0;
        const int rc = tjCompress2(handle.get(),
                                   reinterpret_cast<const unsigned char *>(picture.pixels.data()),
                                   picture.width, picture.width * kBytesPerPixel, picture.height,
                                   kPixelLayout, &out, &size, TJSAMP_420, quality, 0);
        const Buffer owned(out);
        if (rc != 0 || !out || size > maxBytes)
            return {};
        return {out, out + size};
    };
    // The file grows with the quality: the highest that fits is found by
    // halving the range.
    std::vector<std::uint8_t> best = encode(kLowestQuality);
    int fits = kLowestQuality;
    int tooLarge = kHighestQuality + 1;
    while (!best.empty() && tooLarge - fits > 1) {
        const int quality = fits + (tooLarge - fits) / 2;
        std::vector<std::uint8_t> tried = encode(quality);
        if (tried.empty()) {
            tooLarge = quality;
        } else {
            fits = quality;
            best = std::move(tried);
        }
    }
    return best;
}

} // namespace ovaline::fit
