// SPDX-License-Identifier: MIT
// The image window's scroll arithmetic.
#include "image_scroll.h"

#include <QAbstractSlider>

#include <gtest/gtest.h>

namespace ovaline::imageview {
namespace {

constexpr int kBar = 16;

testing::AssertionResult shows(ScrollBarsShown bars, bool horizontal, bool vertical) {
    if (bars.horizontal == horizontal && bars.vertical == vertical)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "horizontal " << bars.horizontal << ", vertical " << bars.vertical;
}

TEST(ImageScroll, ABarShowsWhenThePictureIsAtLeastTheClientSide) {
    const QSize area(640, 480);
    EXPECT_TRUE(shows(scrollBarsShown(QSize(320, 240), area, kBar), false, false));
    EXPECT_TRUE(shows(scrollBarsShown(QSize(0, 0), area, kBar), false, false));
    EXPECT_TRUE(shows(scrollBarsShown(QSize(768, 400), area, kBar), true, false));
    EXPECT_TRUE(shows(scrollBarsShown(QSize(600, 576), area, kBar), false, true));
    EXPECT_TRUE(shows(scrollBarsShown(QSize(768, 576), area, kBar), true, true));
    // Equal sides count as not fitting.
    EXPECT_TRUE(shows(scrollBarsShown(QSize(640, 100), area, kBar), true, false));
    EXPECT_TRUE(shows(scrollBarsShown(QSize(100, 480), area, kBar), false, true));
    EXPECT_TRUE(shows(scrollBarsShown(QSize(639, 479), area, kBar), false, false));
}

TEST(ImageScroll, OneBarNarrowsTheClientForTheOther) {
    const QSize area(640, 480);
    // Taller than the window and wider than what the vertical bar leaves.
    EXPECT_TRUE(shows(scrollBarsShown(QSize(630, 576), area, kBar), true, true));
    EXPECT_TRUE(shows(scrollBarsShown(QSize(624, 576), area, kBar), true, true));
    EXPECT_TRUE(shows(scrollBarsShown(QSize(623, 576), area, kBar), false, true));
    // Wider than the window and taller than what the horizontal bar leaves.
    EXPECT_TRUE(shows(scrollBarsShown(QSize(768, 470), area, kBar), true, true));
    EXPECT_TRUE(shows(scrollBarsShown(QSize(768, 464), area, kBar), true, true));
    EXPECT_TRUE(shows(scrollBarsShown(QSize(768, 463), area, kBar), true, false));
}

TEST(ImageScroll, TheClientIsTheAreaLessTheBarsShown) {
    const QSize area(640, 480);
    EXPECT_EQ(clientSize(area, {false, false}, kBar), QSize(640, 480));
    EXPECT_EQ(clientSize(area, {true, false}, kBar), QSize(640, 464));
    EXPECT_EQ(clientSize(area, {false, true}, kBar), QSize(624, 480));
    EXPECT_EQ(clientSize(area, {true, true}, kBar), QSize(624, 464));
    EXPECT_EQ(clientSize(QSize(10, 10), {true, true}, kBar), QSize(0, 0));
}

TEST(ImageScroll, TheLargestPositionIsThePictureLessTheClientAndNeverNegative) {
    EXPECT_EQ(scrollMax(768, 624), 144);
    EXPECT_EQ(scrollMax(640, 640), 0);
    EXPECT_EQ(scrollMax(320, 640), 0);
    EXPECT_EQ(clampScroll(-5, 144), 0);
    EXPECT_EQ(clampScroll(200, 144), 144);
    EXPECT_EQ(clampScroll(70, 144), 70);
    EXPECT_EQ(clampScroll(70, -10), 0);
}

TEST(ImageScroll, LinesMoveOnePixelAndPagesTwenty) {
    for (const Axis axis : {Axis::Horizontal, Axis::Vertical}) {
        EXPECT_EQ(scrollTarget(axis, ScrollCode::LineForward, 50, 0, 144), 51);
        EXPECT_EQ(scrollTarget(axis, ScrollCode::LineBack, 50, 0, 144), 49);
        EXPECT_EQ(scrollTarget(axis, ScrollCode::PageForward, 50, 0, 144), 70);
        EXPECT_EQ(scrollTarget(axis, ScrollCode::PageBack, 50, 0, 144), 30);
    }
}

TEST(ImageScroll, RequestsStopAtEitherEnd) {
    for (const Axis axis : {Axis::Horizontal, Axis::Vertical}) {
        EXPECT_EQ(scrollTarget(axis, ScrollCode::PageBack, 10, 0, 144), 0);
        EXPECT_EQ(scrollTarget(axis, ScrollCode::LineBack, 0, 0, 144), 0);
        EXPECT_EQ(scrollTarget(axis, ScrollCode::PageForward, 130, 0, 144), 144);
        EXPECT_EQ(scrollTarget(axis, ScrollCode::LineForward, 144, 0, 144), 144);
        EXPECT_EQ(scrollTarget(axis, ScrollCode::ThumbTrack, 0, 500, 144), 144);
        EXPECT_EQ(scrollTarget(axis, ScrollCode::ThumbTrack, 40, -3, 144), 0);
        // Nothing to scroll.
        EXPECT_EQ(scrollTarget(axis, ScrollCode::PageForward, 0, 0, 0), 0);
    }
}

TEST(ImageScroll, TheThumbIsFollowedWhileDraggedAndIgnoredWhenLetGo) {
    EXPECT_EQ(scrollTarget(Axis::Horizontal, ScrollCode::ThumbTrack, 10, 77, 144), 77);
    EXPECT_EQ(scrollTarget(Axis::Vertical, ScrollCode::ThumbTrack, 10, 77, 144), 77);
    EXPECT_EQ(scrollTarget(Axis::Horizontal, ScrollCode::ThumbPosition, 10, 77, 144), 10);
    EXPECT_EQ(scrollTarget(Axis::Vertical, ScrollCode::ThumbPosition, 10, 77, 144), 10);
}

TEST(ImageScroll, OnlyTheVerticalBarGoesToItsEdges) {
    EXPECT_EQ(scrollTarget(Axis::Vertical, ScrollCode::ToStart, 50, 0, 96), 0);
    EXPECT_EQ(scrollTarget(Axis::Vertical, ScrollCode::ToEnd, 50, 0, 96), 96);
    EXPECT_EQ(scrollTarget(Axis::Horizontal, ScrollCode::ToStart, 50, 0, 144), 50);
    EXPECT_EQ(scrollTarget(Axis::Horizontal, ScrollCode::ToEnd, 50, 0, 144), 50);
}

TEST(ImageScroll, SliderActionsMapOntoScrollRequests) {
    EXPECT_EQ(scrollCodeFor(QAbstractSlider::SliderSingleStepSub), ScrollCode::LineBack);
    EXPECT_EQ(scrollCodeFor(QAbstractSlider::SliderSingleStepAdd), ScrollCode::LineForward);
    EXPECT_EQ(scrollCodeFor(QAbstractSlider::SliderPageStepSub), ScrollCode::PageBack);
    EXPECT_EQ(scrollCodeFor(QAbstractSlider::SliderPageStepAdd), ScrollCode::PageForward);
    EXPECT_EQ(scrollCodeFor(QAbstractSlider::SliderMove), ScrollCode::ThumbTrack);
    EXPECT_EQ(scrollCodeFor(QAbstractSlider::SliderToMinimum), ScrollCode::ToStart);
    EXPECT_EQ(scrollCodeFor(QAbstractSlider::SliderToMaximum), ScrollCode::ToEnd);
    EXPECT_EQ(scrollCodeFor(QAbstractSlider::SliderNoAction), std::nullopt);
}

} // namespace
} // namespace ovaline::imageview
