// SPDX-License-Identifier: MIT
// The arithmetic of the setup dialog's layout and of window placement.
#include "setup_layout.h"
#include "window_geometry.h"

#include <gtest/gtest.h>

namespace ovaline::app {
namespace {

TEST(SetupLayout, ControlsSitOnTheGridOfTheClientRectangle) {
    const SetupLayout layout = setupLayout(QRect(0, 0, 260, 160), 8, 18);
    EXPECT_EQ(layout.cancelButton, QRect(32, 124, 72, 27));
    EXPECT_EQ(layout.okButton, QRect(144, 124, 72, 27));
    EXPECT_EQ(layout.portLabel, QRect(32, 18, 72, 18));
    EXPECT_EQ(layout.baudLabel, QRect(144, 18, 128, 18));
    EXPECT_EQ(layout.portList, QRect(32, 36, 72, 90));
    EXPECT_EQ(layout.baudList, QRect(144, 36, 80, 108));
    EXPECT_EQ(droppedRows(layout.portList, 18), 4);
    EXPECT_EQ(droppedRows(layout.baudList, 18), 5);
}

TEST(SetupLayout, TheDialogOpensBelowAndRightOfItsParent) {
    EXPECT_EQ(setupDialogFrame(QPoint(100, 50), 18), QRect(260, 210, 260, 187));
}

TEST(SetupLayout, ModelOneIsOfferedRatesUpTo38400Only) {
    EXPECT_EQ(baudRateEntries(1), QStringList({"2,400", "4,800", "9,600", "19,200", "38,400"}));
    const QStringList all{"2,400", "4,800", "9,600", "19,200", "38,400", "57,600", "115,200"};
    EXPECT_EQ(baudRateEntries(0), all);
    EXPECT_EQ(baudRateEntries(2), all);
    EXPECT_EQ(clampBaudIndex(1, 6), 4);
    EXPECT_EQ(clampBaudIndex(1, 3), 3);
    EXPECT_EQ(clampBaudIndex(2, 6), 6);
    EXPECT_EQ(clampBaudIndex(0, 5), 5);
}

TEST(WindowGeometry, AWindowIsCentredAndMayStartLeftOfTheScreen) {
    EXPECT_EQ(centredOrigin(QSize(1024, 768), QSize(640, 480)), QPoint(192, 144));
    EXPECT_EQ(centredOrigin(QSize(1024, 768), QSize(2000, 480)).x(), -488);
    EXPECT_EQ(centredOrigin(QSize(1024, 768), QSize(1025, 769)), QPoint(0, 0));
}

TEST(WindowGeometry, DialogUnitsScaleByTheFontsAverageLetter) {
    EXPECT_EQ(fromDialogUnits(QRect(40, 16, 206, 55), QSize(8, 16)), QRect(80, 32, 412, 110));
}

} // namespace
} // namespace ovaline::app
