// SPDX-License-Identifier: MIT
#include "raster.h"

#include <algorithm>

namespace ovaline::fit {
namespace {

constexpr std::uint32_t kOpaque = 0xff000000u;
constexpr std::uint32_t kBlack = kOpaque;

int red(std::uint32_t p) {
    return int((p >> 16) & 0xff);
}
int green(std::uint32_t p) {
    return int((p >> 8) & 0xff);
}
int blue(std::uint32_t p) {
    return int(p & 0xff);
}
std::uint32_t rgb(int r, int g, int b) {
    return kOpaque | std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b);
}

struct Tap {
    int index;
    std::uint64_t weight;
};

// The source pixels under each target pixel along one axis, measured in units
// where a source pixel is targetLength long and a target pixel sourceLength
// long: every target pixel's weights add up to sourceLength.
struct AxisTaps {
    std::vector<int> first; // taps of target d: [first[d], first[d + 1])
    std::vector<Tap> taps;
};

AxisTaps axisTaps(int sourceLength, int targetLength) {
    AxisTaps axis;
    axis.first.reserve(std::size_t(targetLength) + 1);
    for (std::int64_t d = 0; d < targetLength; ++d) {
        axis.first.push_back(int(axis.taps.size()));
        const std::int64_t begin = d * sourceLength;
        const std::int64_t end = begin + sourceLength;
        for (std::int64_t s = begin / targetLength; s * targetLength < end; ++s) {
            const std::int64_t low = std::max(begin, s * targetLength);
            const std::int64_t high = std::min(end, (s + 1) * targetLength);
            axis.taps.push_back({int(s), std::uint64_t(high - low)});
        }
    }
    axis.first.push_back(int(axis.taps.size()));
    return axis;
}

// The weighted sums of one source row under each target column, red, green
// and blue in turn.
void sumRow(const std::uint32_t *line, const AxisTaps &across, std::vector<std::uint64_t> &sums) {
    for (std::size_t tx = 0; tx + 1 < across.first.size(); ++tx) {
        std::uint64_t r = 0;
        std::uint64_t g = 0;
        std::uint64_t b = 0;
        for (int h = across.first[tx]; h < across.first[tx + 1]; ++h) {
            const Tap column = across.taps[h];
            const std::uint32_t pixel = line[column.index];
            r += column.weight * std::uint64_t(red(pixel));
            g += column.weight * std::uint64_t(green(pixel));
            b += column.weight * std::uint64_t(blue(pixel));
        }
        sums[3 * tx] = r;
        sums[3 * tx + 1] = g;
        sums[3 * tx + 2] = b;
    }
}

} // namespace

bool swapsSides(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

Raster orient(const Raster &stored, int orientation) {
    if (orientation < 2 || orientation > 8)
        return stored;
    const int w = stored.width;
    const int h = stored.height;
    Raster seen;
    seen.width = swapsSides(orientation) ? h : w;
    seen.height = swapsSides(orientation) ? w : h;
    seen.pixels.resize(stored.pixels.size());
    for (int y = 0; y < seen.height; ++y) {
        for (int x = 0; x < seen.width; ++x) {
            // The stored pixel that is seen at (x, y).
            int sx = x;
            int sy = y;
            switch (orientation) {
            case 2:
                sx = w - 1 - x;
                break;
            case 3:
                sx = w - 1 - x;
                sy = h - 1 - y;
                break;
            case 4:
                sy = h - 1 - y;
                break;
            case 5:
                sx = y;
                sy = x;
                break;
            case 6:
                sx = y;
                sy = h - 1 - x;
                break;
            case 7:
                sx = w - 1 - y;
                sy = h - 1 - x;
                break;
            case 8:
                sx = w - 1 - y;
                sy = x;
                break;
            }
            seen.pixels[std::size_t(y) * std::size_t(seen.width) + std::size_t(x)] =
                stored.pixels[std::size_t(sy) * std::size_t(w) + std::size_t(sx)];
        }
    }
    return seen;
}

void flattenOnWhite(Raster &picture) {
    for (std::uint32_t &p : picture.pixels) {
        const int alpha = int(p >> 24);
        const auto onWhite = [alpha](int level) {
            return (level * alpha + 255 * (255 - alpha) + 127) / 255;
        };
        p = rgb(onWhite(red(p)), onWhite(green(p)), onWhite(blue(p)));
    }
}

void areaAverage(const std::uint32_t *source, int sourceWidth, int sourceHeight,
                 std::ptrdiff_t sourceStride, std::uint32_t *target, int targetWidth,
                 int targetHeight, std::ptrdiff_t targetStride) {
    if (sourceWidth < 1 || sourceHeight < 1 || targetWidth < 1 || targetHeight < 1)
        return;
    const AxisTaps across = axisTaps(sourceWidth, targetWidth);
    const AxisTaps down = axisTaps(sourceHeight, targetHeight);
    const std::uint64_t total = std::uint64_t(sourceWidth) * std::uint64_t(sourceHeight);
    // sum / total rounded half up, as (2 sum + total) / (2 total) rounded
    // down, divided in doubles, which is much faster than in 64-bit integers
    // and still exact: both operands stay far below 2^53, and a quotient just
    // under a whole number is at least 1 / (2 total) away from it, far more
    // than the rounding of the division.
    const double twiceTotal = 2.0 * double(total);
    const auto level = [total, twiceTotal](std::uint64_t sum) {
        return int((2.0 * double(sum) + double(total)) / twiceTotal);
    };
    const std::size_t channels = 3 * std::size_t(targetWidth);
    std::vector<std::uint64_t> rowSums(channels);
    std::vector<std::uint64_t> sums(channels);
    // Target rows next to each other share a source row at most at their
    // border (or, enlarging, all of it), so the last row summed is kept.
    int summedRow = -1;
    for (int ty = 0; ty < targetHeight; ++ty) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int v = down.first[ty]; v < down.first[ty + 1]; ++v) {
            const Tap row = down.taps[v];
            if (row.index != summedRow) {
                sumRow(source + row.index * sourceStride, across, rowSums);
                summedRow = row.index;
            }
            for (std::size_t c = 0; c < channels; ++c)
                sums[c] += row.weight * rowSums[c];
        }
        std::uint32_t *out = target + ty * targetStride;
        for (int tx = 0; tx < targetWidth; ++tx)
            out[tx] = rgb(level(sums[3 * tx]), level(sums[3 * tx + 1]), level(sums[3 * tx + 2]));
    }
}

Extent fittedExtent(Extent picture, Extent frame) {
    const std::int64_t pw = std::max(picture.width, 1);
    const std::int64_t ph = std::max(picture.height, 1);
    // Wider than the frame: its width fills the frame; otherwise its height.
    if (pw * frame.height >= ph * frame.width) {
        const std::int64_t height = (ph * frame.width + pw / 2) / pw;
        return {frame.width, int(std::clamp<std::int64_t>(height, 1, frame.height))};
    }
    const std::int64_t width = (pw * frame.height + ph / 2) / ph;
    return {int(std::clamp<std::int64_t>(width, 1, frame.width)), frame.height};
}

Raster letterbox(const Raster &picture, Extent frame) {
    Raster out;
    out.width = frame.width;
    out.height = frame.height;
    out.pixels.assign(std::size_t(frame.width) * std::size_t(frame.height), kBlack);
    const Extent inside = fittedExtent({picture.width, picture.height}, frame);
    const int left = (frame.width - inside.width) / 2;
    const int top = (frame.height - inside.height) / 2;
    areaAverage(picture.pixels.data(), picture.width, picture.height, picture.width,
                out.pixels.data() + std::ptrdiff_t(top) * frame.width + left, inside.width,
                inside.height, frame.width);
    return out;
}

} // namespace ovaline::fit
