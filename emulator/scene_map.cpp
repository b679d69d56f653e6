// SPDX-License-Identifier: MIT
#include "scenes.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

namespace ovaline::emu {
namespace {

constexpr Rgb kLabelInk{40, 40, 52};

// The coast, clockwise from the north-west, and the four regions that share it.
constexpr std::array<Point, 17> kCoast = {{{120, 140},
                                           {260, 84},
                                           {420, 110},
                                           {560, 72},
                                           {720, 100},
                                           {860, 160},
                                           {900, 300},
                                           {850, 420},
                                           {905, 540},
                                           {800, 660},
                                           {620, 690},
                                           {470, 640},
                                           {330, 690},
                                           {180, 620},
                                           {110, 500},
                                           {150, 380},
                                           {90, 260}}};
constexpr Point kJunction{500, 380};
constexpr Point kNorthBend{520, 220};
constexpr Point kEastBend{690, 400};
constexpr Point kSouthBend{480, 520};
constexpr Point kWestBend{320, 360};

void drawRegions(Canvas &c) {
    const auto &p = kCoast;
    c.polygon(p, {206, 222, 168});
    c.polygon({p[15], p[16], p[0], p[1], p[2], p[3], kNorthBend, kJunction, kWestBend},
              {196, 224, 160});
    c.polygon({p[3], p[4], p[5], p[6], p[7], kEastBend, kJunction, kNorthBend}, {236, 222, 168});
    c.polygon({p[7], p[8], p[9], p[10], p[11], kSouthBend, kJunction, kEastBend}, {214, 204, 232});
    c.polygon({p[11], p[12], p[13], p[14], p[15], kWestBend, kJunction, kSouthBend},
              {240, 204, 180});
    const Rgb border{150, 120, 160};
    c.polyline({p[3], kNorthBend, kJunction, kSouthBend, p[11]}, 3.0, border);
    c.polyline({p[15], kWestBend, kJunction, kEastBend, p[7]}, 3.0, border);
    std::array<Point, kCoast.size() + 1> outline{};
    std::copy(kCoast.begin(), kCoast.end(), outline.begin());
    outline.back() = kCoast.front();
    c.polyline(outline, 4.0, {70, 110, 150});
}

void drawNature(Canvas &c) {
    for (const Point t : {Point{230, 190}, Point{265, 215}, Point{300, 185}, Point{200, 240},
                          Point{250, 265}, Point{335, 230}}) {
        c.circle(t, 16, {96, 160, 90});
        c.circle({t.x - 4, t.y - 4}, 7, {130, 190, 110});
    }
    for (const Point h : {Point{250, 540}, Point{300, 575}, Point{350, 535}}) {
        c.polygon({{h.x - 28, h.y + 20}, {h.x, h.y - 22}, {h.x + 28, h.y + 20}}, {168, 130, 96});
        c.polygon({{h.x - 8, h.y - 9}, {h.x, h.y - 22}, {h.x + 8, h.y - 9}}, {250, 250, 250});
    }
    c.polygon({{650, 200}, {700, 180}, {760, 200}, {770, 245}, {720, 270}, {660, 250}},
              {120, 176, 224});
    c.polyline({{700, 268}, {690, 320}, {720, 380}, {700, 450}, {760, 520}, {820, 600}, {850, 610}},
               6.0, {110, 170, 222});
}

void drawRoads(Canvas &c) {
    const std::array<Point, 5> mainRoad = {
        {{240, 150}, {380, 250}, {500, 380}, {560, 500}, {560, 640}}};
    const std::array<Point, 4> crossRoad = {{{150, 420}, {330, 420}, {500, 380}, {780, 280}}};
    const std::array<Point, 3> coastRoad = {{{560, 500}, {700, 560}, {820, 600}}};
    for (const auto &road : {std::span<const Point>(mainRoad), std::span<const Point>(crossRoad),
                             std::span<const Point>(coastRoad)}) {
        c.polyline(road, 13.0, {150, 100, 50});
    }
    for (const auto &road : {std::span<const Point>(mainRoad), std::span<const Point>(crossRoad),
                             std::span<const Point>(coastRoad)}) {
        c.polyline(road, 8.0, {252, 204, 84});
    }
}

void drawTown(Canvas &c, Point at, std::string_view name, bool labelLeft) {
    constexpr double kLabel = 18.0;
    c.circle(at, 11, {50, 50, 60});
    c.circle(at, 6.5, {255, 255, 255});
    const double width = Canvas::textWidth(kLabel, name);
    const double x = labelLeft ? at.x - 20 - width : at.x + 20;
    c.rect({x - 6, at.y - 15, x + width + 6, at.y + 15}, {255, 255, 255}, 0.75);
    c.text({x, at.y - kLabel / 2}, kLabel, name, kLabelInk);
}

void drawCompass(Canvas &c, Point at) {
    c.circle(at, 42, {255, 255, 255}, 0.85);
    c.polygon({{at.x, at.y - 34}, {at.x + 10, at.y}, {at.x - 10, at.y}}, {206, 52, 48});
    c.polygon({{at.x, at.y + 34}, {at.x + 10, at.y}, {at.x - 10, at.y}}, {50, 54, 64});
    c.textCentred({at.x, at.y - 66}, 18, "N", {255, 255, 255});
}

} // namespace

void drawMap(Canvas &c) {
    const Rect all = backdrop(c);
    c.gradient(all, {148, 196, 232}, {96, 152, 206}, GradientAxis::Vertical);
    for (double x = 125; x < all.x1; x += 125) {
        c.line({x, all.y0}, {x, all.y1}, 1.5, {255, 255, 255}, 0.3);
    }
    for (double y = 125; y < all.y1; y += 125) {
        c.line({all.x0, y}, {all.x1, y}, 1.5, {255, 255, 255}, 0.3);
    }
    drawRegions(c);
    drawNature(c);
    drawRoads(c);
    drawTown(c, {240, 150}, "NORTHPORT", false);
    drawTown(c, {500, 380}, "MIDDLETON", false);
    drawTown(c, {780, 280}, "EASTVALE", true);
    drawTown(c, {150, 420}, "WESTON", false);
    drawTown(c, {560, 640}, "SOUTHBAY", false);
    drawTown(c, {705, 215}, "LAKESIDE", true);

    c.rect({20, 16, 330, 70}, {255, 255, 255}, 0.9);
    c.text({36, 28}, 30, "REGION MAP", {30, 60, 110});
    drawCompass(c, {70, 660});
    const double barY = 722;
    c.rect({640, barY - 6, 740, barY + 6}, {40, 40, 52});
    c.rect({740, barY - 6, 840, barY + 6}, {255, 255, 255});
    c.text({640, barY - 28}, 14, "0", {255, 255, 255});
    c.text({820, barY - 28}, 14, "50 KM", {255, 255, 255});
}

} // namespace ovaline::emu
