// SPDX-License-Identifier: MIT
// The scenes in front of the lens. Each is laid out on a field of
// kSceneWidth x kSceneHeight scene units, centred in the picture; its
// background reaches over whatever else of the scene the picture shows.
#pragma once

#include "canvas.h"

#include <algorithm>

namespace ovaline::emu {

inline constexpr double kSceneWidth = 1000.0;
inline constexpr double kSceneHeight = 750.0;

// The area a background should cover: the scene field and anything else visible.
inline Rect backdrop(const Canvas &canvas) {
    const Rect v = canvas.visible();
    return {std::min(v.x0, 0.0), std::min(v.y0, 0.0), std::max(v.x1, kSceneWidth),
            std::max(v.y1, kSceneHeight)};
}

void drawStage(Canvas &canvas);
void drawLesson(Canvas &canvas);
void drawChart(Canvas &canvas);
void drawMap(Canvas &canvas);
void drawNotice(Canvas &canvas);

// The picture of another input (1 AV 1, 2 AV 2, 3 SUB): colour bars and its name.
void drawInputPicture(RgbImage &image, int input);

} // namespace ovaline::emu
