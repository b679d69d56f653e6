// SPDX-License-Identifier: MIT
// The thumbnail size and the area-averaging scaler shared by both panes.
#include "area_average.h"
#include "thumbnail_size.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

using ovaline::folder::areaAverage;
using ovaline::folder::thumbnailSize;

QImage filled(int width, int height, QRgb (*colour)(int x, int y)) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, colour(x, y));
        }
    }
    return image;
}

QImage randomImage(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(random() & 255, random() & 255, random() & 255));
        }
    }
    return image;
}

// The mean of one channel over the target pixel's area, worked out on a grid
// where every source pixel is cut into target-size pieces, so each target
// pixel is a whole block of source-size pieces; rounded half up.
int blockMean(const QImage &source, QSize size, int tx, int ty, int (*channel)(QRgb)) {
    const int sw = source.width();
    const int sh = source.height();
    std::uint64_t sum = 0;
    for (int py = ty * sh; py < (ty + 1) * sh; ++py) {
        for (int px = tx * sw; px < (tx + 1) * sw; ++px) {
            sum += std::uint64_t(channel(source.pixel(px / size.width(), py / size.height())));
        }
    }
    const std::uint64_t pieces = std::uint64_t(sw) * std::uint64_t(sh);
    return int((2 * sum + pieces) / (2 * pieces));
}

TEST(ThumbnailSize, GivesTheSizesOfThePanes) {
    EXPECT_EQ(thumbnailSize(640, 480), QSize(60, 45));
    EXPECT_EQ(thumbnailSize(480, 640), QSize(60, 80));
    EXPECT_EQ(thumbnailSize(736, 480), QSize(60, 39));
    EXPECT_EQ(thumbnailSize(736, 568), QSize(60, 46));
    EXPECT_EQ(thumbnailSize(768, 576), QSize(60, 45));
}

TEST(ThumbnailSize, IsExactWhereSinglePrecisionFallsShort) {
    // In floats, 29 * (60 / 29) is just under 60 and 119 * (60 / 7) just under 1020.
    EXPECT_EQ(thumbnailSize(29, 29), QSize(60, 60));
    EXPECT_EQ(thumbnailSize(7, 119), QSize(60, 1020));
    for (int width = 1; width <= 4096; ++width) {
        ASSERT_EQ(thumbnailSize(float(width), float(width)), QSize(60, 60)) << width;
    }
}

TEST(ThumbnailSize, TruncatesTheHeightAndKeepsAtLeastOneRow) {
    EXPECT_EQ(thumbnailSize(100, 99), QSize(60, 59));
    EXPECT_EQ(thumbnailSize(4096, 1), QSize(60, 1));
    EXPECT_EQ(thumbnailSize(1, 4096), QSize(60, 245760));
    EXPECT_EQ(thumbnailSize(640, 480, 120), QSize(120, 90));
    EXPECT_EQ(thumbnailSize(640, 480, 1280), QSize(1280, 960));
}

TEST(ThumbnailSize, RefusesSizesThatAreNoPicture) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(thumbnailSize(0, 480).isEmpty());
    EXPECT_TRUE(thumbnailSize(640, 0).isEmpty());
    EXPECT_TRUE(thumbnailSize(-640, 480).isEmpty());
    EXPECT_TRUE(thumbnailSize(nan, 480).isEmpty());
    EXPECT_TRUE(thumbnailSize(640, nan).isEmpty());
    EXPECT_TRUE(thumbnailSize(infinity, 480).isEmpty());
    EXPECT_TRUE(thumbnailSize(640, 3e38f).isEmpty());
    EXPECT_TRUE(thumbnailSize(640, 480, 0).isEmpty());
}

TEST(AreaAverage, HalvingACheckerboardGivesUniformGrey) {
    const QImage board = filled(
        8, 6, [](int x, int y) { return (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0); });
    const QImage grey = areaAverage(board, QSize(4, 3));
    ASSERT_EQ(grey.size(), QSize(4, 3));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(grey.pixel(x, y), qRgb(128, 128, 128)) << x << ',' << y;
        }
    }
}

TEST(AreaAverage, AveragesAGradientExactly) {
    // Red climbs 2 a column, green 3 a row: pairs and triples average exactly.
    const QImage ramp = filled(128, 84, [](int x, int y) { return qRgb(2 * x, 3 * y, 77); });
    const QImage half = areaAverage(ramp, QSize(64, 28));
    for (int y = 0; y < 28; ++y) {
        for (int x = 0; x < 64; ++x) {
            ASSERT_EQ(half.pixel(x, y), qRgb(4 * x + 1, 9 * y + 3, 77)) << x << ',' << y;
        }
    }
}

TEST(AreaAverage, WeighsPartlyCoveredPixelsByTheirShare) {
    // Three pixels into two: each target covers one and a half of them.
    const QImage row = filled(3, 1, [](int x, int) { return qRgb(90 * x, 0, 255 - 90 * x); });
    const QImage two = areaAverage(row, QSize(2, 1));
    EXPECT_EQ(two.pixel(0, 0), qRgb(30, 0, 225));  // (2 * 0 + 90) / 3
    EXPECT_EQ(two.pixel(1, 0), qRgb(150, 0, 105)); // (90 + 2 * 180) / 3
}

TEST(AreaAverage, MatchesTheMeanOverEveryTargetArea) {
    const QSize cases[][2] = {{{7, 5}, {3, 2}},    {{13, 11}, {5, 4}}, {{92, 60}, {60, 39}},
                              {{10, 10}, {10, 3}}, {{4, 3}, {9, 7}},   {{1, 1}, {2, 3}}};
    unsigned seed = 1;
    for (const auto &c : cases) {
        const QImage source = randomImage(c[0].width(), c[0].height(), seed++);
        const QImage scaled = areaAverage(source, c[1]);
        ASSERT_EQ(scaled.size(), c[1]);
        for (int y = 0; y < c[1].height(); ++y) {
            for (int x = 0; x < c[1].width(); ++x) {
                const QRgb pixel = scaled.pixel(x, y);
                ASSERT_EQ(qRed(pixel), blockMean(source, c[1], x, y, qRed)) << x << ',' << y;
                ASSERT_EQ(qGreen(pixel), blockMean(source, c[1], x, y, qGreen));
                ASSERT_EQ(qBlue(pixel), blockMean(source, c[1], x, y, qBlue));
            }
        }
    }
}

TEST(AreaAverage, KeepsAPictureOfTheSameSize) {
    const QImage source = randomImage(17, 9, 42);
    EXPECT_EQ(areaAverage(source, source.size()), source);
}

TEST(AreaAverage, EnlargingRepeatsPixels) {
    const QImage source = randomImage(3, 2, 7);
    const QImage large = areaAverage(source, QSize(9, 4));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 9; ++x) {
            ASSERT_EQ(large.pixel(x, y), source.pixel(x / 3, y / 2));
        }
    }
}

TEST(AreaAverage, TakesOtherFormatsAndGivesOpaqueRgb32) {
    const QImage source = randomImage(12, 8, 3);
    const QImage scaled = areaAverage(source.convertToFormat(QImage::Format_RGB888), QSize(4, 2));
    EXPECT_EQ(scaled.format(), QImage::Format_RGB32);
    EXPECT_EQ(scaled, areaAverage(source, QSize(4, 2)));
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(qAlpha(scaled.pixel(x, 1)), 255);
    }
}

TEST(AreaAverage, NothingToScaleGivesANullImage) {
    EXPECT_TRUE(areaAverage(QImage(), QSize(4, 4)).isNull());
    EXPECT_TRUE(areaAverage(randomImage(4, 4, 1), QSize(0, 4)).isNull());
    EXPECT_TRUE(areaAverage(randomImage(4, 4, 1), QSize(4, -1)).isNull());
}

} // namespace
