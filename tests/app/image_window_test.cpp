// SPDX-License-Identifier: MIT
// The image window: its size kept in the profile, its scroll bars and
// scrolling, the picture it draws and what it tells its owner view.
#include "app_events.h"
#include "app_fixture.h"
#include "image_wnd.h"
#include "profile_file.h"
#include "window_geometry.h"

#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include <algorithm>
#include <utility>
#include <vector>

namespace ovaline::test {
namespace {

using imageview::CImageWnd;

// An owner view that counts the image window's moves.
class OwnerView : public QWidget {
public:
    int moves = 0;

protected:
    bool event(QEvent *event) override {
        if (event->type() != app::WM_APP_IMAGEWND_MOVED)
            return QWidget::event(event);
        ++moves;
        return true;
    }
};

// A picture whose every pixel tells where it is; the inverted one differs
// from it everywhere.
QImage picture(int width, int height, bool inverted = false) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int r = x % 256, g = y % 256, b = 40 * (x / 256) + 10 * (y / 256);
            image.setPixel(x, y, inverted ? qRgb(255 - r, 255 - g, 255 - b) : qRgb(r, g, b));
        }
    }
    return image;
}

// The centre of a part of a scroll bar as its style draws it.
QPoint centreOf(const QScrollBar *bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.subControls = QStyle::SC_All;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar).center();
}

class ImageWindow : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        start();
    }

    CImageWnd &imageWnd() const { return *doc().m_pImageWnd; }
    QWidget *window() const { return imageWnd().GetWindow(); }
    QWidget *client() const { return window()->findChild<QWidget *>("client"); }
    QScrollBar *bar(Qt::Orientation orientation) const {
        for (QScrollBar *bar : window()->findChildren<QScrollBar *>()) {
            if (bar->orientation() == orientation)
                return bar;
        }
        return nullptr;
    }
    QScrollBar *hBar() const { return bar(Qt::Horizontal); }
    QScrollBar *vBar() const { return bar(Qt::Vertical); }
    bool shown(const QScrollBar *bar) const { return bar->isVisibleTo(window()); }
    QPoint scroll() const { return imageWnd().GetScrollPosition(); }

    // Double-click behaviour: hands `image` over and waits for the window.
    void show(const QImage &image) {
        imageWnd().ShowImage(&owner, image, {});
        ASSERT_TRUE(waitUntil([this] {
            return window() && window()->windowHandle() && window()->windowHandle()->isExposed();
        }));
    }
    void resizeOuterTo(QSize outer) {
        app::resizeOuter(window(), outer);
        ASSERT_TRUE(waitUntil([&] { return app::outerSize(window()) == outer; }));
    }
    QRgb face() const { return window()->palette().color(QPalette::Button).rgb(); }
    QImage onScreen() const { return window()->screen()->grabWindow(window()->winId()).toImage(); }
    // Waits until the screen shows each colour at its point of the client
    // area, then checks the last picture taken of it.
    void expectOnScreen(const std::vector<std::pair<QPoint, QRgb>> &expected) const {
        const auto matches = [&expected](const QImage &screen) {
            return std::all_of(expected.begin(), expected.end(), [&screen](const auto &point) {
                return screen.valid(point.first) && screen.pixel(point.first) == point.second;
            });
        };
        waitUntil([&] { return matches(onScreen()); });
        const QImage screen = onScreen();
        for (const auto &[point, colour] : expected) {
            EXPECT_TRUE(screen.valid(point));
            EXPECT_EQ(screen.valid(point) ? screen.pixel(point) : 0, colour)
                << "client point " << point.x() << "," << point.y();
        }
    }
    // The picture's pixels at the scroll position are on the screen at the
    // client's corners, its centre and a few places between; where the
    // picture ends, the background.
    void expectPictureAtScrollPosition(const QImage &image) const {
        const QSize size = client()->size();
        std::vector<std::pair<QPoint, QRgb>> expected;
        for (const QPoint point :
             {QPoint(0, 0), QPoint(size.width() - 1, 0), QPoint(0, size.height() - 1),
              QPoint(size.width() - 1, size.height() - 1),
              QPoint(size.width() / 2, size.height() / 2), QPoint(17, 203)}) {
            const QPoint source = point + scroll();
            expected.emplace_back(point,
                                  image.rect().contains(source) ? image.pixel(source) : face());
        }
        expectOnScreen(expected);
    }
    int profileInt(const char *key) const {
        return app().GetProfile().readInt("IMAGE_WND", key, -1, -1, 100000);
    }

    OwnerView owner;
    const QImage large = picture(768, 576);
};

TEST_F(ImageWindow, AFirstRunOpensAt640By480AtTheScreensTopLeft) {
    EXPECT_FALSE(imageWnd().HasWindow());
    show(large);
    EXPECT_TRUE(imageWnd().HasWindow());
    EXPECT_EQ(app::outerSize(window()), QSize(640, 480));
    EXPECT_EQ(window()->frameGeometry().topLeft(), owner.screen()->geometry().topLeft());
    EXPECT_EQ(window()->windowTitle(), "IMAGE WINDOW");
    EXPECT_FALSE(window()->windowIcon().isNull());
    EXPECT_TRUE(window()->isWindow());
    EXPECT_EQ(window()->parentWidget(), nullptr);
    EXPECT_TRUE(window()->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(window()->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window()->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(imageWnd().GetOwnerView(), &owner);
    EXPECT_EQ(scroll(), QPoint(0, 0));
}

TEST_F(ImageWindow, TheNextWindowOpensAtTheSizeTheLastOneWasLeftAt) {
    show(large);
    resizeOuterTo(QSize(700, 520));
    window()->close();
    EXPECT_FALSE(imageWnd().HasWindow());
    EXPECT_EQ(profileInt("WIDTH"), 700);
    EXPECT_EQ(profileInt("HEIGHT"), 520);

    // The object stays with its picture; a new window opens at that size.
    EXPECT_EQ(imageWnd().GetBitmap(), large);
    EXPECT_EQ(imageWnd().CreateImageWindow(&owner), 1);
    ASSERT_TRUE(waitUntil([this] { return window()->windowHandle()->isExposed(); }));
    EXPECT_EQ(app::outerSize(window()), QSize(700, 520));
    EXPECT_EQ(scroll(), QPoint(0, 0));
    expectPictureAtScrollPosition(large);

    // And so does the first one of the next run.
    resizeOuterTo(QSize(500, 300));
    stop();
    start();
    show(large);
    EXPECT_EQ(app::outerSize(window()), QSize(500, 300));
}

TEST_F(ImageWindow, BarsShowWhenThePictureDoesNotFitAndMeasureIt) {
    show(picture(100, 100));
    const QSize area = window()->size();
    EXPECT_FALSE(shown(hBar()));
    EXPECT_FALSE(shown(vBar()));
    EXPECT_EQ(client()->size(), area);

    const auto hand = [this](const QImage &image) {
        imageWnd().SetImage(image, {});
        imageWnd().RefreshWindow();
    };
    hand(picture(area.width() + 100, area.height() - 40));
    EXPECT_TRUE(shown(hBar()));
    EXPECT_FALSE(shown(vBar()));
    EXPECT_EQ(client()->width(), area.width());
    EXPECT_EQ(hBar()->maximum(), 100);
    EXPECT_EQ(hBar()->pageStep(), area.width());
    EXPECT_EQ(imageWnd().GetScrollMax(), QPoint(100, 0));

    hand(picture(area.width() - 40, area.height() + 60));
    EXPECT_FALSE(shown(hBar()));
    EXPECT_TRUE(shown(vBar()));
    EXPECT_EQ(client()->height(), area.height());
    EXPECT_EQ(vBar()->maximum(), 60);
    EXPECT_EQ(vBar()->pageStep(), area.height());

    // A picture as wide as the window needs the bar; and the vertical bar
    // takes room that a picture only a little narrower then needs.
    hand(picture(area.width(), 50));
    EXPECT_TRUE(shown(hBar()));
    EXPECT_FALSE(shown(vBar()));
    EXPECT_EQ(hBar()->maximum(), 0);
    hand(picture(area.width() - 2, area.height() + 60));
    EXPECT_TRUE(shown(hBar()));
    EXPECT_TRUE(shown(vBar()));
    EXPECT_EQ(client()->width(), area.width() - vBar()->width());
    EXPECT_EQ(client()->height(), area.height() - hBar()->height());
    EXPECT_EQ(hBar()->maximum(), area.width() - 2 - client()->width());
    EXPECT_EQ(vBar()->maximum(), area.height() + 60 - client()->height());
}

TEST_F(ImageWindow, LinesMoveOnePixelAndPagesTwenty) {
    show(large);
    for (QScrollBar *bar : {hBar(), vBar()}) {
        const auto along = [this, bar] {
            return bar->orientation() == Qt::Horizontal ? scroll().x() : scroll().y();
        };
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(along(), 1);
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        EXPECT_EQ(along(), 21);
        EXPECT_EQ(bar->value(), 21);
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        EXPECT_EQ(along(), 1);
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        EXPECT_EQ(along(), 0);

        // A click in the trough after the thumb is a page, though the
        // thumb is as long as the client.
        QTest::mouseClick(bar, Qt::LeftButton, {}, centreOf(bar, QStyle::SC_ScrollBarAddPage));
        EXPECT_EQ(along(), 20);
        QTest::mouseClick(bar, Qt::LeftButton, {}, centreOf(bar, QStyle::SC_ScrollBarAddLine));
        EXPECT_EQ(along(), 21);
        EXPECT_EQ(bar->value(), 21);
    }
    expectPictureAtScrollPosition(large);
}

TEST_F(ImageWindow, TheThumbIsFollowedWhileDraggedAndTheLetGoChangesNothing) {
    show(large);
    QScrollBar *bar = hBar();
    const QPoint thumb = centreOf(bar, QStyle::SC_ScrollBarSlider);
    QTest::mousePress(bar, Qt::LeftButton, {}, thumb);
    QTest::mouseMove(bar, thumb + QPoint(30, 0));
    const int first = scroll().x();
    EXPECT_GT(first, 0);
    EXPECT_EQ(first, bar->sliderPosition());
    QTest::mouseMove(bar, thumb + QPoint(60, 0));
    const int second = scroll().x();
    EXPECT_GT(second, first);
    EXPECT_EQ(second, bar->sliderPosition());
    QTest::mouseRelease(bar, Qt::LeftButton, {}, thumb + QPoint(60, 0));
    EXPECT_EQ(scroll().x(), second);
    EXPECT_EQ(bar->value(), second);
    expectPictureAtScrollPosition(large);

    // The bar's own jump to a spot ("Scroll here") is only a final
    // position: the picture and the bar stay.
    bar->setValue(5);
    EXPECT_EQ(scroll().x(), second);
    EXPECT_EQ(bar->value(), second);

    // The edges: vertically top and bottom, horizontally nothing.
    vBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(scroll().y(), imageWnd().GetScrollMax().y());
    EXPECT_EQ(vBar()->value(), scroll().y());
    vBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(scroll().y(), 0);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(scroll().x(), second);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(scroll().x(), second);
    EXPECT_EQ(bar->value(), second);
}

TEST_F(ImageWindow, ScrollingStopsAtTheStartAndAtThePictureLessTheClient) {
    show(large);
    const QPoint max(768 - client()->width(), 576 - client()->height());
    EXPECT_EQ(imageWnd().GetScrollMax(), max);
    for (QScrollBar *bar : {hBar(), vBar()}) {
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        EXPECT_EQ(bar->value(), 0);
        for (int i = 0; i < 30; ++i)
            bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }
    EXPECT_EQ(scroll(), max);
    EXPECT_EQ(QPoint(hBar()->value(), vBar()->value()), max);
    expectPictureAtScrollPosition(large);
}

TEST_F(ImageWindow, ResizingReturnsToThePicturesTopLeft) {
    show(large);
    hBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    vBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    ASSERT_EQ(scroll(), QPoint(20, 20));
    resizeOuterTo(QSize(600, 450));
    EXPECT_EQ(scroll(), QPoint(0, 0));
    EXPECT_EQ(hBar()->value(), 0);
    EXPECT_EQ(vBar()->value(), 0);
    EXPECT_EQ(imageWnd().GetScrollMax(), QPoint(768 - client()->width(), 576 - client()->height()));
    expectPictureAtScrollPosition(large);
}

TEST_F(ImageWindow, EveryMoveTellsTheOwnerViewOnce) {
    show(large);
    QCoreApplication::processEvents();
    const int before = owner.moves;
    window()->move(40, 30);
    ASSERT_TRUE(waitUntil([&] { return owner.moves > before; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(owner.moves, before + 1);
    window()->move(90, 70);
    ASSERT_TRUE(waitUntil([&] { return owner.moves > before + 1; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(owner.moves, before + 2);
    EXPECT_EQ(window()->pos(), QPoint(90, 70));
    // A resize is no move.
    resizeOuterTo(QSize(600, 400));
    QCoreApplication::processEvents();
    EXPECT_EQ(owner.moves, before + 2);
}

TEST_F(ImageWindow, ThePictureIsDrawnPixelForPixelFromTheScrollPosition) {
    show(large);
    expectPictureAtScrollPosition(large);
    hBar()->setSliderPosition(37);
    vBar()->setSliderPosition(45);
    ASSERT_EQ(scroll(), QPoint(37, 45));
    expectPictureAtScrollPosition(large);
    // Line steps move what is on the screen and paint the uncovered strip.
    hBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    vBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    ASSERT_EQ(scroll(), QPoint(38, 44));
    expectPictureAtScrollPosition(large);

    // Around a smaller picture the window shows its button-face background.
    const QImage small = picture(200, 150);
    imageWnd().SetImage(small, {});
    imageWnd().RefreshWindow();
    expectOnScreen({{QPoint(199, 149), small.pixel(199, 149)},
                    {QPoint(200, 10), face()},
                    {QPoint(10, 150), face()}});
    expectPictureAtScrollPosition(small);
}

TEST_F(ImageWindow, AWindowWithoutAPictureShowsItsBackground) {
    EXPECT_EQ(imageWnd().CreateImageWindow(&owner), 1);
    ASSERT_TRUE(waitUntil([this] { return window()->windowHandle()->isExposed(); }));
    EXPECT_FALSE(shown(hBar()));
    EXPECT_FALSE(shown(vBar()));
    expectOnScreen({{QPoint(0, 0), face()}, {QPoint(300, 200), face()}});
}

TEST_F(ImageWindow, ANewPictureShowsInTheOpenWindowWhichComesToTheFront) {
    show(large);
    window()->move(50, 40);
    ASSERT_TRUE(waitUntil([this] { return window()->pos() == QPoint(50, 40); }));
    hBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    frame().activateWindow();
    ASSERT_TRUE(waitUntil([this] { return QApplication::activeWindow() == &frame(); }));

    QWidget *const opened = window();
    const QImage next = picture(768, 576, true);
    imageWnd().ShowImage(&owner, next, {});
    EXPECT_EQ(window(), opened);
    EXPECT_EQ(window()->pos(), QPoint(50, 40));
    EXPECT_EQ(scroll(), QPoint(20, 0));
    EXPECT_TRUE(waitUntil([this] { return QApplication::activeWindow() == window(); }));
    expectPictureAtScrollPosition(next);

    // A minimised window is brought back; opening it again opens no other.
    window()->showMinimized();
    ASSERT_TRUE(waitUntil([this] { return window()->isMinimized(); }));
    imageWnd().ShowImage(&owner, large, {});
    EXPECT_TRUE(waitUntil([this] { return !window()->isMinimized(); }));
    EXPECT_EQ(imageWnd().CreateImageWindow(&owner), 1);
    EXPECT_EQ(window(), opened);
    EXPECT_TRUE(waitUntil([this] { return QApplication::activeWindow() == window(); }));
    expectPictureAtScrollPosition(large);
}

TEST_F(ImageWindow, AnotherPictureKeepsThePositionAsFarAsItReaches) {
    show(large);
    for (int i = 0; i < 10; ++i) {
        hBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        vBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    }
    ASSERT_EQ(scroll(), imageWnd().GetScrollMax());
    // 30 pixels wider than the window, and not tall enough for a bar.
    const QImage narrower = picture(window()->width() + 30, window()->height() - 40);
    imageWnd().ShowImage(&owner, narrower, {});
    EXPECT_TRUE(shown(hBar()));
    EXPECT_FALSE(shown(vBar()));
    EXPECT_EQ(scroll(), QPoint(30, 0));
    EXPECT_EQ(hBar()->value(), 30);
    expectPictureAtScrollPosition(narrower);

    const QImage small = picture(200, 150);
    imageWnd().ShowImage(&owner, small, {});
    EXPECT_EQ(scroll(), QPoint(0, 0));
    expectPictureAtScrollPosition(small);
}

TEST_F(ImageWindow, ClosingTheProgramClosesTheWindowAndKeepsItsSize) {
    show(large);
    resizeOuterTo(QSize(610, 430));
    frame().close();
    EXPECT_FALSE(imageWnd().HasWindow());
    EXPECT_EQ(profileInt("WIDTH"), 610);
    EXPECT_EQ(profileInt("HEIGHT"), 430);

    // A document that goes with its window open takes the window along.
    {
        app::COvalineDoc other;
        other.m_pImageWnd->ShowImage(&owner, large, {});
        ASSERT_TRUE(other.m_pImageWnd->HasWindow());
        app::resizeOuter(other.m_pImageWnd->GetWindow(), QSize(520, 390));
    }
    EXPECT_EQ(profileInt("WIDTH"), 520);
    EXPECT_EQ(profileInt("HEIGHT"), 390);
}

} // namespace
} // namespace ovaline::test
