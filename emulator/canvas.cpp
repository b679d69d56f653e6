// SPDX-License-Identifier: MIT
#include "canvas.h"

#include "bitmap_font.h"
#include "coverage.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace ovaline::emu {
namespace {

// Weight 0..256 of a coverage 0..1.
int weightOf(double coverage) {
    return static_cast<int>(std::clamp(coverage, 0.0, 1.0) * 256.0 + 0.5);
}

void blend(std::uint8_t *p, Rgb c, int weight) {
    const int keep = 256 - weight;
    p[0] = static_cast<std::uint8_t>((p[0] * keep + c.r * weight + 128) >> 8);
    p[1] = static_cast<std::uint8_t>((p[1] * keep + c.g * weight + 128) >> 8);
    p[2] = static_cast<std::uint8_t>((p[2] * keep + c.b * weight + 128) >> 8);
}

Rgb mix(Rgb a, Rgb b, double t) {
    const auto channel = [t](std::uint8_t from, std::uint8_t to) {
        return static_cast<std::uint8_t>(from + (to - from) * t + 0.5);
    };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

// Pixels are addressed as int; keep far-off shapes (deep zoom) within range.
int toPixelIndex(double v) {
    return static_cast<int>(std::clamp(v, -1.0e6, 1.0e6));
}

void paint(RgbImage &image, const Coverage &coverage, Rgb colour, double opacity) {
    const PixelBox &w = coverage.window();
    for (int y = w.y0; y < w.y1; ++y) {
        std::uint8_t *row = image.rgb.data() + static_cast<std::size_t>(y) * image.width * 3;
        for (int x = w.x0; x < w.x1; ++x) {
            const int weight = weightOf(coverage.at(x, y) * opacity);
            if (weight > 0) {
                blend(row + x * 3, colour, weight);
            }
        }
    }
}

} // namespace

Canvas::Canvas(RgbImage &image, Transform transform)
    : image_(image), transform_(transform), clip_{0, 0, image.width, image.height} {}

Point Canvas::toPixel(Point p) const {
    return {p.x * transform_.scale + transform_.dx, p.y * transform_.scale + transform_.dy};
}

Rect Canvas::visible() const {
    const double s = transform_.scale;
    return {-transform_.dx / s, -transform_.dy / s, (image_.width - transform_.dx) / s,
            (image_.height - transform_.dy) / s};
}

PixelBox Canvas::clipped(double x0, double y0, double x1, double y1) const {
    return {std::max(clip_.x0, toPixelIndex(std::floor(x0))),
            std::max(clip_.y0, toPixelIndex(std::floor(y0))),
            std::min(clip_.x1, toPixelIndex(std::ceil(x1))),
            std::min(clip_.y1, toPixelIndex(std::ceil(y1)))};
}

void Canvas::clipTo(const Rect &r) {
    const Point a = toPixel({r.x0, r.y0});
    const Point b = toPixel({r.x1, r.y1});
    clip_ = {std::max(0, toPixelIndex(std::round(a.x))), std::max(0, toPixelIndex(std::round(a.y))),
             std::min(image_.width, toPixelIndex(std::round(b.x))),
             std::min(image_.height, toPixelIndex(std::round(b.y)))};
}

void Canvas::unclip() {
    clip_ = {0, 0, image_.width, image_.height};
}

template <class ColourAt> void Canvas::shadeRect(const Rect &r, double opacity, ColourAt colourAt) {
    const Point a = toPixel({r.x0, r.y0});
    const Point b = toPixel({r.x1, r.y1});
    const PixelBox box = clipped(a.x, a.y, b.x, b.y);
    if (box.empty()) {
        return;
    }
    std::vector<double> columnParts(static_cast<std::size_t>(box.x1 - box.x0));
    for (int x = box.x0; x < box.x1; ++x) {
        columnParts[x - box.x0] = std::min(x + 1.0, b.x) - std::max(static_cast<double>(x), a.x);
    }
    for (int y = box.y0; y < box.y1; ++y) {
        const double rowPart =
            (std::min(y + 1.0, b.y) - std::max(static_cast<double>(y), a.y)) * opacity;
        std::uint8_t *p =
            image_.rgb.data() + (static_cast<std::size_t>(y) * image_.width + box.x0) * 3;
        for (int x = box.x0; x < box.x1; ++x, p += 3) {
            const int weight = weightOf(rowPart * columnParts[x - box.x0]);
            if (weight == 256) {
                const Rgb c = colourAt(x, y);
                p[0] = c.r;
                p[1] = c.g;
                p[2] = c.b;
            } else if (weight > 0) {
                blend(p, colourAt(x, y), weight);
            }
        }
    }
}

void Canvas::rect(const Rect &r, Rgb colour, double opacity) {
    shadeRect(r, opacity, [colour](int, int) { return colour; });
}

void Canvas::gradient(const Rect &r, Rgb from, Rgb to, GradientAxis axis) {
    const bool vertical = axis == GradientAxis::Vertical;
    const double start = vertical ? r.y0 : r.x0;
    const double span = vertical ? r.y1 - r.y0 : r.x1 - r.x0;
    if (span <= 0.0) {
        return;
    }
    // The colour depends on one pixel coordinate only: work it out once for each.
    const double offset = vertical ? transform_.dy : transform_.dx;
    const int first = vertical ? clip_.y0 : clip_.x0;
    const int end = vertical ? clip_.y1 : clip_.x1;
    std::vector<Rgb> ramp(static_cast<std::size_t>(std::max(0, end - first)));
    for (int i = first; i < end; ++i) {
        const double unit = (i + 0.5 - offset) / transform_.scale;
        ramp[i - first] = mix(from, to, std::clamp((unit - start) / span, 0.0, 1.0));
    }
    if (vertical) {
        shadeRect(r, 1.0, [&](int, int y) { return ramp[y - first]; });
    } else {
        shadeRect(r, 1.0, [&](int x, int) { return ramp[x - first]; });
    }
}

void Canvas::circle(Point centre, double radius, Rgb colour, double opacity) {
    const Point c = toPixel(centre);
    const double r = radius * transform_.scale;
    const double reach = r + 0.5;
    const PixelBox box = clipped(c.x - reach, c.y - reach, c.x + reach, c.y + reach);
    for (int y = box.y0; y < box.y1; ++y) {
        const double dy = y + 0.5 - c.y;
        const double half = std::sqrt(std::max(0.0, reach * reach - dy * dy));
        const int xa = std::max(box.x0, toPixelIndex(std::floor(c.x - half)));
        const int xb = std::min(box.x1, toPixelIndex(std::ceil(c.x + half)));
        std::uint8_t *row = image_.rgb.data() + static_cast<std::size_t>(y) * image_.width * 3;
        for (int x = xa; x < xb; ++x) {
            const double distance = std::hypot(x + 0.5 - c.x, dy);
            const int weight = weightOf((reach - distance) * opacity);
            if (weight > 0) {
                blend(row + x * 3, colour, weight);
            }
        }
    }
}

void Canvas::line(Point a, Point b, double width, Rgb colour, double opacity) {
    const Point points[] = {a, b};
    polyline(points, width, colour, opacity);
}

void Canvas::polyline(std::span<const Point> points, double width, Rgb colour, double opacity) {
    if (points.empty()) {
        return;
    }
    std::vector<Point> pixels;
    pixels.reserve(points.size());
    for (const Point &p : points) {
        pixels.push_back(toPixel(p));
    }
    const double half = width * transform_.scale / 2.0;
    const double reach = half + 1.0;
    const auto [xMin, xMax] = std::minmax_element(pixels.begin(), pixels.end(),
                                                  [](Point a, Point b) { return a.x < b.x; });
    const auto [yMin, yMax] = std::minmax_element(pixels.begin(), pixels.end(),
                                                  [](Point a, Point b) { return a.y < b.y; });
    Coverage coverage(clipped(xMin->x - reach, yMin->y - reach, xMax->x + reach, yMax->y + reach));
    if (coverage.window().empty()) {
        return;
    }
    if (pixels.size() == 1) {
        coverage.addCapsule(pixels[0], pixels[0], half);
    }
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        coverage.addCapsule(pixels[i - 1], pixels[i], half);
    }
    paint(image_, coverage, colour, opacity);
}

void Canvas::polygon(std::span<const Point> points, Rgb colour, double opacity) {
    if (points.size() < 3) {
        return;
    }
    std::vector<Point> pixels;
    pixels.reserve(points.size());
    for (const Point &p : points) {
        pixels.push_back(toPixel(p));
    }
    const auto [xMin, xMax] = std::minmax_element(pixels.begin(), pixels.end(),
                                                  [](Point a, Point b) { return a.x < b.x; });
    const auto [yMin, yMax] = std::minmax_element(pixels.begin(), pixels.end(),
                                                  [](Point a, Point b) { return a.y < b.y; });
    Coverage coverage(clipped(xMin->x, yMin->y, xMax->x, yMax->y));
    if (coverage.window().empty()) {
        return;
    }
    coverage.addPolygon(pixels);
    paint(image_, coverage, colour, opacity);
}

double Canvas::textWidth(double height, std::string_view s) {
    if (s.empty()) {
        return 0.0;
    }
    const double unit = height / font::kGlyphHeight;
    return (static_cast<double>(s.size()) * font::kAdvance - (font::kAdvance - font::kGlyphWidth)) *
           unit;
}

void Canvas::text(Point topLeft, double height, std::string_view s, Rgb colour) {
    const Point origin = toPixel(topLeft);
    const double unit = height / font::kGlyphHeight * transform_.scale;
    Coverage coverage(clipped(origin.x, origin.y,
                              origin.x + textWidth(height, s) * transform_.scale,
                              origin.y + height * transform_.scale));
    const PixelBox &window = coverage.window();
    if (window.empty()) {
        return;
    }
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double left = origin.x + static_cast<double>(i) * font::kAdvance * unit;
        if (left >= window.x1 || left + font::kGlyphWidth * unit <= window.x0) {
            continue;
        }
        const font::Glyph &g = font::glyph(s[i]);
        for (int row = 0; row < font::kGlyphHeight; ++row) {
            const double top = origin.y + row * unit;
            // Each run of set bits becomes one rectangle.
            for (int col = 0; col < font::kGlyphWidth;) {
                const auto set = [&](int c) { return (g[row] >> (font::kGlyphWidth - 1 - c)) & 1; };
                if (!set(col)) {
                    ++col;
                    continue;
                }
                const int runStart = col;
                while (col < font::kGlyphWidth && set(col)) {
                    ++col;
                }
                coverage.addRect(left + runStart * unit, top, left + col * unit, top + unit);
            }
        }
    }
    paint(image_, coverage, colour, 1.0);
}

void Canvas::textCentred(Point topCentre, double height, std::string_view s, Rgb colour) {
    text({topCentre.x - textWidth(height, s) / 2.0, topCentre.y}, height, s, colour);
}

} // namespace ovaline::emu
