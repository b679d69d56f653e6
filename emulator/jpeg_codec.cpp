// SPDX-License-Identifier: MIT
#include "jpeg_codec.h"

#include <turbojpeg.h>

#include <climits>
#include <memory>
#include <optional>
#include <vector>

namespace ovaline::emu {
namespace {

constexpr int kFirstQuality = 90;
constexpr int kLastQuality = 20;
constexpr int kQualityStep = 5;

struct HandleCloser {
    void operator()(void *handle) const { tjDestroy(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

struct BufferFreer {
    void operator()(unsigned char *buffer) const { tjFree(buffer); }
};
using Buffer = std::unique_ptr<unsigned char, BufferFreer>;

bool wellFormed(const RgbImage &image) {
    return image.width > 0 && image.height > 0 &&
           image.rgb.size() == static_cast<std::size_t>(image.width) * image.height * 3;
}

} // namespace

std::vector<std::uint8_t> encodeJpeg(const RgbImage &image, std::size_t maxBytes) {
    if (!wellFormed(image)) {
        return {};
    }
    const Handle handle(tjInitCompress());
    if (!handle) {
        return {};
    }
    for (int quality = kFirstQuality; quality >= kLastQuality; quality -= kQualityStep) {
        unsigned char *out = nullptr;
        unsigned long size = 0;
        const int rc = tjCompress2(handle.get(), image.rgb.data(), image.width, 0, image.height,
                                   TJPF_RGB, &out, &size, TJSAMP_420, quality, 0);
        const Buffer owned(out);
        if (rc != 0 || !out) {
            return {};
        }
        if (size <= maxBytes) {
            return {out, out + size};
        }
    }
    return {};
}

std::optional<JpegSize> readJpegSize(const std::uint8_t *data, std::size_t size) {
    if (!data || size == 0 || size > ULONG_MAX) {
        return std::nullopt;
    }
    const Handle handle(tjInitDecompress());
    if (!handle) {
        return std::nullopt;
    }
    JpegSize declared;
    int subsampling = 0;
    int colourspace = 0;
    if (tjDecompressHeader3(handle.get(), data, size, &declared.width, &declared.height,
                            &subsampling, &colourspace) != 0) {
        return std::nullopt;
    }
    return declared;
}

std::optional<RgbImage> decodeJpeg(const std::uint8_t *data, std::size_t size) {
    if (!data || size == 0 || size > ULONG_MAX) {
        return std::nullopt;
    }
    const Handle handle(tjInitDecompress());
    if (!handle) {
        return std::nullopt;
    }
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colourspace = 0;
    if (tjDecompressHeader3(handle.get(), data, size, &width, &height, &subsampling,
                            &colourspace) != 0 ||
        tjGetErrorCode(handle.get()) == TJERR_WARNING) {
        return std::nullopt;
    }
    // Refuse before allocating: the header alone can claim a huge picture.
    if (width <= 0 || height <= 0 || width > kMaxDecodeSide || height > kMaxDecodeSide) {
        return std::nullopt;
    }
    RgbImage image{width, height,
                   std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
    // Stop on any warning (a truncated or damaged stream decodes "successfully"
    // otherwise) and bound the work a hostile progressive stream can cause.
    const int rc = tjDecompress2(handle.get(), data, size, image.rgb.data(), width, 0, height,
                                 TJPF_RGB, TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS);
    if (rc != 0 || tjGetErrorCode(handle.get()) == TJERR_WARNING) {
        return std::nullopt;
    }
    return image;
}

} // namespace ovaline::emu
