// SPDX-License-Identifier: MIT
#include "effects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace ovaline::emu {

void applyTone(RgbImage &image, double iris, bool monochrome, bool negative) {
    // The iris scales the light by 2^(3 (iris - 0.5)): from about a third of
    // it (closed) to nearly three times (open); what overflows clips to white.
    const double gain = std::exp2((iris - 0.5) * 3.0);
    std::array<std::uint8_t, 256> exposure{};
    for (int v = 0; v < 256; ++v) {
        exposure[v] = static_cast<std::uint8_t>(std::min(255L, std::lround(v * gain)));
    }
    std::uint8_t *p = image.rgb.data();
    const std::size_t pixels = static_cast<std::size_t>(image.width) * image.height;
    for (std::size_t i = 0; i < pixels; ++i, p += 3) {
        std::uint8_t r = exposure[p[0]];
        std::uint8_t g = exposure[p[1]];
        std::uint8_t b = exposure[p[2]];
        if (monochrome) {
            r = g = b = static_cast<std::uint8_t>((77 * r + 150 * g + 29 * b + 128) >> 8);
        }
        if (negative) {
            r = static_cast<std::uint8_t>(255 - r);
            g = static_cast<std::uint8_t>(255 - g);
            b = static_cast<std::uint8_t>(255 - b);
        }
        p[0] = r;
        p[1] = g;
        p[2] = b;
    }
}

} // namespace ovaline::emu
