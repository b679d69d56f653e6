// SPDX-License-Identifier: MIT
#include "area_average.h"

#include "thumbnail_size.h"

#include <QtGlobal>

#include <algorithm>
#include <vector>

namespace ovaline::folder {
namespace {

struct Tap {
    int index;
    quint64 weight;
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
    for (qint64 d = 0; d < targetLength; ++d) {
        axis.first.push_back(int(axis.taps.size()));
        const qint64 begin = d * sourceLength;
        const qint64 end = begin + sourceLength;
        for (qint64 s = begin / targetLength; s * targetLength < end; ++s) {
            const qint64 low = std::max(begin, s * targetLength);
            const qint64 high = std::min(end, (s + 1) * targetLength);
            axis.taps.push_back({int(s), quint64(high - low)});
        }
    }
    axis.first.push_back(int(axis.taps.size()));
    return axis;
}

// The weighted sums of one source row under each target column, red, green
// and blue in turn.
void sumRow(const QRgb *line, const AxisTaps &across, std::vector<quint64> &sums) {
    for (std::size_t tx = 0; tx + 1 < across.first.size(); ++tx) {
        quint64 red = 0;
        quint64 green = 0;
        quint64 blue = 0;
        for (int h = across.first[tx]; h < across.first[tx + 1]; ++h) {
            const Tap column = across.taps[h];
            const QRgb pixel = line[column.index];
            red += column.weight * quint64(qRed(pixel));
            green += column.weight * quint64(qGreen(pixel));
            blue += column.weight * quint64(qBlue(pixel));
        }
        sums[3 * tx] = red;
        sums[3 * tx + 1] = green;
        sums[3 * tx + 2] = blue;
    }
}

} // namespace

QImage areaAverage(const QImage &source, QSize size) {
    if (source.isNull() || size.isEmpty()) {
        return {};
    }
    const QImage rgb = source.convertToFormat(QImage::Format_RGB32);
    QImage target(size, QImage::Format_RGB32);
    if (rgb.isNull() || target.isNull()) {
        return {};
    }
    const AxisTaps across = axisTaps(rgb.width(), size.width());
    const AxisTaps down = axisTaps(rgb.height(), size.height());
    const quint64 total = quint64(rgb.width()) * quint64(rgb.height());
    // sum / total rounded half up, as (2 sum + total) / (2 total) rounded
    // down, divided in doubles, which is much faster than in 64-bit integers
    // and still exact: both operands stay far below 2^53, and a quotient just
    // under a whole number is at least 1 / (2 total) away from it, far more
    // than the rounding of the division.
    const double twiceTotal = 2.0 * double(total);
    const auto level = [total, twiceTotal](quint64 sum) {
        return int((2.0 * double(sum) + double(total)) / twiceTotal);
    };
    const std::size_t channels = 3 * std::size_t(size.width());
    std::vector<quint64> rowSums(channels);
    std::vector<quint64> sums(channels);
    // Target rows next to each other share a source row at most at their
    // border (or, enlarging, all of it), so the last row summed is kept.
    int summedRow = -1;
    for (int ty = 0; ty < size.height(); ++ty) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int v = down.first[ty]; v < down.first[ty + 1]; ++v) {
            const Tap row = down.taps[v];
            if (row.index != summedRow) {
                sumRow(reinterpret_cast<const QRgb *>(rgb.constScanLine(row.index)), across,
                       rowSums);
                summedRow = row.index;
            }
            for (std::size_t c = 0; c < channels; ++c) {
                sums[c] += row.weight * rowSums[c];
            }
        }
        auto *out = reinterpret_cast<QRgb *>(target.scanLine(ty));
        for (int tx = 0; tx < size.width(); ++tx) {
            out[tx] = qRgb(level(sums[3 * tx]), level(sums[3 * tx + 1]), level(sums[3 * tx + 2]));
        }
    }
    return target;
}

QImage thumbnailImage(const QImage &source, QSize size, qreal devicePixelRatio) {
    QImage thumb = areaAverage(source, thumbnailPixels(size, devicePixelRatio));
    thumb.setDevicePixelRatio(devicePixelRatio);
    return thumb;
}

} // namespace ovaline::folder
