// SPDX-License-Identifier: MIT
#include "scenes.h"

#include <cmath>
#include <numbers>
#include <string_view>

namespace ovaline::emu {
namespace {

constexpr double kFirstRule = 160.0;
constexpr double kRuleGap = 46.0;
constexpr double kTextHeight = 22.0;
constexpr double kTextLeft = 120.0;
constexpr Rgb kPencil{36, 36, 48};

double rule(int row) {
    return kFirstRule + kRuleGap * row;
}

void writeOnRule(Canvas &c, int row, std::string_view text, Rgb colour) {
    c.text({kTextLeft, rule(row) - 8.0 - kTextHeight}, kTextHeight, text, colour);
}

// A highlighter stroke over `word` within the row's text.
void highlight(Canvas &c, int row, std::string_view text, std::string_view word) {
    const double advance =
        Canvas::textWidth(kTextHeight, "XX") - Canvas::textWidth(kTextHeight, "X");
    const double x0 = kTextLeft + advance * static_cast<double>(text.find(word));
    const double x1 = x0 + Canvas::textWidth(kTextHeight, word);
    c.rect({x0 - 6.0, rule(row) - 38.0, x1 + 6.0, rule(row) - 2.0}, {255, 226, 40}, 0.5);
}

void arrow(Canvas &c, Point from, Point to, Rgb colour) {
    const double length = std::hypot(to.x - from.x, to.y - from.y);
    const Point dir{(to.x - from.x) / length, (to.y - from.y) / length};
    const Point side{-dir.y, dir.x};
    const Point base{to.x - dir.x * 16.0, to.y - dir.y * 16.0};
    c.line(from, base, 4.0, colour);
    c.polygon({to,
               {base.x + side.x * 9.0, base.y + side.y * 9.0},
               {base.x - side.x * 9.0, base.y - side.y * 9.0}},
              colour);
}

void cloud(Canvas &c, Point centre, Rgb edge, Rgb face) {
    const Point puffs[] = {
        {centre.x - 32, centre.y + 8}, {centre.x, centre.y - 8}, {centre.x + 32, centre.y + 8}};
    const double radii[] = {22.0, 30.0, 22.0};
    for (int i = 0; i < 3; ++i) {
        c.circle(puffs[i], radii[i] + 3.0, edge);
    }
    c.rect({centre.x - 35, centre.y + 8, centre.x + 35, centre.y + 33}, edge);
    for (int i = 0; i < 3; ++i) {
        c.circle(puffs[i], radii[i], face);
    }
    c.rect({centre.x - 32, centre.y + 8, centre.x + 32, centre.y + 30}, face);
}

// The water cycle: sun, sea, cloud, rain and a hill, with arrows.
void drawDiagram(Canvas &c, const Rect &box) {
    c.rect(box, {226, 239, 250});
    c.polyline(
        {{box.x0, box.y0}, {box.x1, box.y0}, {box.x1, box.y1}, {box.x0, box.y1}, {box.x0, box.y0}},
        2.0, {120, 150, 190});
    const Point sun{box.x0 + 50, box.y0 + 50};
    for (int i = 0; i < 8; ++i) {
        const double a = i * std::numbers::pi / 4.0;
        c.line({sun.x + std::cos(a) * 32, sun.y + std::sin(a) * 32},
               {sun.x + std::cos(a) * 44, sun.y + std::sin(a) * 44}, 4.0, {240, 170, 30});
    }
    c.circle(sun, 25.0, {250, 200, 40});
    c.polygon({{box.x1 - 110, box.y1 - 80},
               {box.x1 - 50, box.y1 - 150},
               {box.x1, box.y1 - 96},
               {box.x1, box.y1 - 80}},
              {122, 160, 96});
    c.gradient({box.x0, box.y1 - 80, box.x1, box.y1}, {74, 144, 214}, {28, 78, 160},
               GradientAxis::Vertical);
    for (int k = 0; k < 2; ++k) {
        const double y = box.y1 - 56 + k * 26;
        for (double x = box.x0 + 14; x < box.x1 - 30; x += 44) {
            c.polyline({{x, y}, {x + 10, y - 6}, {x + 20, y}, {x + 30, y - 6}}, 2.5,
                       {220, 236, 252});
        }
    }
    const Point cloudAt{box.x1 - 110, box.y0 + 52};
    cloud(c, cloudAt, {150, 162, 180}, {252, 252, 255});
    for (int i = 0; i < 4; ++i) {
        const double x = cloudAt.x - 30 + 20 * i;
        c.line({x, cloudAt.y + 48}, {x - 6, cloudAt.y + 66}, 4.0, {60, 120, 220});
        c.line({x - 10, cloudAt.y + 80}, {x - 16, cloudAt.y + 98}, 4.0, {60, 120, 220});
    }
    const Rgb arrowColour{200, 60, 50};
    arrow(c, {box.x0 + 110, box.y1 - 88}, {box.x0 + 110, box.y0 + 110}, arrowColour);
    arrow(c, {box.x0 + 130, box.y0 + 80}, {cloudAt.x - 62, cloudAt.y + 10}, arrowColour);
}

} // namespace

void drawLesson(Canvas &c) {
    const Rect all = backdrop(c);
    c.rect(all, {252, 250, 240});
    for (int row = 0; rule(row) < all.y1; ++row) {
        c.line({all.x0, rule(row)}, {all.x1, rule(row)}, 2.0, {168, 198, 234});
    }
    c.line({92.0, all.y0}, {92.0, all.y1}, 3.0, {222, 92, 92});
    for (const double y : {150.0, 375.0, 600.0}) {
        c.circle({44.0, y}, 15.0, {58, 60, 66});
    }

    c.text({kTextLeft, 48.0}, 38.0, "LESSON 4: THE WATER CYCLE", {24, 62, 146});
    c.text({kTextLeft, 100.0}, 18.0, "SCIENCE - YEAR 5", {120, 124, 140});

    writeOnRule(c, 0, "1. THE SUN WARMS THE SEA AND THE LAKES.", kPencil);
    constexpr std::string_view kSecond = "2. WATER RISES AS VAPOUR: EVAPORATION.";
    highlight(c, 1, kSecond, "EVAPORATION");
    writeOnRule(c, 1, kSecond, kPencil);
    writeOnRule(c, 2, "3. HIGH UP, COOL AIR MAKES CLOUDS.", kPencil);
    writeOnRule(c, 3, "4. RAIN AND SNOW FALL: PRECIPITATION.", kPencil);
    writeOnRule(c, 4, "5. RIVERS CARRY THE WATER BACK.", kPencil);
    writeOnRule(c, 6, "QUESTIONS:", {176, 48, 48});
    writeOnRule(c, 7, "A) WHY DO CLOUDS FORM?", kPencil);
    writeOnRule(c, 8, "B) WHERE DOES RAIN GO?", kPencil);
    writeOnRule(c, 9, "C) LABEL THE DIAGRAM.", kPencil);

    drawDiagram(c, {610.0, 400.0, 960.0, 720.0});
}

} // namespace ovaline::emu
