// SPDX-License-Identifier: MIT
// The splash window: when it shows, where, and what ends it.
#include "app_fixture.h"
#include "splash_screen_wnd.h"

#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>

namespace ovaline::test {
namespace {

using imageview::CSplashScreenWnd;
using namespace std::chrono_literals;

class Splash : public AppTest {
protected:
    void TearDown() override {
        CSplashScreenWnd::SetShowTime(5000ms);
        AppTest::TearDown();
    }
};

TEST_F(Splash, ItShowsCentredAtStartAndGoesAfterItsTime) {
    start();
    EXPECT_EQ(CSplashScreenWnd::Live(), nullptr); // --nosplash
    stop();

    splash = true;
    static_cast<app::COvalineAppState &>(app()) = app::COvalineAppState{};
    start();
    CSplashScreenWnd *live = CSplashScreenWnd::Live();
    ASSERT_NE(live, nullptr);
    EXPECT_TRUE(live->isVisible());
    EXPECT_EQ(live->size(), QSize(335, 223));
    EXPECT_EQ(live->geometry().center(), frame().screen()->geometry().center());
    EXPECT_EQ(CSplashScreenWnd::ShowTime(), 5000ms);

    // A second one while it is up does nothing.
    CSplashScreenWnd::ShowSplash(&frame());
    EXPECT_EQ(CSplashScreenWnd::Live(), live);

    CSplashScreenWnd::HideSplash();
    CSplashScreenWnd::SetShowTime(50ms);
    CSplashScreenWnd::ShowSplash(&frame());
    ASSERT_NE(CSplashScreenWnd::Live(), nullptr);
    EXPECT_TRUE(waitUntil([] { return CSplashScreenWnd::Live() == nullptr; }));
}

TEST_F(Splash, TheFirstClickOrKeyAnywhereOnlyClosesIt) {
    const auto pics = folder.path() / "pics";
    std::filesystem::create_directories(pics);
    splash = true;
    start({"--virtual", QString::fromStdString(pics.string())});

    // A key press that is a shortcut (F5 reads the folder again).
    ASSERT_TRUE(waitUntil([this] { return !doc().IsListing(); }));
    ASSERT_NE(CSplashScreenWnd::Live(), nullptr);
    QTest::keyClick(&frame(), Qt::Key_F5);
    EXPECT_EQ(CSplashScreenWnd::Live(), nullptr);
    EXPECT_FALSE(doc().IsListing());
    QTest::keyClick(&frame(), Qt::Key_F5);
    EXPECT_TRUE(doc().IsListing());

    // A click on any window of the program.
    CSplashScreenWnd::ShowSplash(&frame());
    ASSERT_NE(CSplashScreenWnd::Live(), nullptr);
    QPushButton button("a button of the program");
    button.show();
    QSignalSpy clicked(&button, &QPushButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(CSplashScreenWnd::Live(), nullptr);
    EXPECT_EQ(clicked.count(), 0);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
}

} // namespace
} // namespace ovaline::test
