// SPDX-License-Identifier: MIT
#include "scenes.h"

#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

namespace ovaline::emu {
namespace {

constexpr Rgb kTitle{30, 40, 72};
constexpr Rgb kLabel{92, 98, 116};
constexpr Rgb kGrid{222, 226, 234};
constexpr Rgb kCardShade{0, 0, 0};

void card(Canvas &c, const Rect &r) {
    c.rect({r.x0 + 4, r.y0 + 6, r.x1 + 4, r.y1 + 6}, kCardShade, 0.08);
    c.rect(r, {255, 255, 255});
}

// Units sold per quarter for two products, with the target as a line.
void drawBars(Canvas &c) {
    constexpr std::array<double, 4> kFirst = {34, 52, 47, 71};
    constexpr std::array<double, 4> kSecond = {22, 30, 44, 58};
    constexpr std::array<double, 4> kTarget = {30, 45, 55, 66};
    constexpr Rgb kBlue{52, 120, 220};
    constexpr Rgb kOrange{245, 150, 40};
    constexpr Rgb kGreen{36, 168, 96};
    card(c, {40, 140, 600, 710});
    const Rect plot{120, 190, 575, 620};
    const double perUnit = (plot.y1 - plot.y0) / 80.0;
    for (int k = 0; k <= 4; ++k) {
        const double y = plot.y1 - k * 20 * perUnit;
        c.line({plot.x0, y}, {plot.x1, y}, k == 0 ? 3.0 : 1.5, k == 0 ? kLabel : kGrid);
        const std::string value = std::to_string(k * 20);
        c.text({plot.x0 - 16 - Canvas::textWidth(16, value), y - 8}, 16, value, kLabel);
    }
    const double group = (plot.x1 - plot.x0) / kFirst.size();
    std::vector<Point> target;
    for (std::size_t i = 0; i < kFirst.size(); ++i) {
        const double mid = plot.x0 + group * (i + 0.5);
        c.rect({mid - 40, plot.y1 - kFirst[i] * perUnit, mid - 2, plot.y1}, kBlue);
        c.rect({mid + 2, plot.y1 - kSecond[i] * perUnit, mid + 40, plot.y1}, kOrange);
        c.textCentred({mid, plot.y1 + 14}, 18, "Q" + std::to_string(i + 1), kTitle);
        target.push_back({mid, plot.y1 - kTarget[i] * perUnit});
    }
    c.polyline(target, 5.0, kGreen);
    for (const Point &p : target) {
        c.circle(p, 9.0, kGreen);
        c.circle(p, 5.0, {255, 255, 255});
    }
    const std::array<std::pair<Rgb, const char *>, 3> legend = {
        {{kBlue, "MODEL A"}, {kOrange, "MODEL B"}, {kGreen, "TARGET"}}};
    double x = plot.x0;
    for (const auto &[colour, name] : legend) {
        c.rect({x, 160, x + 18, 178}, colour);
        c.text({x + 26, 162}, 14, name, kLabel);
        x += 40 + Canvas::textWidth(14, name);
    }
}

// Share of sales by region, as a ring.
void drawPie(Canvas &c) {
    constexpr std::array<double, 4> kShares = {0.34, 0.26, 0.22, 0.18};
    constexpr std::array<Rgb, 4> kColours = {
        {{231, 76, 60}, {241, 176, 15}, {46, 184, 113}, {52, 142, 219}}};
    constexpr const char *kNames[] = {"NORTH", "SOUTH", "EAST", "WEST"};
    constexpr double kStep = std::numbers::pi / 90.0;
    card(c, {630, 140, 960, 710});
    c.text({655, 162}, 20, "BY REGION", kTitle);
    const Point centre{795, 345};
    const double radius = 130;
    double start = -std::numbers::pi / 2.0;
    std::vector<double> cuts;
    for (std::size_t i = 0; i < kShares.size(); ++i) {
        const double end = start + kShares[i] * 2.0 * std::numbers::pi;
        std::vector<Point> slice{centre};
        for (double a = start; a < end; a += kStep) {
            slice.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
        }
        slice.push_back({centre.x + radius * std::cos(end), centre.y + radius * std::sin(end)});
        c.polygon(slice, kColours[i]);
        cuts.push_back(start);
        start = end;
    }
    for (const double a : cuts) {
        c.line(centre,
               {centre.x + (radius + 2) * std::cos(a), centre.y + (radius + 2) * std::sin(a)}, 4.0,
               {255, 255, 255});
    }
    c.circle(centre, 62, {255, 255, 255});
    c.textCentred({centre.x, centre.y - 22}, 14, "TOTAL", kLabel);
    c.textCentred({centre.x, centre.y + 2}, 26, "212", kTitle);
    for (std::size_t i = 0; i < kShares.size(); ++i) {
        const double y = 512 + 44.0 * i;
        c.rect({660, y, 684, y + 24}, kColours[i]);
        c.text({700, y + 2}, 20, kNames[i], kTitle);
        const std::string percent = std::to_string(static_cast<int>(kShares[i] * 100 + 0.5)) + "%";
        c.text({930 - Canvas::textWidth(20, percent), y + 2}, 20, percent, kLabel);
    }
}

} // namespace

void drawChart(Canvas &c) {
    c.gradient(backdrop(c), {238, 243, 250}, {214, 224, 240}, GradientAxis::Vertical);
    c.text({60, 40}, 40, "QUARTERLY RESULTS", kTitle);
    c.text({62, 98}, 18, "UNITS SOLD, THOUSANDS", kLabel);
    drawBars(c);
    drawPie(c);
}

} // namespace ovaline::emu
