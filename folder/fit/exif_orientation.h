// SPDX-License-Identifier: MIT
// The orientation a JPEG's EXIF data gives its picture.
#pragma once

#include <cstdint>
#include <span>

namespace ovaline::fit {

// The EXIF orientation (tag 0x0112 of the first image directory in an APP1
// "Exif" segment before the picture data): 1..8, or 1 (upright) when the
// file has none or it cannot be read. Reads only within `jpeg`.
int exifOrientation(std::span<const std::uint8_t> jpeg);

} // namespace ovaline::fit
