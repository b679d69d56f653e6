// SPDX-License-Identifier: MIT
#include "scenes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <string_view>

namespace ovaline::emu {

void drawInputPicture(RgbImage &image, int input) {
    constexpr std::array<Rgb, 7> kBars = {{{191, 191, 191},
                                           {191, 191, 0},
                                           {0, 191, 191},
                                           {0, 191, 0},
                                           {191, 0, 191},
                                           {191, 0, 0},
                                           {0, 0, 191}}};
    constexpr std::array<Rgb, 7> kReverse = {{{0, 0, 191},
                                              {16, 16, 16},
                                              {191, 0, 191},
                                              {16, 16, 16},
                                              {0, 191, 191},
                                              {16, 16, 16},
                                              {191, 191, 191}}};
    constexpr std::array<std::string_view, 3> kNames = {"AV 1", "AV 2", "SUB"};
    constexpr std::array<Rgb, 3> kAccents = {{{230, 80, 40}, {40, 170, 230}, {120, 200, 60}}};

    Canvas c(image, Transform{});
    const double w = image.width;
    const double h = image.height;
    // Edges on whole pixels, so that neighbouring bands meet without a seam.
    const double barsEnd = std::round(h * 0.67);
    const double stripEnd = std::round(h * 0.75);
    for (std::size_t i = 0; i < kBars.size(); ++i) {
        const double x0 = std::round(w * i / kBars.size());
        const double x1 = std::round(w * (i + 1) / kBars.size());
        c.rect({x0, 0, x1, barsEnd}, kBars[i]);
        c.rect({x0, barsEnd, x1, stripEnd}, kReverse[i]);
    }
    c.gradient({0, stripEnd, w, h}, {0, 0, 0}, {255, 255, 255}, GradientAxis::Horizontal);

    const std::string_view name = kNames[static_cast<std::size_t>(input - 1)];
    const double textHeight = std::max(7.0, h / 9.0);
    const double pad = textHeight * 0.5;
    const double boxWidth = Canvas::textWidth(textHeight, name) + 2 * pad;
    const Rect box{(w - boxWidth) / 2, barsEnd / 2 - textHeight / 2 - pad, (w + boxWidth) / 2,
                   barsEnd / 2 + textHeight / 2 + pad};
    const double rim = std::max(1.0, textHeight * 0.12);
    c.rect({box.x0 - rim, box.y0 - rim, box.x1 + rim, box.y1 + rim}, kAccents[input - 1]);
    c.rect(box, {16, 16, 20});
    c.textCentred({w / 2, box.y0 + pad}, textHeight, name, {255, 255, 255});
}

} // namespace ovaline::emu
