// SPDX-License-Identifier: MIT
#include "thumbnail_size.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace ovaline::folder {

namespace {
// Sides up to here are whole numbers exactly in a float.
constexpr float kLargestSide = 16777216.0f;
} // namespace

QSize thumbnailSize(float imageWidth, float imageHeight, int width) {
    // The comparisons are also false for NaN.
    if (!(imageWidth >= 1.0f && imageWidth <= kLargestSide && imageHeight >= 1.0f &&
          imageHeight <= kLargestSide) ||
        width < 1) {
        return {};
    }
    const auto w = static_cast<long long>(imageWidth);
    const auto h = static_cast<long long>(imageHeight);
    const long long height = std::max(1LL, h * width / w);
    if (height > INT_MAX) {
        return {};
    }
    return {width, int(height)};
}

QSize thumbnailPixels(QSize size, qreal devicePixelRatio) {
    return {qRound(size.width() * devicePixelRatio), qRound(size.height() * devicePixelRatio)};
}

} // namespace ovaline::folder
