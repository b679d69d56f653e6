// SPDX-License-Identifier: MIT
// Anti-aliased drawing onto an RgbImage in scene units: rectangles, gradients,
// circles, lines, polygons and bitmap text.
#pragma once

#include "picture.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

namespace ovaline::emu {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

struct Point {
    double x = 0.0;
    double y = 0.0;
};

struct Rect {
    double x0 = 0.0;
    double y0 = 0.0;
    double x1 = 0.0;
    double y1 = 0.0;
};

// Maps scene units to pixels: pixel = unit * scale + offset.
struct Transform {
    double scale = 1.0;
    double dx = 0.0;
    double dy = 0.0;
};

enum class GradientAxis { Vertical, Horizontal };

// Pixel bounds [x0, x1) x [y0, y1).
struct PixelBox {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;

    bool empty() const { return x0 >= x1 || y0 >= y1; }
};

class Canvas {
public:
    Canvas(RgbImage &image, Transform transform);

    // The part of the scene inside the picture, in scene units.
    Rect visible() const;

    // Later drawing stays inside r (rounded to whole pixels) until unclip().
    void clipTo(const Rect &r);
    void unclip();

    void rect(const Rect &r, Rgb colour, double opacity = 1.0);
    // Colours run from `from` at r's top (or left) edge to `to` at its bottom (or right).
    void gradient(const Rect &r, Rgb from, Rgb to, GradientAxis axis);
    void circle(Point centre, double radius, Rgb colour, double opacity = 1.0);
    void line(Point a, Point b, double width, Rgb colour, double opacity = 1.0);
    // Round-jointed, painted in one pass so that overlapping segments leave no seams.
    void polyline(std::span<const Point> points, double width, Rgb colour, double opacity = 1.0);
    void polyline(std::initializer_list<Point> points, double width, Rgb colour,
                  double opacity = 1.0) {
        polyline(std::span<const Point>(points.begin(), points.size()), width, colour, opacity);
    }
    // Even-odd filled.
    void polygon(std::span<const Point> points, Rgb colour, double opacity = 1.0);
    void polygon(std::initializer_list<Point> points, Rgb colour, double opacity = 1.0) {
        polygon(std::span<const Point>(points.begin(), points.size()), colour, opacity);
    }
    // height is the height of a capital letter.
    void text(Point topLeft, double height, std::string_view s, Rgb colour);
    void textCentred(Point topCentre, double height, std::string_view s, Rgb colour);
    static double textWidth(double height, std::string_view s);

private:
    Point toPixel(Point p) const;
    PixelBox clipped(double x0, double y0, double x1, double y1) const;
    template <class ColourAt> void shadeRect(const Rect &r, double opacity, ColourAt colourAt);

    RgbImage &image_;
    Transform transform_;
    PixelBox clip_;
};

} // namespace ovaline::emu
