// SPDX-License-Identifier: MIT
// How much of each pixel in a window a shape covers, 0..1. Shapes built from
// several parts (glyph strokes, polyline segments) are gathered here first and
// blended once, so that parts meeting inside a pixel leave no seam.
#pragma once

#include "canvas.h"

#include <span>
#include <vector>

namespace ovaline::emu {

class Coverage {
public:
    explicit Coverage(PixelBox window);

    const PixelBox &window() const { return window_; }
    // Coverage of pixel (x, y) inside the window, clamped to 1.
    float at(int x, int y) const;

    // The following take pixel coordinates; parts outside the window are ignored.
    void addRect(double x0, double y0, double x1, double y1);
    // A stroke with round ends; overlapping strokes do not add up.
    void addCapsule(Point a, Point b, double halfWidth);
    // Even-odd rule, sampled on four sub-rows per pixel row.
    void addPolygon(std::span<const Point> points);

private:
    float &cell(int x, int y);
    void addSpan(int y, double xa, double xb, float weight);

    PixelBox window_;
    int stride_;
    std::vector<float> values_;
};

} // namespace ovaline::emu
