// SPDX-License-Identifier: MIT
// The image window's scroll arithmetic, free of any window: which scroll
// bars show, how far the picture can scroll, and where each request of a
// bar leads.
#pragma once

#include <QSize>

#include <optional>

namespace ovaline::imageview {

inline constexpr int kLineStep = 1;
inline constexpr int kPageStep = 20;

enum class Axis { Horizontal, Vertical };

// What a scroll bar asks for.
enum class ScrollCode {
    LineBack,      // the arrow towards the picture's start
    LineForward,   // the arrow towards its end
    PageBack,      // a click in the trough before the thumb
    PageForward,   // a click in the trough after it
    ThumbTrack,    // the thumb being dragged; carries its position
    ThumbPosition, // the thumb let go
    ToStart,       // the top (or left) edge
    ToEnd,         // the bottom (or right) edge
};

struct ScrollBarsShown {
    bool horizontal = false;
    bool vertical = false;
};

// The bars for a picture of `bitmap` in a window whose area inside its frame
// is `area`, a bar being `barExtent` thick. A bar shows when the picture's
// side is at least the client side, the client being the area less the
// other bar when that one shows.
ScrollBarsShown scrollBarsShown(QSize bitmap, QSize area, int barExtent);

// The client area: `area` less the bars shown.
QSize clientSize(QSize area, ScrollBarsShown bars, int barExtent);

// The largest scroll position along one side: the picture's side less the
// client's, 0 when the picture fits.
int scrollMax(int bitmapSide, int clientSide);

// `position` within 0..max; a max below 0 counts as 0.
int clampScroll(int position, int max);

// The position that `code` leads to from `current`, within 0..max; `thumb`
// is the thumb's position for ThumbTrack. The thumb let go changes nothing,
// nor do the edges horizontally.
int scrollTarget(Axis axis, ScrollCode code, int current, int thumb, int max);

// The request of a QAbstractSlider::SliderAction of a scroll bar; none for
// SliderNoAction.
std::optional<ScrollCode> scrollCodeFor(int sliderAction);

} // namespace ovaline::imageview
