// SPDX-License-Identifier: MIT
// Pictures as plain pixel arrays, and what fitting does to them: turning by
// an EXIF orientation, laying transparency on white, area-average scaling
// and centring on black margins. No Qt: ovaline-cli links this everywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ovaline::fit {

// 0xAARRGGBB per pixel in native byte order, as Qt's Format_ARGB32 (and
// Format_RGB32 when opaque) keeps it, row after row without padding.
struct Raster {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// The picture as it is meant to be seen, for an EXIF orientation 1..8 (1 is
// upright; 6 is turned a quarter clockwise to be seen, 8 a quarter
// anticlockwise, 2, 4, 5 and 7 are mirrored). Other values leave it as it is.
Raster orient(const Raster &stored, int orientation);

// Whether an orientation swaps width and height.
bool swapsSides(int orientation);

// Blends every partly transparent pixel onto white and makes it opaque.
void flattenOnWhite(Raster &picture);

// Box-filter scaling of opaque pixels: each target pixel is the mean of the
// source area it covers, a partly covered source pixel weighted by the part
// covered, rounded to the nearest level. Exact for whole-number ratios;
// enlarges too. Strides count pixels. Writes opaque pixels.
void areaAverage(const std::uint32_t *source, int sourceWidth, int sourceHeight,
                 std::ptrdiff_t sourceStride, std::uint32_t *target, int targetWidth,
                 int targetHeight, std::ptrdiff_t targetStride);

struct Extent {
    int width = 0;
    int height = 0;
};

// The largest size of the picture's proportions inside the frame, at least
// one pixel each way.
Extent fittedExtent(Extent picture, Extent frame);

// The opaque picture scaled to fit inside a frame of that size, centred, the
// rest black.
Raster letterbox(const Raster &picture, Extent frame);

} // namespace ovaline::fit
