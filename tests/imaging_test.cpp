// SPDX-License-Identifier: MIT
// The JPEG decoding control: sizes, bitmaps, handles and palettes after
// loads from memory and from files, its two properties, failed loads and
// thumbnails.
#include "area_average.h"
#include "clead1.h"
#include "imaging_pictures.h"
#include "temp_dir.h"
#include "traffic.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <QSet>
#include <QString>

#include <turbojpeg.h>

#include <ostream>
#include <vector>

namespace {

using ovaline::test::cameraJpeg;
using ovaline::test::greyJpeg;
using ovaline::test::maxAbsDifference;
using ovaline::test::meanAbsDifference;
using ovaline::test::TempDir;
using ovaline::test::turboDecode;
using ovaline::test::writeFile;

constexpr int kAccurate = 0;
constexpr int kFast = TJFLAG_FASTDCT | TJFLAG_FASTUPSAMPLE;

QString pathIn(const TempDir &dir, const char *name) {
    return QString::fromStdString((dir.path() / name).string());
}

void expectHoldsNothing(CLead1 &lead, qint32 formerHandle) {
    EXPECT_EQ(lead.GetImageWidth(), 0.0f);
    EXPECT_EQ(lead.GetImageHeight(), 0.0f);
    EXPECT_EQ(lead.GetImageHandle(), 0);
    EXPECT_TRUE(lead.GetBitmap(formerHandle).isNull());
    EXPECT_TRUE(lead.GetBitmap(0).isNull());
    EXPECT_TRUE(lead.GetPalette(formerHandle).isEmpty());
    EXPECT_TRUE(lead.GetThumbnail().isNull());
}

// The four picture sizes of the camera models.
struct CameraSize {
    int width;
    int height;
    friend std::ostream &operator<<(std::ostream &out, const CameraSize &size) {
        return out << size.width << 'x' << size.height;
    }
};

class CameraSizeLoad : public testing::TestWithParam<CameraSize> {};

TEST_P(CameraSizeLoad, FromMemoryReportsTheExactSize) {
    const CameraSize size = GetParam();
    // A slot buffer holds the picture followed by whatever is left in it.
    QByteArray slot = cameraJpeg(size.width, size.height);
    const qsizetype count = slot.size();
    slot.append(QByteArray(65535 - count, '\x5a'));
    CLead1 lead;
    lead.SetProperty1(0);
    ASSERT_EQ(lead.LoadMemory(slot, count), CLead1::kLoaded);
    EXPECT_EQ(lead.GetImageWidth(), float(size.width));
    EXPECT_EQ(lead.GetImageHeight(), float(size.height));
    EXPECT_EQ(lead.GetBitmap(lead.GetImageHandle()).size(), QSize(size.width, size.height));
}

TEST_P(CameraSizeLoad, FromFileReportsTheExactSize) {
    const CameraSize size = GetParam();
    const TempDir dir;
    const QString path = pathIn(dir, "PICTURE.JPG");
    ASSERT_TRUE(writeFile(path, cameraJpeg(size.width, size.height, ovaline::emu::Scene::Chart)));
    CLead1 lead;
    lead.SetProperty2(false);
    ASSERT_EQ(lead.LoadFile(path), CLead1::kLoaded);
    EXPECT_EQ(lead.GetImageWidth(), float(size.width));
    EXPECT_EQ(lead.GetImageHeight(), float(size.height));
    EXPECT_EQ(lead.GetBitmap(lead.GetImageHandle()).size(), QSize(size.width, size.height));
}

INSTANTIATE_TEST_SUITE_P(CameraModels, CameraSizeLoad,
                         testing::Values(CameraSize{736, 480}, CameraSize{736, 568},
                                         CameraSize{640, 480}, CameraSize{768, 576}));

TEST(CLead1Bitmap, MatchesAReferenceDecodeOfTheWholePicture) {
    const QByteArray jpeg = cameraJpeg(736, 568, ovaline::emu::Scene::Map);
    CLead1 lead;
    ASSERT_EQ(lead.LoadMemory(jpeg, jpeg.size()), CLead1::kLoaded);
    const QImage bitmap = lead.GetBitmap(lead.GetImageHandle());
    EXPECT_EQ(bitmap.format(), QImage::Format_RGB32);
    // Qt's own JPEG reader as an independent decoder.
    const QImage reference = QImage::fromData(jpeg, "JPEG");
    ASSERT_EQ(reference.size(), QSize(736, 568));
    EXPECT_LE(maxAbsDifference(bitmap, reference), 2);
    EXPECT_LT(meanAbsDifference(bitmap, reference), 0.1);
    // Every pixel opaque, as Format_RGB32 requires.
    for (int y = 0; y < bitmap.height(); y += 37) {
        for (int x = 0; x < bitmap.width(); x += 41) {
            ASSERT_EQ(qAlpha(bitmap.pixel(x, y)), 255);
        }
    }
}

TEST(CLead1Bitmap, EachCallGivesTheCallerAnImageOfItsOwn) {
    const QByteArray jpeg = cameraJpeg(640, 480);
    CLead1 lead;
    ASSERT_EQ(lead.LoadMemory(jpeg, jpeg.size()), CLead1::kLoaded);
    const qint32 handle = lead.GetImageHandle();
    QImage first = lead.GetBitmap(handle);
    const QImage untouched = first.copy();
    first.fill(Qt::red);
    EXPECT_EQ(lead.GetBitmap(handle), untouched);
}

TEST(CLead1Memory, TheBytesAreCopiedAtTheLoad) {
    QByteArray slot = cameraJpeg(640, 480);
    CLead1 lead;
    ASSERT_EQ(lead.LoadMemory(slot, slot.size()), CLead1::kLoaded);
    const QImage before = lead.GetBitmap(lead.GetImageHandle());
    slot.fill('\0');
    EXPECT_EQ(lead.GetBitmap(lead.GetImageHandle()), before);
}

TEST(CLead1Memory, ACountOutsideTheBufferIsRefused) {
    const QByteArray slot = cameraJpeg(640, 480);
    CLead1 lead;
    EXPECT_EQ(lead.LoadMemory(slot, slot.size() + 1), CLead1::kNoData);
    EXPECT_EQ(lead.LoadMemory(slot, 0), CLead1::kNoData);
    EXPECT_EQ(lead.LoadMemory(slot, -1), CLead1::kNoData);
    EXPECT_EQ(lead.LoadMemory(QByteArrayView(), 0), CLead1::kNoData);
    expectHoldsNothing(lead, 1);
}

TEST(CLead1Order, TheDocumentedOrderGivesSizeBitmapAndPalette) {
    const QByteArray jpeg = cameraJpeg(768, 576);
    CLead1 lead;
    lead.SetProperty1(0);
    ASSERT_EQ(lead.LoadMemory(jpeg, jpeg.size()), 0);
    const float width = lead.GetImageWidth();
    const float height = lead.GetImageHeight();
    const qint32 handle = lead.GetImageHandle();
    EXPECT_NE(handle, 0);
    EXPECT_EQ(lead.GetBitmap(handle).size(), QSize(int(width), int(height)));
    EXPECT_EQ(lead.GetPalette(handle).size(), 256);
}

TEST(CLead1Order, NothingIsHeldBeforeTheFirstLoad) {
    CLead1 lead;
    expectHoldsNothing(lead, 1);
}

TEST(CLead1Order, AHandleLastsUntilTheNextLoad) {
    const QByteArray first = cameraJpeg(640, 480);
    const QByteArray second = cameraJpeg(736, 480, ovaline::emu::Scene::Notice);
    CLead1 lead;
    ASSERT_EQ(lead.LoadMemory(first, first.size()), 0);
    const qint32 old = lead.GetImageHandle();
    EXPECT_EQ(lead.GetImageHandle(), old);
    ASSERT_EQ(lead.LoadMemory(second, second.size()), 0);
    const qint32 current = lead.GetImageHandle();
    EXPECT_NE(current, old);
    EXPECT_TRUE(lead.GetBitmap(old).isNull());
    EXPECT_TRUE(lead.GetPalette(old).isEmpty());
    EXPECT_EQ(lead.GetBitmap(current).size(), QSize(736, 480));
    // Loading the same bytes again still makes a new handle.
    ASSERT_EQ(lead.LoadMemory(second, second.size()), 0);
    EXPECT_NE(lead.GetImageHandle(), current);
    EXPECT_TRUE(lead.GetBitmap(current).isNull());
}

TEST(CLead1Order, HandlesOfNoPictureGiveNothing) {
    const QByteArray jpeg = cameraJpeg(640, 480);
    CLead1 lead;
    ASSERT_EQ(lead.LoadMemory(jpeg, jpeg.size()), 0);
    const qint32 handle = lead.GetImageHandle();
    for (qint32 other : {0, -1, handle + 1, handle - 1}) {
        EXPECT_TRUE(lead.GetBitmap(other).isNull()) << other;
        EXPECT_TRUE(lead.GetPalette(other).isEmpty()) << other;
    }
}

TEST(CLead1Failure, AFailedLoadDropsThePreviousPicture) {
    const QByteArray jpeg = cameraJpeg(640, 480);
    const TempDir dir;
    CLead1 lead;
    ASSERT_EQ(lead.LoadMemory(jpeg, jpeg.size()), 0);
    qint32 handle = lead.GetImageHandle();
    EXPECT_EQ(lead.LoadMemory(jpeg, jpeg.size() / 2), CLead1::kDamaged);
    expectHoldsNothing(lead, handle);

    ASSERT_EQ(lead.LoadMemory(jpeg, jpeg.size()), 0);
    handle = lead.GetImageHandle();
    EXPECT_EQ(lead.LoadFile(pathIn(dir, "MISSING.JPG")), CLead1::kUnreadable);
    expectHoldsNothing(lead, handle);
}

TEST(CLead1Failure, AGoodLoadAfterAFailedOneSucceeds) {
    const QByteArray jpeg = cameraJpeg(736, 568);
    CLead1 lead;
    EXPECT_NE(lead.LoadMemory(jpeg, jpeg.size() - 100), 0);
    EXPECT_NE(lead.LoadMemory("not a picture", 13), 0);
    ASSERT_EQ(lead.LoadMemory(jpeg, jpeg.size()), 0);
    EXPECT_EQ(lead.GetImageWidth(), 736.0f);
    EXPECT_EQ(lead.GetImageHeight(), 568.0f);
    EXPECT_FALSE(lead.GetThumbnail().isNull());
}

TEST(CLead1Palette, IsTheThreeThreeTwoColourCube) {
    const QByteArray jpeg = cameraJpeg(640, 480);
    CLead1 lead;
    ASSERT_EQ(lead.LoadMemory(jpeg, jpeg.size()), 0);
    const QList<QRgb> palette = lead.GetPalette(lead.GetImageHandle());
    ASSERT_EQ(palette.size(), 256);
    EXPECT_EQ(palette.front(), qRgb(0, 0, 0));
    EXPECT_EQ(palette.back(), qRgb(255, 255, 255));
    EXPECT_EQ(palette[0xe0], qRgb(255, 0, 0));
    EXPECT_EQ(palette[0x1c], qRgb(0, 255, 0));
    EXPECT_EQ(palette[0x03], qRgb(0, 0, 255));
    EXPECT_EQ(palette[0x49], qRgb(2 * 255 / 7, 2 * 255 / 7, 255 / 3));
    EXPECT_EQ(QSet<QRgb>(palette.begin(), palette.end()).size(), 256);
    // The caller's copy is its own.
    QList<QRgb> mine = palette;
    mine[0] = qRgb(1, 2, 3);
    EXPECT_EQ(lead.GetPalette(lead.GetImageHandle()).front(), qRgb(0, 0, 0));
}

TEST(CLead1Property1, LowersTheLargestSideAccepted) {
    const QByteArray small = cameraJpeg(736, 480);
    const QByteArray large = cameraJpeg(768, 576);
    CLead1 lead;
    lead.SetProperty1(736);
    EXPECT_EQ(lead.LoadMemory(small, small.size()), CLead1::kLoaded);
    EXPECT_EQ(lead.LoadMemory(large, large.size()), CLead1::kOverLimit);
    expectHoldsNothing(lead, 1);
    lead.SetProperty1(0);
    EXPECT_EQ(lead.LoadMemory(large, large.size()), CLead1::kLoaded);
    EXPECT_EQ(lead.GetImageWidth(), 768.0f);
}

TEST(CLead1Property1, ZeroNegativeAndLargeValuesMeanTheBuiltInLimit) {
    const QByteArray widest = greyJpeg(4096, 16);
    const QByteArray tallest = greyJpeg(16, 4096);
    const QByteArray tooWide = greyJpeg(4097, 16);
    const QByteArray tooTall = greyJpeg(16, 4097);
    for (qint32 value : {0, -7, 4097, 1000000}) {
        CLead1 lead;
        lead.SetProperty1(value);
        EXPECT_EQ(lead.LoadMemory(widest, widest.size()), CLead1::kLoaded) << value;
        EXPECT_EQ(lead.GetImageWidth(), 4096.0f);
        EXPECT_EQ(lead.LoadMemory(tallest, tallest.size()), CLead1::kLoaded) << value;
        EXPECT_EQ(lead.GetImageHeight(), 4096.0f);
        EXPECT_EQ(lead.LoadMemory(tooWide, tooWide.size()), CLead1::kOverLimit) << value;
        EXPECT_EQ(lead.LoadMemory(tooTall, tooTall.size()), CLead1::kOverLimit) << value;
    }
}

TEST(CLead1Property2, FalseDecodesAccuratelyAndTrueFast) {
    const QByteArray jpeg = cameraJpeg(736, 480, ovaline::emu::Scene::Lesson);
    const QImage accurate = turboDecode(jpeg, kAccurate);
    const QImage fast = turboDecode(jpeg, kFast);
    ASSERT_NE(accurate, fast);
    CLead1 lead;
    EXPECT_EQ(lead.LoadMemory(jpeg, jpeg.size()), 0);
    EXPECT_EQ(lead.GetBitmap(lead.GetImageHandle()), accurate) << "accurate by default";
    lead.SetProperty2(true);
    EXPECT_EQ(lead.LoadMemory(jpeg, jpeg.size()), 0);
    EXPECT_EQ(lead.GetBitmap(lead.GetImageHandle()), fast);
    lead.SetProperty2(false);
    EXPECT_EQ(lead.LoadMemory(jpeg, jpeg.size()), 0);
    EXPECT_EQ(lead.GetBitmap(lead.GetImageHandle()), accurate);
}

TEST(CLead1Property2, TheValueAtTheLoadHoldsForItsPicture) {
    const QByteArray jpeg = cameraJpeg(640, 480, ovaline::emu::Scene::Lesson);
    CLead1 lead;
    lead.SetProperty2(false);
    ASSERT_EQ(lead.LoadMemory(jpeg, jpeg.size()), 0);
    lead.SetProperty2(true);
    EXPECT_EQ(lead.GetBitmap(lead.GetImageHandle()), turboDecode(jpeg, kAccurate));
}

TEST(CLead1Thumbnail, HasTheSizesOfThePanes) {
    const struct {
        int width, height, thumbHeight;
    } cases[] = {{640, 480, 45}, {480, 640, 80}, {736, 568, 46}, {736, 480, 39}, {768, 576, 45}};
    CLead1 lead;
    for (const auto &c : cases) {
        const QByteArray jpeg = cameraJpeg(c.width, c.height);
        ASSERT_EQ(lead.LoadMemory(jpeg, jpeg.size()), 0);
        const QImage thumbnail = lead.GetThumbnail();
        EXPECT_EQ(thumbnail.size(), QSize(60, c.thumbHeight)) << c.width << 'x' << c.height;
        EXPECT_EQ(thumbnail.format(), QImage::Format_RGB32);
    }
}

TEST(CLead1Thumbnail, ScaledDecodeIsCloseToAveragingTheWholePicture) {
    // A scaled pixel is the mean of its block, so where a thumbnail pixel
    // covers part of a block with a sharp edge in it, it differs a little
    // from the mean of the part it covers; on a smooth picture hardly at all.
    ovaline::emu::CameraView blurred;
    blurred.focus_error = 1.0;
    const struct {
        ovaline::emu::Scene scene;
        ovaline::emu::CameraView view;
        double mean;
    } cases[] = {{ovaline::emu::Scene::Stage, {}, 4.0},
                 {ovaline::emu::Scene::Chart, {}, 4.0},
                 {ovaline::emu::Scene::Notice, {}, 4.0},
                 {ovaline::emu::Scene::Stage, blurred, 1.0},
                 {ovaline::emu::Scene::Chart, blurred, 1.0}};
    CLead1 lead;
    for (const auto &c : cases) {
        const QByteArray jpeg = cameraJpeg(736, 480, c.scene, c.view);
        ASSERT_EQ(lead.LoadMemory(jpeg, jpeg.size()), 0);
        const QImage whole = lead.GetBitmap(lead.GetImageHandle());
        for (int width : {60, 120, 300}) {
            const QImage thumbnail = lead.GetThumbnail(width);
            const QImage reference = ovaline::folder::areaAverage(whole, thumbnail.size());
            EXPECT_LT(meanAbsDifference(thumbnail, reference), c.mean)
                << int(c.scene) << ' ' << c.view.focus_error << ' ' << width;
        }
    }
}

TEST(CLead1Thumbnail, OtherWidthsKeepTheProportions) {
    const QByteArray jpeg = cameraJpeg(640, 480);
    CLead1 lead;
    ASSERT_EQ(lead.LoadMemory(jpeg, jpeg.size()), 0);
    EXPECT_EQ(lead.GetThumbnail(640).size(), QSize(640, 480));
    EXPECT_EQ(lead.GetThumbnail(640), lead.GetBitmap(lead.GetImageHandle()));
    EXPECT_EQ(lead.GetThumbnail(1000).size(), QSize(1000, 750));
    EXPECT_EQ(lead.GetThumbnail(1).size(), QSize(1, 1));
    EXPECT_TRUE(lead.GetThumbnail(0).isNull());
    EXPECT_TRUE(lead.GetThumbnail(-60).isNull());
}

TEST(Colour, ACmykPictureLoadsInItsColours) {
    const std::vector<std::uint8_t> inks = ovaline::test::cmykTestPicture(64, 48);
    const QByteArray jpeg(reinterpret_cast<const char *>(inks.data()), qsizetype(inks.size()));
    ASSERT_FALSE(jpeg.isEmpty());
    for (const bool fast : {false, true}) {
        CLead1 lead;
        lead.SetProperty2(fast);
        ASSERT_EQ(lead.LoadMemory(jpeg, jpeg.size()), CLead1::kLoaded) << fast;
        const QImage bitmap = lead.GetBitmap(lead.GetImageHandle());
        ASSERT_EQ(bitmap.size(), QSize(64, 48));
        const QColor left = bitmap.pixelColor(10, 24);
        const QColor right = bitmap.pixelColor(54, 24);
        EXPECT_GT(left.red(), 230) << fast;
        EXPECT_LT(left.green() + left.blue(), 40) << fast;
        EXPECT_LT(right.red() + right.green() + right.blue(), 40) << fast;
        EXPECT_FALSE(lead.GetThumbnail().isNull());
    }
}

} // namespace
