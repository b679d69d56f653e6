// SPDX-License-Identifier: MIT
// The names Save gives the slots' files.
#include "save_names.h"

#include <gtest/gtest.h>

namespace ovaline::app {
namespace {

TEST(SaveNames, WholeMemoryReplacesAJpgEndingWithTheSlotDigit) {
    EXPECT_EQ(memorySlotFileName("/p/PIC.jpg", 0), "/p/PIC1.JPG");
    EXPECT_EQ(memorySlotFileName("/p/photo.JPG", 6), "/p/photo7.JPG");
    EXPECT_EQ(memorySlotFileName("/p/photo", 1), "/p/photo2.JPG");
    EXPECT_EQ(memorySlotFileName("/p/photo.jpeg", 4), "/p/photo.jpeg5.JPG");
}

TEST(SaveNames, SingleSlotAddsJpgUnlessItEndsInIt) {
    EXPECT_EQ(singleSlotFileName("/p/photo"), "/p/photo.JPG");
    EXPECT_EQ(singleSlotFileName("/p/photo.JPG"), "/p/photo.JPG");
    EXPECT_EQ(singleSlotFileName("/p/photo.jPg"), "/p/photo.jPg");
    EXPECT_EQ(singleSlotFileName("/p/photo.jpeg"), "/p/photo.jpeg.JPG");
}

} // namespace
} // namespace ovaline::app
