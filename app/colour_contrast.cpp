// SPDX-License-Identifier: MIT
#include "colour_contrast.h"

#include <algorithm>
#include <cmath>

namespace ovaline::app {
namespace {

double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &c) {
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

QColor mix(const QColor &from, const QColor &to, double share) {
    const auto channel = [share](int a, int b) { return int(std::lround(a + (b - a) * share)); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor &colour, const QColor &background) {
    if (contrastRatio(colour, background) >= kReadableContrast)
        return colour;
    const QColor white(255, 255, 255);
    const QColor black(0, 0, 0);
    const QColor &far =
        contrastRatio(white, background) > contrastRatio(black, background) ? white : black;
    constexpr int kSteps = 64;
    for (int step = 0; step < kSteps; ++step) {
        const QColor candidate = mix(colour, far, double(step) / kSteps);
        if (contrastRatio(candidate, background) >= kEnhancedContrast)
            return candidate;
    }
    return far;
}

} // namespace ovaline::app
