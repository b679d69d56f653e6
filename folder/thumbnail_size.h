// SPDX-License-Identifier: MIT
// The size of a picture's thumbnail in the two panes.
#pragma once

#include <QSize>

namespace ovaline::folder {

// Width of every thumbnail in the camera-memory view and the thumbnail view.
inline constexpr int kThumbnailWidth = 60;

// width x trunc(imageHeight * width / imageWidth), at least 1 pixel high:
// 640x480 gives 60x45 and 480x640 gives 60x80 at the default width. The
// control reports whole pixel sizes as floats; they are taken as integers
// and the height is computed exactly, because single-precision arithmetic
// makes some sizes one pixel short (a 29 pixel wide picture would give a
// 59 pixel wide thumbnail). An empty size for a side below 1 or above 2^24,
// or a width below 1.
QSize thumbnailSize(float imageWidth, float imageHeight, int width = kThumbnailWidth);

// The pixels of a thumbnail of `size` logical pixels on a screen of this
// device pixel ratio.
QSize thumbnailPixels(QSize size, qreal devicePixelRatio);

} // namespace ovaline::folder
