// SPDX-License-Identifier: MIT
#include "scenes.h"

namespace ovaline::emu {
namespace {

constexpr Rgb kRed{196, 38, 38};
constexpr Rgb kCard{250, 248, 242};
constexpr Rgb kInk{40, 40, 50};

void drawPadlock(Canvas &c, Point at) {
    const Rgb steel{96, 100, 112};
    c.circle({at.x, at.y - 40}, 46, steel);
    c.circle({at.x, at.y - 40}, 30, kCard);
    c.rect({at.x - 46, at.y - 40, at.x - 30, at.y}, steel);
    c.rect({at.x + 30, at.y - 40, at.x + 46, at.y}, steel);
    c.rect({at.x - 30, at.y - 40, at.x + 30, at.y}, kCard);
    c.rect({at.x - 66, at.y - 6, at.x + 66, at.y + 100}, {222, 168, 36});
    c.rect({at.x - 66, at.y - 6, at.x + 66, at.y + 6}, {238, 196, 80});
    c.circle({at.x, at.y + 38}, 13, {60, 48, 20});
    c.polygon({{at.x - 7, at.y + 40},
               {at.x + 7, at.y + 40},
               {at.x + 11, at.y + 74},
               {at.x - 11, at.y + 74}},
              {60, 48, 20});
}

// Yellow and black warning stripes filling r.
void drawStripes(Canvas &c, const Rect &r) {
    const double height = r.y1 - r.y0;
    c.rect(r, {250, 204, 30});
    c.clipTo(r);
    for (double x = r.x0 - height; x < r.x1; x += 2 * 36.0) {
        c.polygon({{x, r.y1}, {x + height, r.y0}, {x + height + 36, r.y0}, {x + 36, r.y1}},
                  {30, 30, 34});
    }
    c.unclip();
}

} // namespace

void drawNotice(Canvas &c) {
    const Rect all = backdrop(c);
    c.gradient(all, {70, 86, 108}, {44, 54, 70}, GradientAxis::Vertical);

    const Rect card{140, 80, 860, 690};
    c.rect({card.x0 + 10, card.y0 + 14, card.x1 + 10, card.y1 + 14}, {0, 0, 0}, 0.3);
    c.rect(card, kCard);
    c.rect({card.x0, card.y0, card.x1, card.y0 + 120}, kRed);
    c.textCentred({500, card.y0 + 38}, 48, "PROTECTED SAMPLE", {255, 255, 255});
    c.circle({500, card.y0 - 2}, 16, {150, 20, 20});
    c.circle({495, card.y0 - 7}, 6, {240, 120, 120});

    drawPadlock(c, {270, 330});
    const double left = 380;
    c.text({left, 262}, 24, "THIS PICTURE IS KEPT", kInk);
    c.text({left, 302}, 24, "IN A PROTECTED SLOT.", kInk);
    c.text({left, 358}, 24, "IT CAN BE SHOWN AND", kInk);
    c.text({left, 398}, 24, "COPIED, NOT ERASED.", kInk);
    c.line({card.x0 + 50, 480}, {card.x1 - 50, 480}, 2.0, {210, 204, 196});
    c.textCentred({500, 510}, 20, "FACTORY PICTURE - OVALINE", {120, 116, 110});
    c.textCentred({500, 546}, 20, "VIRTUAL CAMERA", {120, 116, 110});
    drawStripes(c, {card.x0, card.y1 - 80, card.x1, card.y1});
}

} // namespace ovaline::emu
