// SPDX-License-Identifier: MIT
#include "picture.h"

#include "canvas.h"
#include "effects.h"
#include "scenes.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <string>

namespace ovaline::emu {
namespace {

double sane(double value, double low, double high, double fallback) {
    return std::isfinite(value) ? std::clamp(value, low, high) : fallback;
}

CameraView sanitised(const CameraView &view) {
    const CameraView defaults;
    CameraView v = view;
    v.zoom = sane(view.zoom, 1.0, 8.0, defaults.zoom);
    v.focus_error = sane(view.focus_error, 0.0, 1.0, defaults.focus_error);
    v.iris = sane(view.iris, 0.0, 1.0, defaults.iris);
    v.pointer_x = sane(view.pointer_x, 0.0, 1.0, defaults.pointer_x);
    v.pointer_y = sane(view.pointer_y, 0.0, 1.0, defaults.pointer_y);
    v.pan_x = sane(view.pan_x, 0.0, 1.0, defaults.pan_x);
    v.pan_y = sane(view.pan_y, 0.0, 1.0, defaults.pan_y);
    if (view.lamp != Lamp::Off && view.lamp != Lamp::Upper && view.lamp != Lamp::Base) {
        throw std::invalid_argument("renderScene: unknown lamp " +
                                    std::to_string(static_cast<int>(view.lamp)));
    }
    if (view.input < 0 || view.input > 3) {
        throw std::invalid_argument("renderScene: unknown input " + std::to_string(view.input));
    }
    return v;
}

void drawScene(Scene scene, Canvas &canvas) {
    switch (scene) {
    case Scene::Stage:
        return drawStage(canvas);
    case Scene::Lesson:
        return drawLesson(canvas);
    case Scene::Chart:
        return drawChart(canvas);
    case Scene::Map:
        return drawMap(canvas);
    case Scene::Notice:
        return drawNotice(canvas);
    }
}

} // namespace

RgbImage renderScene(Scene scene, const CameraView &view, int width, int height) {
    if (width < kMinRenderSide || height < kMinRenderSide || width > kMaxRenderSide ||
        height > kMaxRenderSide) {
        throw std::invalid_argument("renderScene: picture size " + std::to_string(width) + "x" +
                                    std::to_string(height) + " is outside " +
                                    std::to_string(kMinRenderSide) + ".." +
                                    std::to_string(kMaxRenderSide));
    }
    if (scene < Scene::Stage || scene > Scene::Notice) {
        throw std::invalid_argument("renderScene: unknown scene " +
                                    std::to_string(static_cast<int>(scene)));
    }
    const CameraView v = sanitised(view);
    RgbImage image{width, height,
                   std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
    if (v.input == 0) {
        // Light falls on the stage, the lens gathers it (framing, focus), then
        // the unit processes the picture.
        Canvas canvas(image, lensTransform(v, width, height));
        drawScene(scene, canvas);
        applyLamp(image, v.lamp);
        applyFocusBlur(image, v.focus_error);
        applyTone(image, v.iris, v.monochrome, v.negative);
    } else {
        // Another input's signal passes by the camera's optics and processing.
        drawInputPicture(image, v.input);
    }
    if (v.pointer) {
        drawPointer(image, v.pointer_x, v.pointer_y);
    }
    return image;
}

} // namespace ovaline::emu
