// SPDX-License-Identifier: MIT
#include "scenes.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace ovaline::emu {
namespace {

constexpr Rgb kInk{38, 38, 46};
constexpr Rgb kNavy{28, 52, 112};

void drawStageMarks(Canvas &c) {
    constexpr Rgb kMark{118, 124, 136};
    constexpr double kArm = 40.0;
    const Rect s{28.0, 22.0, 972.0, 728.0};
    c.polyline({{s.x0, s.y0 + kArm}, {s.x0, s.y0}, {s.x0 + kArm, s.y0}}, 3.0, kMark);
    c.polyline({{s.x1 - kArm, s.y0}, {s.x1, s.y0}, {s.x1, s.y0 + kArm}}, 3.0, kMark);
    c.polyline({{s.x0, s.y1 - kArm}, {s.x0, s.y1}, {s.x0 + kArm, s.y1}}, 3.0, kMark);
    c.polyline({{s.x1 - kArm, s.y1}, {s.x1, s.y1}, {s.x1, s.y1 - kArm}}, 3.0, kMark);
}

void drawBarChart(Canvas &c, const Rect &area) {
    constexpr std::array<Rgb, 5> kColours = {
        {{231, 76, 60}, {241, 176, 15}, {46, 184, 113}, {52, 142, 219}, {155, 89, 182}}};
    constexpr std::array<double, 5> kValues = {0.45, 0.8, 0.6, 0.95, 0.7};
    constexpr const char *kLabels[] = {"A", "B", "C", "D", "E"};
    c.text({area.x0, area.y0}, 18.0, "OUTPUT PER DAY", kInk);
    const double left = area.x0 + 20.0;
    const double base = area.y1 - 28.0;
    const double top = area.y0 + 40.0;
    for (int k = 1; k <= 4; ++k) {
        const double y = base - (base - top) * k / 4.0;
        c.line({left, y}, {area.x1, y}, 1.5, {205, 205, 200});
    }
    const double slot = (area.x1 - left) / kValues.size();
    for (std::size_t i = 0; i < kValues.size(); ++i) {
        const double x = left + slot * i + slot * 0.2;
        c.rect({x, base - (base - top) * kValues[i], x + slot * 0.6, base}, kColours[i]);
        c.textCentred({x + slot * 0.3, base + 10.0}, 14.0, kLabels[i], kInk);
    }
    c.line({left, top - 6.0}, {left, base}, 3.0, kInk);
    c.line({left, base}, {area.x1, base}, 3.0, kInk);
}

// A small print of a lake at dusk, in a white border.
void drawPhoto(Canvas &c, const Rect &frame) {
    c.rect({frame.x0 + 6, frame.y0 + 8, frame.x1 + 6, frame.y1 + 8}, {0, 0, 0}, 0.18);
    c.rect(frame, {252, 252, 250});
    const Rect pic{frame.x0 + 15, frame.y0 + 15, frame.x1 - 15, frame.y1 - 60};
    const double w = pic.x1 - pic.x0;
    const double h = pic.y1 - pic.y0;
    const auto at = [&](double u, double v) { return Point{pic.x0 + u * w, pic.y0 + v * h}; };
    const double horizon = pic.y0 + 0.66 * h;
    c.clipTo(pic);
    c.gradient({pic.x0, pic.y0, pic.x1, horizon}, {46, 82, 166}, {252, 176, 118},
               GradientAxis::Vertical);
    const Point sun = at(0.7, 0.56);
    c.circle(sun, 0.22 * h, {255, 214, 150}, 0.14);
    c.circle(sun, 0.15 * h, {255, 220, 150}, 0.28);
    c.circle(sun, 0.1 * h, {255, 236, 170});
    c.polygon({at(0, 0.66), at(0, 0.5), at(0.12, 0.42), at(0.24, 0.52), at(0.38, 0.36),
               at(0.52, 0.5), at(0.64, 0.44), at(0.8, 0.56), at(0.92, 0.47), at(1, 0.53),
               at(1, 0.66)},
              {118, 96, 146});
    c.polygon({at(0, 0.68), at(0, 0.6), at(0.16, 0.55), at(0.3, 0.62), at(0.46, 0.57),
               at(0.62, 0.64), at(1, 0.66), at(1, 0.68)},
              {62, 66, 108});
    c.gradient({pic.x0, pic.y0 + 0.67 * h, pic.x1, pic.y1}, {214, 150, 122}, {34, 52, 96},
               GradientAxis::Vertical);
    for (int i = 0; i < 5; ++i) {
        const double v = 0.72 + 0.05 * i;
        const double half = 0.09 - 0.012 * i;
        c.line(at(0.7 - half, v), at(0.7 + half, v), 0.012 * h, {255, 220, 160});
    }
    c.polygon({at(0, 1), at(0, 0.8), at(0.18, 0.84), at(0.34, 0.94), at(0.42, 1)}, {24, 46, 38});
    for (int i = 0; i < 4; ++i) {
        const double u = 0.04 + 0.07 * i;
        const double top = 0.62 + 0.04 * (i % 2);
        c.polygon({at(u - 0.04, 0.9), at(u, top), at(u + 0.04, 0.9)}, {18, 38, 32});
    }
    c.unclip();
    c.text({pic.x0, pic.y1 + 22.0}, 16.0, "LAKE AT DUSK", {70, 70, 78});
}

// A ballpoint pen lying on the stage beside the sheet.
void drawPen(Canvas &c, Point back, Point tipBase) {
    const double length = std::hypot(tipBase.x - back.x, tipBase.y - back.y);
    const Point dir{(tipBase.x - back.x) / length, (tipBase.y - back.y) / length};
    const Point side{dir.y, -dir.x};
    const auto along = [&](double t, double s) {
        return Point{back.x + dir.x * t + side.x * s, back.y + dir.y * t + side.y * s};
    };
    c.line(along(10, 8), along(length + 40, 8), 20.0, {0, 0, 0}, 0.35);
    c.polygon(
        {along(length, -10), along(length, 10), along(length + 56, 1.5), along(length + 56, -1.5)},
        {196, 198, 204});
    c.line(back, tipBase, 20.0, {36, 98, 206});
    c.line(back, along(length * 0.22, 0), 20.0, {22, 44, 96});
    c.line(along(length * 0.24, -4), along(length - 8, -4), 3.0, {120, 170, 250});
    c.line(along(8, -11), along(length * 0.4, -11), 5.0, {200, 204, 212});
}

} // namespace

void drawStage(Canvas &c) {
    c.gradient(backdrop(c), {60, 63, 72}, {28, 30, 35}, GradientAxis::Vertical);
    drawStageMarks(c);

    const Rect paper{130.0, 60.0, 870.0, 700.0};
    c.rect({paper.x0 + 12, paper.y0 + 14, paper.x1 + 12, paper.y1 + 14}, {0, 0, 0}, 0.22);
    c.rect({paper.x0 + 6, paper.y0 + 7, paper.x1 + 6, paper.y1 + 7}, {0, 0, 0}, 0.22);
    c.rect(paper, {247, 245, 238});

    c.text({170.0, 92.0}, 70.0, "OVALINE", kNavy);
    c.text({650.0, 100.0}, 18.0, "SHEET NO. 7", {120, 120, 128});
    c.text({650.0, 128.0}, 18.0, "REV 2.0", {120, 120, 128});
    c.rect({170.0, 178.0, 830.0, 184.0}, {222, 96, 40});
    c.text({170.0, 206.0}, 21.0, "THE VIRTUAL CAMERA SHOWS THIS SHEET.", kInk);
    c.text({170.0, 240.0}, 21.0, "ZOOM, FOCUS, IRIS AND LAMP CHANGE", kInk);
    c.text({170.0, 274.0}, 21.0, "WHAT THE LENS SEES ON THE STAGE.", kInk);

    drawBarChart(c, {170.0, 330.0, 470.0, 665.0});
    drawPhoto(c, {510.0, 325.0, 830.0, 670.0});
    drawPen(c, {905.0, 140.0}, {948.0, 560.0});
}

} // namespace ovaline::emu
