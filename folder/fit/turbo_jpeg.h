// SPDX-License-Identifier: MIT
// JPEG in and out of rasters over TurboJPEG, without Qt: the header, a
// decode at a reduced scale, and the encoding that fits a slot.
#pragma once

#include "raster.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ovaline::fit {

struct JpegHeader {
    int width = 0;
    int height = 0;
    int colourspace = 0; // a TJCS value
};

// Whether the data begins as a JPEG does.
bool startsAsJpeg(std::span<const std::uint8_t> data);

// The header's picture size and colours; nullopt when it is no JPEG header.
std::optional<JpegHeader> readJpegHeader(std::span<const std::uint8_t> jpeg);

bool isCmyk(const JpegHeader &header);

// Whether the file is long enough for the picture its header declares: a
// Huffman-coded scan spends at least one bit on every 8 x 8 block of its
// first component. (Arithmetic-coded files, which no camera or phone
// writes, are held to the same rule.)
bool holdsDeclaredPicture(std::span<const std::uint8_t> jpeg, const JpegHeader &header);

// The whole stream decoded at the smallest of TurboJPEG's scaling factors
// (never above 1) whose result still covers `cover`, opaque; CMYK pictures
// come out as RGB. nullopt when the stream does not decode cleanly (a
// libjpeg warning counts). Throws std::bad_alloc when memory runs out.
std::optional<Raster> decodeCovering(std::span<const std::uint8_t> jpeg, const JpegHeader &header,
                                     Extent cover);

// A baseline JPEG (4:2:0) of the opaque picture at the highest quality whose
// file is at most maxBytes long; empty when not even the lowest does.
std::vector<std::uint8_t> encodeWithin(const Raster &picture, std::size_t maxBytes);

} // namespace ovaline::fit
