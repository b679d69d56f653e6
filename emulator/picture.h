// SPDX-License-Identifier: MIT
// The pictures of the virtual camera: what its lens sees on the stage, drawn
// under the unit's current settings, and the stock pictures of its slots.
#pragma once

#include <cstdint>
#include <vector>

namespace ovaline::emu {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; // width * height * 3, rows top to bottom
};

enum class Lamp { Off, Upper, Base };

// How the unit presents the stage: optics, lighting and picture processing.
struct CameraView {
    double zoom = 1.0;        // 1 (widest) .. 8 (tele)
    double focus_error = 0.0; // 0 sharp .. 1 fully blurred
    double iris = 0.5;        // 0 closed (dark) .. 1 open (bright); 0.5 is normal
    Lamp lamp = Lamp::Off;
    bool negative = false;
    bool monochrome = false;
    bool pointer = false;   // pointer mode: an arrow is drawn at (pointer_x, pointer_y)
    double pointer_x = 0.5; // 0..1 of the picture width
    double pointer_y = 0.5; // 0..1 of the picture height
    bool twice = false;     // 2x mode: a 2x enlargement centred at (pan_x, pan_y)
    double pan_x = 0.5;     // 0..1
    double pan_y = 0.5;     // 0..1
    int input = 0;          // 0 main camera, 1 AV 1, 2 AV 2, 3 SUB
};

// What is in front of the lens (or what a slot was filled with at the factory).
enum class Scene { Stage, Lesson, Chart, Map, Notice };

// Smallest and largest picture side renderScene draws.
inline constexpr int kMinRenderSide = 16;
inline constexpr int kMaxRenderSide = 4096;

// Draws what the unit shows: the scene under the view's optics, lighting and
// processing, or the picture of another input. Settings outside their ranges
// are clamped (non-finite ones take their defaults); in 2x mode a pan point
// too near the stage's edge is moved in so the view stays on the stage. Throws
// std::invalid_argument for a side outside [kMinRenderSide, kMaxRenderSide],
// an unknown scene, lamp or input. Equal arguments give equal pixels.
RgbImage renderScene(Scene scene, const CameraView &view, int width, int height);

} // namespace ovaline::emu
