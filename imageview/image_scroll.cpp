// SPDX-License-Identifier: MIT
#include "image_scroll.h"

#include <QAbstractSlider>

#include <algorithm>

namespace ovaline::imageview {

ScrollBarsShown scrollBarsShown(QSize bitmap, QSize area, int barExtent) {
    ScrollBarsShown bars{bitmap.width() >= area.width(), bitmap.height() >= area.height()};
    // One bar narrows the client for the other.
    if (bars.horizontal && !bars.vertical)
        bars.vertical = bitmap.height() >= area.height() - barExtent;
    else if (bars.vertical && !bars.horizontal)
        bars.horizontal = bitmap.width() >= area.width() - barExtent;
    return bars;
}

QSize clientSize(QSize area, ScrollBarsShown bars, int barExtent) {
    return {std::max(0, area.width() - (bars.vertical ? barExtent : 0)),
            std::max(0, area.height() - (bars.horizontal ? barExtent : 0))};
}

int scrollMax(int bitmapSide, int clientSide) {
    return std::max(0, bitmapSide - clientSide);
}

int clampScroll(int position, int max) {
    return std::clamp(position, 0, std::max(0, max));
}

int scrollTarget(Axis axis, ScrollCode code, int current, int thumb, int max) {
    int target = current;
    switch (code) {
    case ScrollCode::LineBack:
        target = current - kLineStep;
        break;
    case ScrollCode::LineForward:
        target = current + kLineStep;
        break;
    case ScrollCode::PageBack:
        target = current - kPageStep;
        break;
    case ScrollCode::PageForward:
        target = current + kPageStep;
        break;
    case ScrollCode::ThumbTrack:
        target = thumb;
        break;
    case ScrollCode::ThumbPosition:
        break;
    case ScrollCode::ToStart:
        if (axis == Axis::Vertical)
            target = 0;
        break;
    case ScrollCode::ToEnd:
        if (axis == Axis::Vertical)
            target = max;
        break;
    }
    return clampScroll(target, max);
}

std::optional<ScrollCode> scrollCodeFor(int sliderAction) {
    switch (sliderAction) {
    case QAbstractSlider::SliderSingleStepSub:
        return ScrollCode::LineBack;
    case QAbstractSlider::SliderSingleStepAdd:
        return ScrollCode::LineForward;
    case QAbstractSlider::SliderPageStepSub:
        return ScrollCode::PageBack;
    case QAbstractSlider::SliderPageStepAdd:
        return ScrollCode::PageForward;
    case QAbstractSlider::SliderMove:
        return ScrollCode::ThumbTrack;
    case QAbstractSlider::SliderToMinimum:
        return ScrollCode::ToStart;
    case QAbstractSlider::SliderToMaximum:
        return ScrollCode::ToEnd;
    default:
        return std::nullopt;
    }
}

} // namespace ovaline::imageview
