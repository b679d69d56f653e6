// SPDX-License-Identifier: MIT
// A slot's picture that fills in as it arrives, received through the menu
// from the virtual camera at 9,600 bit/s: the frame shows the top rows while
// the rest is still on the line, a second Esc brings back what the frame
// showed, a failed receive does too, and an image window showing the slot
// grows the same way.
#include "app_events.h"
#include "app_fixture.h"
#include "clead1.h"
#include "image_wnd.h"
#include "jpeg_codec.h"
#include "ovaline_view.h"
#include "picture.h"
#include "resource_ids.h"
#include "slot_geometry.h"
#include "traffic.h"

#include <QAction>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace ovaline::test {
namespace {

using imageview::slotRect;
using imageview::thumbOrigin;

// The largest progress the main frame is sent, in percent of a slot.
class ProgressPeak : public QObject {
public:
    int percent = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == app::WM_APP_PROGRESS)
            percent = std::max(percent, static_cast<app::CProgressEvent *>(event)->Percent());
        return false;
    }
};

class FillIn : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        start();
        frame().installEventFilter(&progress);
    }
    void TearDown() override {
        frame().removeEventFilter(&progress);
        AppTest::TearDown();
    }

    // The pixels of slot i's thumbnail place in its frame, as drawn now.
    QImage thumbArea(int i) const {
        return memoryView().Strip()->grab().toImage().copy(QRect(thumbOrigin(i), QSize(60, 45)));
    }
    // Receives slot i through the menu. The receive runs in the program's
    // own waiting loop, so what it shows meanwhile is looked at from there:
    // once a quarter of `bytes` has come, `look` is called every 20 ms while
    // the slot still arrives, until it returns true. Returns at the end.
    void receive(int i, std::size_t bytes = 0, const std::function<bool()> &look = {}) {
        const int quarter =
            static_cast<int>((bytes * 25 + OVALINE_MAX_IMAGE - 1) / OVALINE_MAX_IMAGE);
        bool done = !look;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (!done && app().m_bBusy == 1 && progress.percent >= quarter)
                done = look();
        });
        watch.start(20);
        QTest::mouseClick(memoryView().Strip(), Qt::LeftButton, {}, slotRect(i).center());
        progress.percent = 0;
        frame().GetAction(res::ID_TRANSFER_RECEIVE)->trigger();
        ASSERT_TRUE(waitUntil([this] { return app().m_bBusy == 0 && app().m_bReceivePending == 0; },
                              std::chrono::seconds(60)));
        EXPECT_TRUE(done) << "nothing to see while the slot arrived";
    }
    // Receives slot 1's first picture whole and keeps how its frame looks;
    // then puts a new picture into the camera's slot 1 and slows the line
    // by `speed` (from a thousandfold) so that it is seen arriving.
    void receiveFirstThenOfferNew(const char *speed) {
        receive(0);
        earlier = thumbArea(0);
        background = memoryView().Strip()->palette().color(QPalette::Window).rgb();
        ASSERT_EQ(sendSlot(1, arriving).code, 0);
        env.set("OVALINE_VIRTUAL_SPEED", speed);
    }
    static QImage decoded(const std::vector<std::uint8_t> &jpeg, int thumbWidth) {
        CLead1 lead;
        const QByteArrayView bytes(jpeg.data(), static_cast<qsizetype>(jpeg.size()));
        if (lead.LoadMemory(bytes, bytes.size()) != CLead1::kLoaded)
            return {};
        return thumbWidth ? lead.GetThumbnail(thumbWidth) : lead.GetBitmap(lead.GetImageHandle());
    }

    ProgressPeak progress;
    // A camera picture unlike the ones the camera starts with.
    const std::vector<std::uint8_t> arriving =
        emu::encodeJpeg(emu::renderScene(emu::Scene::Notice, emu::CameraView{}, 640, 480), 65535);
    QImage earlier;
    QRgb background = 0;
};

// Rows of `shown` that look like the same rows of `expected` (within the
// small differences of a quicker decode) and unlike `background`.
int rowsLike(const QImage &shown, const QImage &expected, QRgb background) {
    int rows = 0;
    for (int y = 0; y < shown.height() && y < expected.height(); ++y) {
        int off = 0;
        int notBackground = 0;
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb a = shown.pixel(x, y);
            const QRgb b = expected.pixel(x, y);
            off += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                   std::abs(qBlue(a) - qBlue(b));
            notBackground += a != background;
        }
        if (off > shown.width() * 3 * 12 || notBackground == 0)
            break;
        ++rows;
    }
    return rows;
}

TEST_F(FillIn, TheFrameShowsTheTopRowsAfterAQuarterAndASecondEscBringsBackItsThumbnail) {
    receiveFirstThenOfferNew("8"); // a quarter of the slot in about 1.5 s

    const QImage thumbnail = decoded(arriving, 60);
    QImage shown;
    receive(0, arriving.size(), [&] {
        shown = thumbArea(0);
        if (rowsLike(shown, thumbnail, background) == 0)
            return false;
        for (int press = 0; press < 2; ++press) {
            QTest::keyPress(frame().windowHandle(), Qt::Key_Escape);
            QTest::keyRelease(frame().windowHandle(), Qt::Key_Escape);
        }
        return true;
    });
    for (int x = 0; x < 60; ++x)
        ASSERT_EQ(shown.pixel(x, 44), background) << "below the rows the frame is empty";
    EXPECT_EQ(thumbArea(0), earlier) << "the frame shows its earlier thumbnail again";
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
}

TEST_F(FillIn, AReceiveThatFailsHalfwayBringsBackTheThumbnailAndTheBytesForSave) {
    receiveFirstThenOfferNew("8");
    // The line is pulled when about half the picture has gone over it.
    env.set("OVALINE_VIRTUAL_FAULTS", "unplug=" + std::to_string(arriving.size() / 2));

    const QImage thumbnail = decoded(arriving, 60);
    receive(0, arriving.size(), [&] { return rowsLike(thumbArea(0), thumbnail, background) > 0; });
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts().front().startsWith(
        QStringLiteral("DLL failed sending or receiving data [1]")))
        << boxes.texts().front().toStdString();
    EXPECT_EQ(thumbArea(0), earlier) << "the frame shows its earlier thumbnail again";
    EXPECT_EQ(doc().GetSlotSize(0), doc().GetHeldSize(0)) << "Save still writes the slot";
    EXPECT_GT(doc().GetSlotSize(0), 0);
}

TEST_F(FillIn, AnImageWindowShowingTheSlotGrowsIntoTheNewPicture) {
    receiveFirstThenOfferNew("16");
    imageview::CImageWnd &window = *doc().m_pImageWnd;
    QTest::mouseDClick(memoryView().Strip(), Qt::LeftButton, {}, slotRect(0).center());
    ASSERT_TRUE(window.HasWindow());
    QWidget *client = window.GetWindow()->findChild<QWidget *>(QStringLiteral("client"));
    ASSERT_NE(client, nullptr);
    const QRgb windowBackground = client->palette().color(client->backgroundRole()).rgb();

    const QImage whole = decoded(arriving, 0);
    int rows = 0;
    receive(0, arriving.size(), [&] {
        rows = rowsLike(client->grab().toImage(), whole, windowBackground);
        return rows > 0;
    });
    EXPECT_LT(rows, 480) << "the window showed the picture only when it was whole";
    EXPECT_EQ(window.GetBitmap(), whole) << "the window shows the whole new picture at the end";
    EXPECT_EQ(rowsLike(client->grab().toImage(), whole, windowBackground),
              std::min(480, client->height()));
    window.DestroyWindow();
}

} // namespace
} // namespace ovaline::test
