// SPDX-License-Identifier: MIT
// The date and clock panes' texts.
#include "clock_text.h"

#include <gtest/gtest.h>

namespace ovaline::app {
namespace {

TEST(ClockText, DateReadsMonthDayAndYear) {
    EXPECT_EQ(dateText(QDate(1999, 7, 4)), "Jly.04.1999");
    EXPECT_EQ(dateText(QDate(2024, 1, 31)), "Jan.31.2024");
    EXPECT_EQ(dateText(QDate(2000, 12, 9)), "Dec.09.2000");
}

TEST(ClockText, AfternoonReadsPmLessTwelveHours) {
    EXPECT_EQ(timeText(QTime(13, 5, 9)), "1:05:09 PM");
    EXPECT_EQ(timeText(QTime(23, 59, 59)), "11:59:59 PM");
}

TEST(ClockText, TheHourAfterNoonIsPmAndTheHourAfterMidnightIsZeroAm) {
    EXPECT_EQ(timeText(QTime(12, 30, 0)), "12:30:00 PM");
    EXPECT_EQ(timeText(QTime(12, 0, 0)), "12:00:00 PM");
    EXPECT_EQ(timeText(QTime(0, 10, 0)), "0:10:00 AM");
    EXPECT_EQ(timeText(QTime(11, 59, 59)), "11:59:59 AM");
}

} // namespace
} // namespace ovaline::app
