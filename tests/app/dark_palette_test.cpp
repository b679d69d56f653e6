// SPDX-License-Identifier: MIT
// Under a dark palette the blue captions of the slot frames and the picture
// cells read as well as WCAG asks of text (a contrast of 4.5:1 at least),
// measured on screenshots of the panes.
#include "app_fixture.h"
#include "jpeg_codec.h"
#include "my_view.h"
#include "ovaline_view.h"
#include "picture.h"
#include "slot_geometry.h"
#include "thumb_grid.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cmath>

namespace ovaline::test {
namespace {

// WCAG 2's relative luminance and contrast ratio, worked out here on their
// own.
double luminance(const QColor &c) {
    const auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}
double contrast(const QColor &a, const QColor &b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour of a caption in `box` of a screenshot: its pixel that stands
// out most from the background.
QColor captionColour(const QImage &shot, const QRect &box, const QColor &background) {
    QColor found = background;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (const QColor c = shot.pixelColor(x, y);
                contrast(c, background) > contrast(found, background))
                found = c;
    return found;
}

QPalette darkPalette() {
    QPalette dark(QColor(53, 53, 53), QColor(53, 53, 53));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    return dark;
}

class DarkPalette : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        light = QApplication::palette();
        QApplication::setPalette(darkPalette());
        const QDir pictures(QString::fromStdString((folder.path() / "pictures").string()));
        pictures.mkpath(QStringLiteral("."));
        for (const char *name : {"ONE.JPG", "TWO.JPG"}) {
            QFile file(pictures.filePath(QLatin1String(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            const auto jpeg = emu::encodeJpeg(
                emu::renderScene(emu::Scene::Chart, emu::CameraView{}, 640, 480), 65535);
            file.write(reinterpret_cast<const char *>(jpeg.data()), qint64(jpeg.size()));
        }
        start({QStringLiteral("--virtual"), pictures.path()});
    }
    void TearDown() override {
        AppTest::TearDown();
        QApplication::setPalette(light);
    }

    QPalette light;
};

TEST_F(DarkPalette, TheBlueCaptionsReadOnTheDarkPanes) {
    doc().OnReceive();
    ASSERT_TRUE(waitUntil([this] { return app().m_bReceivePending == 0 && app().m_bBusy == 0; }));
    ASSERT_TRUE(waitUntil([this] { return app().m_nFiles == 2 && !app().m_bFolderChanged; }));

    QWidget *strip = memoryView().Strip();
    const QImage frames = strip->grab().toImage();
    const QColor background = frames.pixelColor(1, 1);
    EXPECT_LT(luminance(background), 0.1) << "the pane is dark";
    for (int i = 0; i < imageview::kSlotCount; ++i) {
        const QPoint at = imageview::frameOrigin(i) + QPoint(18, 70);
        const QColor caption = captionColour(frames, QRect(at, QSize(20, 16)), background);
        EXPECT_GE(contrast(caption, background), 4.5) << "slot " << i + 1;
        EXPECT_NEAR(caption.hsvHue(), 240, 20) << "still blue, slot " << i + 1;
    }

    const QImage cells = static_cast<app::CMyView *>(app().m_pThumbView)->Sheet()->grab().toImage();
    for (int k = 0; k < 2; ++k) {
        const QPoint at = folder::captionOrigin(k);
        const QColor caption = captionColour(cells, QRect(at, QSize(70, 16)), background);
        EXPECT_GE(contrast(caption, background), 4.5) << "cell " << k;
        EXPECT_NEAR(caption.hsvHue(), 240, 20) << "still blue, cell " << k;
    }
}

} // namespace
} // namespace ovaline::test
