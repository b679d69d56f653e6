// SPDX-License-Identifier: MIT
// Every bitmap of the program is there at 2x too, exactly twice its size,
// and a screen scaled by 2 gets it at the 1x size in logical pixels. The 2x
// panels and indicators hold no colour the 1x ones lack, so the palette's
// colour mapping reaches all of them.
#include "remote_controls.h"
#include "scaled_image.h"

#include <QDirIterator>
#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

namespace ovaline::test {
namespace {

QSet<QRgb> coloursOf(const QImage &image) {
    QSet<QRgb> colours;
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            colours.insert(pixels.pixel(x, y));
    return colours;
}

TEST(ScaledBitmaps, EveryBitmapHasA2xImageOfTwiceItsSize) {
    QStringList single;
    QStringList twice;
    for (const char *folder : {":/toolbar", ":/icon", ":/cursor", ":/splash", ":/control"}) {
        QDirIterator files(QString::fromLatin1(folder), {QStringLiteral("*.png")});
        while (files.hasNext()) {
            const QString path = files.next();
            (path.endsWith(QLatin1String("@2x.png")) ? twice : single).append(path);
        }
    }
    EXPECT_GT(single.size(), 70);
    EXPECT_EQ(twice.size(), single.size()) << "every 2x image has its 1x image";
    for (const QString &path : single) {
        QString scaledName = path;
        scaledName.insert(path.size() - 4, QLatin1String("@2x"));
        const QImage one(path);
        const QImage two(scaledName);
        ASSERT_FALSE(two.isNull()) << qPrintable(scaledName);
        EXPECT_EQ(two.size(), one.size() * 2) << qPrintable(path);

        const QImage shown = app::loadScaledImage(path, 2);
        EXPECT_EQ(shown.devicePixelRatio(), 2) << qPrintable(path);
        EXPECT_EQ(app::logicalSize(shown), one.size()) << qPrintable(path);
        EXPECT_EQ(app::loadScaledImage(path, 1.5).size(), two.size()) << "Qt's rule: above 1";
        EXPECT_EQ(app::loadScaledImage(path, 1), one) << qPrintable(path);
    }
}

TEST(ScaledBitmaps, The2xPanelsAndIndicatorsKeepTheColoursThePaletteMaps) {
    for (int number : {control::kPanelModel1, control::kPanelOther, 200, 184, 185, 186, 187, 188,
                       189, 199, 228}) {
        const QString path = control::controlImagePath(number);
        const QSet<QRgb> one = coloursOf(QImage(path));
        const QSet<QRgb> two = coloursOf(app::loadScaledImage(path, 2));
        EXPECT_TRUE(one.contains(two)) << number;
    }
}

} // namespace
} // namespace ovaline::test
