// SPDX-License-Identifier: MIT
// JPEG encoding and decoding for the virtual camera, over TurboJPEG.
#pragma once

#include "picture.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace ovaline::emu {

// Encodes at the best quality whose result is at most maxBytes long.
// Returns an empty vector when no quality fits or encoding fails.
std::vector<std::uint8_t> encodeJpeg(const RgbImage &image, std::size_t maxBytes);

// Largest picture side decodeJpeg accepts.
inline constexpr int kMaxDecodeSide = 4096;

struct JpegSize {
    int width = 0;
    int height = 0;
};

// The picture size a JPEG's header declares, read without decoding;
// nullopt when the data does not begin as a JPEG.
std::optional<JpegSize> readJpegSize(const std::uint8_t *data, std::size_t size);

// Decodes a JPEG; nullopt when the data is not a complete, valid JPEG (any
// libjpeg warning counts as invalid) or declares a side over kMaxDecodeSide.
std::optional<RgbImage> decodeJpeg(const std::uint8_t *data, std::size_t size);

} // namespace ovaline::emu
