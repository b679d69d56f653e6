// SPDX-License-Identifier: MIT
#include "effects.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace ovaline::emu {
namespace {

std::uint8_t scaled(std::uint8_t v, int gain256) {
    return static_cast<std::uint8_t>(std::min(255, (v * gain256 + 128) >> 8));
}

// The upper lamp shines warm light down from above the stage: bright and
// yellowish at the top, falling off towards the bottom.
void upperLamp(RgbImage &image) {
    for (int y = 0; y < image.height; ++y) {
        const double down = image.height > 1 ? static_cast<double>(y) / (image.height - 1) : 0.0;
        const double light = 1.2 - 0.35 * down;
        const double warmth = 1.0 - down;
        const int r = static_cast<int>(std::lround(256 * light * (1.0 + 0.10 * warmth)));
        const int g = static_cast<int>(std::lround(256 * light * (1.0 + 0.02 * warmth)));
        const int b = static_cast<int>(std::lround(256 * light * (1.0 - 0.16 * warmth)));
        std::uint8_t *p = image.rgb.data() + static_cast<std::size_t>(y) * image.width * 3;
        for (int x = 0; x < image.width; ++x, p += 3) {
            p[0] = scaled(p[0], r);
            p[1] = scaled(p[1], g);
            p[2] = scaled(p[2], b);
        }
    }
}

// The base lamp lights the stage from below, as a light box: the stage glows
// cool white (most in the middle) and shines through the paper, washing it out.
void baseLamp(RgbImage &image) {
    constexpr int kKeep = 128; // of 256: how much of the scene survives the glow
    const double cx = (image.width - 1) / 2.0;
    const double cy = (image.height - 1) / 2.0;
    const double corner2 = cx * cx + cy * cy;
    for (int y = 0; y < image.height; ++y) {
        std::uint8_t *p = image.rgb.data() + static_cast<std::size_t>(y) * image.width * 3;
        for (int x = 0; x < image.width; ++x, p += 3) {
            const double off =
                corner2 > 0.0 ? ((x - cx) * (x - cx) + (y - cy) * (y - cy)) / corner2 : 0.0;
            const double glow = 1.0 - 0.15 * off;
            const int light[3] = {static_cast<int>(244 * glow), static_cast<int>(248 * glow),
                                  static_cast<int>(255 * glow)};
            for (int c = 0; c < 3; ++c) {
                p[c] =
                    static_cast<std::uint8_t>((p[c] * kKeep + light[c] * (256 - kKeep) + 128) >> 8);
            }
        }
    }
}

} // namespace

void applyLamp(RgbImage &image, Lamp lamp) {
    switch (lamp) {
    case Lamp::Off:
        return;
    case Lamp::Upper:
        upperLamp(image);
        return;
    case Lamp::Base:
        baseLamp(image);
        return;
    }
}

} // namespace ovaline::emu
