// SPDX-License-Identifier: MIT
#include "effects.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace ovaline::emu {
namespace {

// An arrow cursor one unit tall, tip at the origin, closed back at the tip.
constexpr std::array<Point, 8> kArrow = {{{0.0, 0.0},
                                          {0.0, 0.8},
                                          {0.19, 0.62},
                                          {0.32, 0.93},
                                          {0.48, 0.87},
                                          {0.35, 0.56},
                                          {0.57, 0.56},
                                          {0.0, 0.0}}};

} // namespace

void drawPointer(RgbImage &image, double x, double y) {
    const double size = std::max(14.0, std::min(image.width, image.height) * 0.08);
    const double tipX = x * (image.width - 1) + 0.5;
    const double tipY = y * (image.height - 1) + 0.5;
    std::array<Point, kArrow.size()> arrow{};
    for (std::size_t i = 0; i < kArrow.size(); ++i) {
        arrow[i] = {tipX + kArrow[i].x * size, tipY + kArrow[i].y * size};
    }
    // A white face with a dark rim reads on light and dark pictures alike.
    Canvas canvas(image, Transform{});
    canvas.polygon(arrow, {255, 255, 255});
    canvas.polyline(arrow, std::max(1.5, size * 0.055), {12, 12, 12});
}

} // namespace ovaline::emu
