// SPDX-License-Identifier: MIT
// Smooth scaling of pictures for thumbnails.
#pragma once

#include <QImage>
#include <QSize>

namespace ovaline::folder {

// Box-filter scaling: each target pixel is the mean of the source area it
// covers, a partly covered source pixel weighted by the part covered, rounded
// to the nearest level. Exact for whole-number ratios; enlarges too. The
// result is Format_RGB32; a null image for an empty source or size.
QImage areaAverage(const QImage &source, QSize size);

// The thumbnail of `size` logical pixels for a screen of this device pixel
// ratio: `source` area-averaged to thumbnailPixels(size, ratio), drawn at
// `size`.
QImage thumbnailImage(const QImage &source, QSize size, qreal devicePixelRatio);

} // namespace ovaline::folder
