// SPDX-License-Identifier: MIT
// The rows of a picture still arriving: fed block by block as a receive
// brings them, compared with the whole picture decoded at once.
#include "imaging_pictures.h"
#include "partial_jpeg.h"
#include "traffic.h"

#include <gtest/gtest.h>

#include <turbojpeg.h>

namespace {

using ovaline::folder::PartialJpeg;
using ovaline::test::cameraJpeg;
using ovaline::test::turboDecode;

constexpr qsizetype kBlock = 512;

QByteArray progressiveCopy(const QByteArray &jpeg) {
    const QImage image = turboDecode(jpeg, 0);
    tjhandle handle = tjInitCompress();
    unsigned char *out = nullptr;
    unsigned long size = 0;
    const int rc =
        tjCompress2(handle, image.constBits(), image.width(), int(image.bytesPerLine()),
                    image.height(), TJPF_BGRX, &out, &size, TJSAMP_420, 90, TJFLAG_PROGRESSIVE);
    QByteArray progressive =
        rc == 0 ? QByteArray(reinterpret_cast<char *>(out), qsizetype(size)) : QByteArray();
    tjFree(out);
    tjDestroy(handle);
    return progressive;
}

TEST(PartialJpeg, RowsGrowBlockByBlockAndAreTheTopOfTheWholePicture) {
    const QByteArray jpeg = cameraJpeg(640, 480);
    const QImage whole = turboDecode(jpeg, 0);
    PartialJpeg partial;
    EXPECT_FALSE(partial.Feed(jpeg.first(100))) << "the header is not complete yet";
    EXPECT_TRUE(partial.Rows().isNull());
    EXPECT_FALSE(partial.Refused());

    int rows = 0;
    int rowsAtQuarter = 0;
    for (qsizetype held = kBlock; held < jpeg.size() + kBlock; held += kBlock) {
        const bool added = partial.Feed(QByteArrayView(jpeg).first(std::min(held, jpeg.size())));
        const QImage shown = partial.Rows();
        EXPECT_EQ(added, shown.height() > rows) << held;
        ASSERT_GE(shown.height(), rows) << "rows never go away as bytes come";
        rows = shown.height();
        if (held <= jpeg.size() / 4)
            rowsAtQuarter = rows;
        if (rows > 0) {
            EXPECT_EQ(partial.ScaledSize(), QSize(640, 480));
            EXPECT_EQ(shown, whole.copy(0, 0, 640, rows)) << "after " << held << " bytes";
        }
    }
    EXPECT_GT(rowsAtQuarter, 0) << "a quarter of the bytes shows picture rows";
    EXPECT_LT(rowsAtQuarter, 480);
    EXPECT_EQ(rows, 480);
    EXPECT_FALSE(partial.Feed(jpeg)) << "nothing is left to add";
}

TEST(PartialJpeg, AThumbnailScaleCoversTheTargetAndANewStartBeginsAgain) {
    const QByteArray first = cameraJpeg(640, 480);
    const QByteArray second = cameraJpeg(480, 640);
    PartialJpeg partial(QSize(60, 45));
    EXPECT_TRUE(partial.Feed(first.first(first.size() / 2)));
    EXPECT_EQ(partial.ScaledSize(), QSize(80, 60));
    const QImage half = partial.Rows();
    EXPECT_GT(half.height(), 0);
    EXPECT_LT(half.height(), 60);
    EXPECT_EQ(half.width(), 80);

    // Another picture from its start, as after a picture fetched again.
    EXPECT_TRUE(partial.Feed(second));
    EXPECT_EQ(partial.ScaledSize(), QSize(60, 80));
    EXPECT_EQ(partial.Rows().height(), 80);
}

TEST(PartialJpeg, ProgressiveCmykAndDamagedPicturesShowNoRows) {
    const QByteArray progressive = progressiveCopy(cameraJpeg(640, 480));
    ASSERT_FALSE(progressive.isEmpty());
    const std::vector<std::uint8_t> cmyk = ovaline::test::cmykTestPicture(64, 48);
    QByteArray damaged = cameraJpeg(640, 480);
    // Bytes of the entropy-coded data turned into a marker that is no
    // restart marker.
    damaged[damaged.size() / 2] = char(0xFF);
    damaged[damaged.size() / 2 + 1] = char(0xC4);

    for (const QByteArray &jpeg :
         {progressive,
          QByteArray(reinterpret_cast<const char *>(cmyk.data()), qsizetype(cmyk.size())),
          QByteArray(4096, 'x')}) {
        PartialJpeg partial;
        EXPECT_FALSE(partial.Feed(jpeg));
        EXPECT_TRUE(partial.Rows().isNull());
    }
    PartialJpeg partial;
    EXPECT_TRUE(partial.Feed(damaged.first(damaged.size() / 2 - 100)));
    partial.Feed(damaged);
    EXPECT_TRUE(partial.Refused());
    EXPECT_TRUE(partial.Rows().isNull());
}

} // namespace
