// SPDX-License-Identifier: MIT
// The program running on its virtual camera with the remote control at
// hand: its controls worked with the mouse, the camera's state, and what
// the window shows.
#pragma once

#include "app_fixture.h"
#include "bitmap_button.h"
#include "progress_status_bar.h"
#include "remote_wnd.h"
#include "system_colours.h"
#include "unit_state.h"
#include "unit_store.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

namespace ovaline::test {

class RemoteControlTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        start();
    }

    // Ends the program and starts it afresh, as a new run.
    void restart() {
        stop();
        static_cast<app::COvalineAppState &>(app()) = app::COvalineAppState{};
        start();
    }

    control::CRemoteWnd &remote() const { return *doc().m_pRemoteWnd; }
    control::CBitmapButton *control(int id) const {
        control::CBitmapButton *button = remote().GetControl(id);
        EXPECT_NE(button, nullptr) << id;
        return button;
    }
    void click(int id) { QTest::mouseClick(control(id), Qt::LeftButton); }
    void press(int id) { QTest::mousePress(control(id), Qt::LeftButton); }
    void release(int id) { QTest::mouseRelease(control(id), Qt::LeftButton); }

    // The camera as its last exchange left it.
    emu::UnitState cameraState() const {
        emu::UnitState state;
        EXPECT_TRUE(emu::UnitStore(std::getenv("OVALINE_VIRTUAL_DIR")).load(state));
        return state;
    }
    // What the window shows of indicator `role` now; the lock lamp's last
    // row is under the LOCK button and left out, here and in mapped().
    QImage shownImage(int role) const {
        const QImage whole = remote().grab().toImage().convertToFormat(QImage::Format_RGB32);
        return whole.copy(remote().IndicatorRect(role).adjusted(0, 0, 0, lampRowsHidden(role)));
    }
    // Image `number` as the window draws it.
    QImage mapped(int number) const {
        const QImage image =
            control::loadMappedImage(control::controlImagePath(number), remote().palette())
                .convertToFormat(QImage::Format_RGB32);
        return number == 228 || number == 199 ? image.copy(0, 0, 14, 13) : image;
    }
    static int lampRowsHidden(int role) { return role == control::kIndicatorLock ? -1 : 0; }
    QString statusText() const {
        return frame().GetStatusBar()->GetPaneText(app::CProgressStatusBar::kMessagePane);
    }

    using Clock = std::chrono::steady_clock;
    // Runs `act` 120 ms into a second of the clock and returns when it ran.
    // Qt lets a coarse timer end up to 5 % early so that it wakes with others
    // on a round fraction of a second: a wait of 2 s started there would end
    // 100 ms early.
    static Clock::time_point atRoundingPoint(const std::function<void()> &act) {
        const auto now = Clock::now();
        std::this_thread::sleep_until(now + std::chrono::seconds(1) -
                                      now.time_since_epoch() % std::chrono::seconds(1) +
                                      std::chrono::milliseconds(120));
        const auto started = Clock::now();
        act();
        return started;
    }
    // Waits until `window` is enabled again and returns when that happened.
    static Clock::time_point enabledAgain(QWidget &window) {
        struct Watch : QObject {
            QEventLoop loop;
            Clock::time_point at = Clock::now();
            bool eventFilter(QObject *object, QEvent *event) override {
                if (event->type() == QEvent::EnabledChange &&
                    static_cast<QWidget *>(object)->isEnabled()) {
                    at = Clock::now();
                    loop.quit();
                }
                return false;
            }
        } watch;
        if (window.isEnabled())
            return watch.at;
        window.installEventFilter(&watch);
        QTimer::singleShot(std::chrono::seconds(30), &watch.loop, &QEventLoop::quit);
        watch.loop.exec();
        window.removeEventFilter(&watch);
        EXPECT_TRUE(window.isEnabled());
        return watch.at;
    }
};

} // namespace ovaline::test
