// SPDX-License-Identifier: MIT
// The remote control on the virtual camera: every control's command as the
// camera takes it, the indicators, the holds, the waits and the lock.
#include "app_fixture.h"
#include "bitmap_button.h"
#include "command_link.h"
#include "control_test_support.h"
#include "progress_status_bar.h"
#include "remote_controls.h"
#include "remote_wnd.h"
#include "resource_ids.h"
#include "system_colours.h"

#include <QAction>
#include <QKeyEvent>
#include <QTest>

namespace ovaline::test {
namespace {

using namespace control;

// Has the camera refuse every command once the window it watches shows.
class RefuseOnceShown : public QObject {
public:
    explicit RefuseOnceShown(ScopedEnv &env) : env_(env) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Show)
            env_.set("OVALINE_VIRTUAL_FAULTS", "nak=9");
        return false;
    }

private:
    ScopedEnv &env_;
};

TEST_F(RemoteControlTest, RemoteOpensOnceLocksThePanelAndClosingUnlocksIt) {
    ASSERT_FALSE(cameraState().panelLocked);
    doc().OnRemote();
    ASSERT_TRUE(remote().HasWindow());
    EXPECT_EQ(remote().windowTitle(), QStringLiteral("REMOTE CONTROL"));
    EXPECT_EQ(remote().frameGeometry().size(), QSize(327, 472));
    EXPECT_EQ(remote().pos(), QPoint(app().m_xMainWnd + 20, app().m_yMainWnd));
    EXPECT_TRUE(cameraState().panelLocked);
    EXPECT_EQ(remote().m_bPanelLocked, 1);
    EXPECT_EQ(shownImage(kIndicatorLock), mapped(228)) << "the lock lamp is lit";

    // Open: Remote only brings it forward, with no second lock.
    ASSERT_EQ(app().SendCommand(app::kCmdPanelLock, '0', "  "), 1);
    doc().OnRemote();
    EXPECT_FALSE(cameraState().panelLocked);

    remote().move(123, 77);
    remote().DestroyWindow();
    EXPECT_FALSE(remote().HasWindow());
    EXPECT_FALSE(remote().isVisible());
    EXPECT_EQ(profileValue("REMOTE_WND/LEFT").toInt(), 123);
    EXPECT_EQ(profileValue("REMOTE_WND/TOP").toInt(), 77);

    // Closed while unlocked: nothing is sent.
    doc().OnRemote();
    click(IDC_LOCK);
    ASSERT_EQ(app().SendCommand(app::kCmdPanelLock, '1', "  "), 1);
    remote().DestroyWindow();
    EXPECT_TRUE(cameraState().panelLocked);
    EXPECT_EQ(remote().m_bPanelLocked, 0) << "the flags outlive the window";
    EXPECT_EQ(boxes.texts().size(), 1) << "the unlock message only";

    // Locked, but the state read after it fails: the panel counts as locked
    // all the same, so closing unlocks it.
    ASSERT_EQ(app().SendCommand(app::kCmdPanelLock, '0', "  "), 1);
    boxes.clear();
    RefuseOnceShown refusing(env);
    remote().installEventFilter(&refusing);
    frame().GetAction(res::ID_REMOTE)->trigger();
    remote().removeEventFilter(&refusing);
    env.set("OVALINE_VIRTUAL_FAULTS", "");
    EXPECT_TRUE(cameraState().panelLocked);
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("DLL failed sending or receiving data\n  "
                                                        "DLL ERROR CODE : 104\n  (Received NAK)")});
    remote().DestroyWindow();
    EXPECT_FALSE(cameraState().panelLocked);

    // The position survives the program.
    restart();
    doc().OnRemote();
    EXPECT_EQ(remote().pos(), QPoint(123, 77));
    remote().DestroyWindow();
    EXPECT_FALSE(cameraState().panelLocked) << "closing while locked unlocks";
}

TEST_F(RemoteControlTest, EveryClickSetsTheCameraAndItsIndicator) {
    doc().OnRemote();
    const auto s = [this] { return cameraState(); };
    EXPECT_EQ(remote().GetControl(IDC_SUB), nullptr) << "a model-2 unit has no SUB";

    click(IDC_POSI_NEGA);
    EXPECT_TRUE(s().negative);
    EXPECT_EQ(shownImage(kIndicatorPosiNega), mapped(185));
    click(IDC_POSI_NEGA);
    EXPECT_FALSE(s().negative);
    EXPECT_EQ(shownImage(kIndicatorPosiNega), mapped(184));

    click(IDC_COLOR_BW);
    EXPECT_TRUE(s().monochrome);
    EXPECT_EQ(shownImage(kIndicatorColorBW), mapped(187));
    click(IDC_COLOR_BW);
    EXPECT_FALSE(s().monochrome);

    // The two lamps exclude each other.
    click(IDC_BASE);
    EXPECT_EQ(s().lamp, '1');
    click(IDC_UPPER);
    EXPECT_EQ(s().lamp, '2');
    EXPECT_EQ(shownImage(kIndicatorUpper), mapped(188));
    EXPECT_EQ(shownImage(kIndicatorBase), mapped(189));
    click(IDC_UPPER);
    EXPECT_EQ(s().lamp, '0');
    EXPECT_EQ(shownImage(kIndicatorUpper), mapped(189));

    const struct {
        int id;
        int input;
    } inputs[] = {{IDC_AV1, 1}, {IDC_AV2, 2}, {IDC_MAIN, 0}};
    for (const auto &in : inputs) {
        click(in.id);
        EXPECT_EQ(s().input, in.input);
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(shownImage(kIndicatorMain + k), mapped(k == in.input ? 188 : 189));
    }

    click(IDC_PAUSE);
    EXPECT_TRUE(s().pause);
    click(IDC_PAUSE);
    EXPECT_FALSE(s().pause);

    press(IDC_IRIS_CLOSE);
    ASSERT_TRUE(waitUntil([&] { return app().QueryStatus(0) && s().iris < 0.3; }));
    release(IDC_IRIS_CLOSE);
    click(IDC_IRIS_NORMAL);
    EXPECT_EQ(s().iris, 0.5);
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
}

TEST_F(RemoteControlTest, OnAModelOneUnitSubSelectsTheFourthInput) {
    useCamera("VIKN");
    restart();
    doc().OnRemote();
    ASSERT_NE(remote().GetControl(IDC_SUB), nullptr);
    click(IDC_SUB);
    EXPECT_EQ(cameraState().input, 3);
    EXPECT_EQ(shownImage(kIndicatorSub), mapped(188));
    // The panel of model 1 prints the SUB label; the other one does not.
    const QRect label(110, 300, 30, 12);
    EXPECT_EQ(remote().grab(label).toImage().convertToFormat(QImage::Format_RGB32),
              mapped(kPanelModel1).copy(label));
    EXPECT_NE(mapped(kPanelModel1).copy(label), mapped(kPanelOther).copy(label));
}

TEST_F(RemoteControlTest, HoldButtonsMoveTheCameraFromPressToRelease) {
    doc().OnRemote();
    click(IDC_POINTER);
    // What each hold button sets moving, and which way.
    const struct {
        int id;
        int emu::UnitState::*move;
        int value;
    } holds[] = {
        {IDC_TELE, &emu::UnitState::zoomMove, 1},
        {IDC_WIDE, &emu::UnitState::zoomMove, -1},
        {IDC_NEAR, &emu::UnitState::focusMove, 1},
        {IDC_FAR, &emu::UnitState::focusMove, -1},
        {IDC_IRIS_OPEN, &emu::UnitState::irisMove, 1},
        {IDC_IRIS_CLOSE, &emu::UnitState::irisMove, -1},
        {IDC_ARROW1, &emu::UnitState::padMove, 6},
        {IDC_ARROW1 + 1, &emu::UnitState::padMove, 2},
        {IDC_ARROW1 + 2, &emu::UnitState::padMove, 8},
        {IDC_ARROW1 + 3, &emu::UnitState::padMove, 3},
        {IDC_ARROW1 + 4, &emu::UnitState::padMove, 4},
        {IDC_ARROW1 + 5, &emu::UnitState::padMove, 5},
        {IDC_ARROW1 + 6, &emu::UnitState::padMove, 1},
        {IDC_ARROW1 + 7, &emu::UnitState::padMove, 7},
    };
    int holdRows = 0;
    for (const RemoteControl &c : kRemoteControls)
        holdRows += c.kind == ControlKind::Hold ? 1 : 0;
    EXPECT_EQ(holdRows, static_cast<int>(std::size(holds)));
    for (const auto &h : holds) {
        SCOPED_TRACE(findRemoteControl(h.id)->label);
        press(h.id);
        EXPECT_EQ(cameraState().*h.move, h.value);
        EXPECT_EQ(remote().m_bHolding, 1);
        release(h.id);
        EXPECT_EQ(cameraState().*h.move, 0);
        EXPECT_EQ(remote().m_bHolding, 0);
    }

    // The pointer really moves while an arrow is held: left, then right.
    const auto holdUntil = [&](int id, const std::function<bool(const emu::UnitState &)> &done) {
        press(id);
        EXPECT_TRUE(waitUntil([&] { return app().QueryStatus(0) && done(cameraState()); }));
        release(id);
    };
    holdUntil(IDC_ARROW1 + 1, [](const emu::UnitState &s) { return s.pointerX < 0.1; });
    holdUntil(IDC_ARROW1 + 6, [](const emu::UnitState &s) { return s.pointerX > 0.9; });

    // Released away from the button: the zoom still stops.
    press(IDC_TELE);
    QTest::mouseRelease(remote().GetControl(IDC_TELE), Qt::LeftButton, {}, QPoint(-40, -60));
    EXPECT_EQ(cameraState().zoomMove, 0);

    // A double click: its second press and release send nothing.
    CBitmapButton *tele = remote().GetControl(IDC_TELE);
    press(IDC_TELE);
    release(IDC_TELE);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5), tele->mapToGlobal(QPointF(5, 5)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(tele, &dbl);
    EXPECT_EQ(cameraState().zoomMove, 0);
    EXPECT_EQ(remote().m_bHolding, 0);
    EXPECT_TRUE(tele->isDown());
    release(IDC_TELE);
    EXPECT_FALSE(tele->isDown());

    // A hold still running when another window takes over is stopped.
    remote().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&remote()));
    press(IDC_TELE);
    EXPECT_EQ(cameraState().zoomMove, 1);
    frame().activateWindow();
    ASSERT_TRUE(waitUntil([this] { return !remote().isActiveWindow(); }));
    EXPECT_EQ(cameraState().zoomMove, 0);
    EXPECT_EQ(remote().m_bHolding, 0);
    release(IDC_TELE);

    // And so is one still running when the window closes.
    press(IDC_WIDE);
    remote().DestroyWindow();
    EXPECT_EQ(cameraState().zoomMove, 0);
    EXPECT_EQ(remote().m_bHolding, 0);
}

TEST_F(RemoteControlTest, PointerOr2xEnablesThePad) {
    doc().OnRemote();
    const auto padEnabled = [this] {
        int enabled = 0;
        for (int id = IDC_ARROW1; id <= IDC_ARROW8; ++id)
            enabled += remote().GetControl(id)->isEnabled() ? 1 : 0;
        return enabled;
    };
    EXPECT_EQ(padEnabled(), 0);
    // A disabled arrow takes no press.
    press(IDC_ARROW1);
    EXPECT_EQ(cameraState().padMove, 0);
    EXPECT_EQ(remote().m_bHolding, 0);
    CBitmapButton *arrow = remote().GetControl(IDC_ARROW1 + 2);
    EXPECT_EQ(arrow->CurrentImage(), QImage(controlImagePath("DS_ARROW3")));

    click(IDC_POINTER);
    EXPECT_TRUE(cameraState().pointer);
    EXPECT_EQ(padEnabled(), 8);
    click(IDC_2X);
    EXPECT_TRUE(cameraState().twice);
    click(IDC_POINTER);
    EXPECT_FALSE(cameraState().pointer);
    EXPECT_EQ(padEnabled(), 8) << "2x is still on";
    click(IDC_2X);
    EXPECT_FALSE(cameraState().twice);
    EXPECT_EQ(padEnabled(), 0);
    EXPECT_EQ(arrow->CurrentImage(), QImage(controlImagePath("DS_ARROW3")));

    // Opened again with 2x on in the camera: the pad starts enabled.
    remote().DestroyWindow();
    ASSERT_EQ(app().SendCommand(app::kCmdTwoTimes, '1', "  "), 1);
    doc().OnRemote();
    EXPECT_EQ(padEnabled(), 8);
}

TEST_F(RemoteControlTest, RefreshFromUnitReadsEveryByteAsItStands) {
    CRemoteFlags flags;
    readControlState(flags, "2311111\x31");
    EXPECT_EQ(flags.m_bUpper, 1);
    EXPECT_EQ(flags.m_bBase, 0);
    EXPECT_EQ(flags.m_nAVInput, 3);
    EXPECT_EQ(flags.m_bPositive, 0);
    EXPECT_EQ(flags.m_bColor, 0);
    EXPECT_EQ(flags.m_bPointer + flags.m_b2x + flags.m_bPause + flags.m_bPanelLocked, 4);
    EXPECT_EQ(indicatorsFor(flags)[kIndicatorSub].image, 188)
        << "SUB's lamp is drawn for any model";

    // Odd bytes: a lamp byte other than '0' and '2' lights BASE, an input
    // outside 0..3 lights no input lamp, anything but '1' is off.
    readControlState(flags, "x7xxxxxx");
    EXPECT_EQ(flags.m_bUpper, 0);
    EXPECT_EQ(flags.m_bBase, 1);
    EXPECT_EQ(flags.m_nAVInput, 7);
    EXPECT_EQ(flags.m_bPositive, 1);
    EXPECT_EQ(flags.m_bPointer + flags.m_b2x + flags.m_bPause + flags.m_bPanelLocked, 0);
    const auto lamps = indicatorsFor(flags);
    for (int k = kIndicatorMain; k <= kIndicatorSub; ++k)
        EXPECT_EQ(lamps[k].image, 189);

    // A failed query leaves the flags alone.
    doc().OnRemote();
    click(IDC_POSI_NEGA);
    unplug();
    EXPECT_EQ(remote().RefreshFromUnit(), 0);
    EXPECT_EQ(remote().m_bPositive, 0);
    EXPECT_EQ(remote().m_bPanelLocked, 1);
}

TEST_F(RemoteControlTest, AutoFocusHoldsEverythingStillThenSaysReady) {
    doc().OnRemote();
    press(IDC_NEAR);
    ASSERT_TRUE(waitUntil([&] { return app().QueryStatus(0) && cameraState().focus > 0.7; }));
    release(IDC_NEAR);

    remote().SetAutoFocusWait(2000);
    const auto clicked = atRoundingPoint([this] { click(IDC_AF); });
    EXPECT_EQ(cameraState().focus, 0.5);
    EXPECT_EQ(app().m_bBusy, 1);
    EXPECT_FALSE(frame().isEnabled());
    EXPECT_FALSE(remote().isEnabled());
    EXPECT_EQ(statusText(), QStringLiteral("Now Auto Focusing"));
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    // Busy: holds and clicks do nothing.
    remote().OnHoldPress(IDC_TELE);
    EXPECT_EQ(cameraState().zoomMove, 0);
    EXPECT_EQ(remote().m_bHolding, 0);

    EXPECT_GE(enabledAgain(remote()) - clicked, std::chrono::milliseconds(2000))
        << "the wait lasts its whole time";
    EXPECT_EQ(app().m_bBusy, 0);
    EXPECT_TRUE(frame().isEnabled());
    EXPECT_EQ(statusText(), QStringLiteral("READY"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Busy with anything else while the window is enabled: still nothing.
    app().m_bBusy = 1;
    click(IDC_POSI_NEGA);
    press(IDC_TELE);
    EXPECT_FALSE(cameraState().negative);
    EXPECT_EQ(cameraState().zoomMove, 0);
    release(IDC_TELE);
    app().m_bBusy = 0;

    // A timer that cannot start ends the wait at once.
    remote().SetAutoFocusWait(-1);
    click(IDC_AF);
    EXPECT_EQ(boxes.texts(), QStringList({"Timer Not Create"}));
    EXPECT_EQ(app().m_bBusy, 0);
    EXPECT_TRUE(frame().isEnabled());
    EXPECT_TRUE(remote().isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(RemoteControlTest, LockSaysWhatItDoesAndReLockingReadsTheUnit) {
    doc().OnRemote();
    click(IDC_LOCK);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text,
              QStringLiteral(" Unlocked\n Re-send the image to PC from the main unit,\n when the "
                             "main unit memory is changed or deleted"));
    EXPECT_EQ(boxes.shown()[0].icon, QMessageBox::Information);
    EXPECT_FALSE(cameraState().panelLocked);
    EXPECT_EQ(shownImage(kIndicatorLock), mapped(199));

    // Changed on the unit's own panel meanwhile.
    ASSERT_EQ(app().SendCommand(app::kCmdLamp, '2', "  "), 1);
    ASSERT_EQ(app().SendCommand(app::kCmdPointer, '1', "  "), 1);
    boxes.clear();
    click(IDC_LOCK);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text,
              QStringLiteral(" Locked the image\n Re-send the image to PC from the main unit, \n "
                             "when the main unit memory is changed or deleted"));
    EXPECT_TRUE(cameraState().panelLocked);
    EXPECT_EQ(shownImage(kIndicatorUpper), mapped(188));
    EXPECT_EQ(remote().m_bPointer, 1);
    EXPECT_FALSE(remote().GetControl(IDC_ARROW1)->isEnabled()) << "the pad keeps its state";
}

TEST_F(RemoteControlTest, TheKeyboardReachesAndWorksEveryControl) {
    doc().OnRemote();
    for (const RemoteControl &c : kRemoteControls) {
        if (CBitmapButton *button = remote().GetControl(c.id)) {
            EXPECT_EQ(button->toolTip(), QString::fromLatin1(c.label));
            EXPECT_EQ(button->accessibleName(), QString::fromLatin1(c.label));
            EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus) << c.label;
        }
    }
    EXPECT_EQ(remote().GetControl(IDC_ARROW1)->toolTip(), QStringLiteral("pointer up-left"));

    remote().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&remote()));
    CBitmapButton *posi = remote().GetControl(IDC_POSI_NEGA);
    posi->setFocus(Qt::TabFocusReason);
    QTest::keyClick(posi, Qt::Key_Return);
    EXPECT_TRUE(cameraState().negative);
    QTest::keyClick(posi, Qt::Key_Tab);
    CBitmapButton *main = remote().GetControl(IDC_MAIN);
    EXPECT_TRUE(main->hasFocus());
    QTest::keyClick(main, Qt::Key_Tab);
    CBitmapButton *tele = remote().GetControl(IDC_TELE);
    ASSERT_TRUE(tele->hasFocus());

    // Held with Space: the first press starts, auto-repeat changes nothing,
    // the release stops.
    QTest::keyPress(tele, Qt::Key_Space);
    EXPECT_EQ(cameraState().zoomMove, 1);
    for (int k = 0; k < 3; ++k) {
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QCoreApplication::sendEvent(tele, &up);
        QCoreApplication::sendEvent(tele, &down);
    }
    EXPECT_EQ(cameraState().zoomMove, 1);
    EXPECT_EQ(remote().m_bHolding, 1);
    QTest::keyRelease(tele, Qt::Key_Space);
    EXPECT_EQ(cameraState().zoomMove, 0);
    EXPECT_EQ(remote().m_bHolding, 0);

    // A hold by the keyboard stops when the focus goes elsewhere.
    QTest::keyPress(tele, Qt::Key_Enter);
    EXPECT_EQ(cameraState().zoomMove, 1);
    main->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(cameraState().zoomMove, 0);
}

TEST_F(RemoteControlTest, ImagesHaveTheirSizesAndPanelsFollowThePalette) {
    const struct {
        const char *name;
        QSize size;
    } sizes[] = {{"UP_BTN1", {58, 13}}, {"DN_BTN1", {58, 13}},   {"UP_BTN2", {56, 12}},
                 {"DN_BTN2", {56, 12}}, {"UP_BTN4", {76, 27}},   {"DN_BTN4", {76, 27}},
                 {"UP_BTN5", {76, 27}}, {"DN_BTN5", {76, 28}},   {"UP_BTN6", {76, 27}},
                 {"DN_BTN6", {76, 27}}, {"UMARU_BTN", {40, 40}}, {"DMARU_BTN", {40, 40}},
                 {"UP_CAN", {85, 28}},  {"DN_CAN", {85, 28}},    {"147", {324, 450}},
                 {"229", {324, 450}},   {"200", {257, 194}},     {"184", {65, 13}},
                 {"185", {65, 13}},     {"186", {71, 12}},       {"187", {71, 12}},
                 {"188", {14, 14}},     {"189", {14, 14}},       {"228", {14, 14}},
                 {"199", {14, 14}}};
    for (const auto &s : sizes)
        EXPECT_EQ(QImage(controlImagePath(s.name)).size(), s.size) << s.name;
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(QImage(QStringLiteral(":/control/UP_ARROW%1.png").arg(n)).size(), QSize(46, 46));
        EXPECT_EQ(QImage(QStringLiteral(":/control/DN_ARROW%1.png").arg(n)).size(), QSize(46, 46));
        EXPECT_EQ(QImage(QStringLiteral(":/control/DS_ARROW%1.png").arg(n)).size(), QSize(48, 48));
    }
    for (int k = 1; k <= 7; ++k) {
        EXPECT_EQ(QImage(QStringLiteral(":/control/UP_SEL%1.png").arg(k)).size(), QSize(21, 80));
        EXPECT_EQ(QImage(QStringLiteral(":/control/DN_SEL%1.png").arg(k)).size(), QSize(21, 80));
    }

    // Every control sits at its place at the size of its up image.
    doc().OnRemote();
    for (const RemoteControl &c : kRemoteControls) {
        if (CBitmapButton *button = remote().GetControl(c.id)) {
            EXPECT_EQ(button->geometry(),
                      QRect(QPoint(c.x, c.y), QImage(controlImagePath(c.up)).size()))
                << c.label;
        }
    }

    // The panel's four greys become the palette's button colours.
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(10, 20, 30));
    palette.setColor(QPalette::ButtonText, QColor(200, 0, 0));
    palette.setColor(QPalette::Dark, QColor(0, 90, 0));
    palette.setColor(QPalette::Light, QColor(1, 2, 250));
    QImage grey(4, 1, QImage::Format_RGB32);
    grey.setPixel(0, 0, qRgb(0, 0, 0));
    grey.setPixel(1, 0, qRgb(128, 128, 128));
    grey.setPixel(2, 0, qRgb(192, 192, 192));
    grey.setPixel(3, 0, qRgb(255, 255, 255));
    const QImage mappedGrey = mapSystemColours(grey, palette);
    EXPECT_EQ(mappedGrey.pixel(0, 0), qRgb(200, 0, 0));
    EXPECT_EQ(mappedGrey.pixel(1, 0), qRgb(0, 90, 0));
    EXPECT_EQ(mappedGrey.pixel(2, 0), qRgb(10, 20, 30));
    EXPECT_EQ(mappedGrey.pixel(3, 0), qRgb(1, 2, 250));
    remote().setPalette(palette);
    // A face pixel of the panel between the rows of buttons.
    EXPECT_EQ(remote().grab(QRect(5, 330, 1, 1)).toImage().pixel(0, 0), qRgb(10, 20, 30));
}

TEST_F(RemoteControlTest, MovingTheWindowRedrawsTheThumbnails) {
    doc().OnRemote();
    app().m_bRefreshThumbs = 0;
    remote().move(remote().pos() + QPoint(15, 9));
    ASSERT_TRUE(waitUntil([this] { return app().m_bRefreshThumbs == 1; }));
}

} // namespace
} // namespace ovaline::test
