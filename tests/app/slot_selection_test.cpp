// SPDX-License-Identifier: MIT
// The slot selection window on the virtual camera: storing the live picture
// and recalling a slot, with the unit's slot map read at every click.
#include "command_link.h"
#include "control_events.h"
#include "control_test_support.h"
#include "jpeg_codec.h"
#include "picture.h"
#include "select_wnd.h"

#include <cstring>

namespace ovaline::test {
namespace {

using namespace control;

class SlotSelection : public RemoteControlTest {
protected:
    void SetUp() override {
        RemoteControlTest::SetUp();
        doc().OnRemote();
    }
    CSelectWnd &select() const { return *remote().GetSelectWnd(); }
    void clickSlot(int slot) {
        QTest::mouseClick(select().GetControl(IDC_SLOT1 + slot - 1), Qt::LeftButton);
    }
    // Spoils the reply buffer, so that a fresh slot map can be told apart.
    void spoilReply() { std::memset(app().m_reply, 'x', sizeof app().m_reply); }
    std::string mapRead() const { return std::string(app().m_reply, 8); }
};

// Counts the raise requests the remote control is sent.
class RaiseCounter : public QObject {
public:
    int raises = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        raises += event->type() == WM_RAISE_REMOTE ? 1 : 0;
        return false;
    }
};

TEST_F(SlotSelection, StoringTheZoomedLivePictureThenReceivingIt) {
    // Zoomed all the way in, with the pointer on.
    press(IDC_TELE);
    ASSERT_TRUE(waitUntil([&] { return app().QueryStatus(0) && cameraState().zoom >= 8.0; }));
    release(IDC_TELE);
    click(IDC_POINTER);
    ASSERT_TRUE(cameraState().pointer);

    click(IDC_SET);
    ASSERT_TRUE(select().HasWindow());
    EXPECT_EQ(select().windowTitle(), QStringLiteral("SET"));
    EXPECT_EQ(select().frameGeometry().size(), QSize(262, 219));
    EXPECT_EQ(select().pos(), QPoint(app().m_xMainWnd + 40, app().m_yMainWnd + 20));
    select().SetStoreWait(2000);
    const auto clicked = atRoundingPoint([this] { clickSlot(5); });

    // The unit stored its picture without the pointer; everything waits.
    const emu::UnitState stored = cameraState();
    EXPECT_FALSE(stored.pointer);
    EXPECT_EQ(app().m_bBusy, 1);
    EXPECT_FALSE(select().isEnabled());
    EXPECT_FALSE(remote().isEnabled());
    remote().OnHoldPress(IDC_WIDE);
    EXPECT_EQ(cameraState().zoomMove, 0) << "busy: holds are ignored";
    emu::CameraView zoomed;
    zoomed.zoom = 8.0;
    const auto expected =
        emu::encodeJpeg(emu::renderScene(emu::Scene::Stage, zoomed, 640, 480), 65535);
    EXPECT_EQ(stored.memory[4].jpeg, expected);

    EXPECT_GE(enabledAgain(remote()) - clicked, std::chrono::milliseconds(2000))
        << "the wait lasts its whole time";
    EXPECT_EQ(app().m_bBusy, 0);
    EXPECT_TRUE(cameraState().pointer) << "the pointer comes back after the wait";
    EXPECT_TRUE(select().isEnabled());
    EXPECT_TRUE(select().HasWindow()) << "a store leaves the window open";
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();

    // Receive shows it in slot 5.
    doc().OnReceive();
    ASSERT_TRUE(waitUntil([this] { return app().m_bReceivePending == 0 && app().m_bBusy == 0; }));
    ASSERT_EQ(doc().GetSlotSize(4), static_cast<int>(expected.size()));
    EXPECT_EQ(std::memcmp(doc().GetSlotData(4), expected.data(), expected.size()), 0);
    EXPECT_FALSE(doc().GetThumb(4).isNull());
}

TEST_F(SlotSelection, RefusalsAndTheMapReadAtEveryClick) {
    click(IDC_SET);
    // A protected slot is refused; the map was read for it.
    spoilReply();
    clickSlot(4);
    EXPECT_EQ(boxes.texts(), QStringList({"Protected"}));
    EXPECT_EQ(mapRead(), "0111P000");
    EXPECT_TRUE(select().GetControl(IDC_SLOT1 + 3)->isEnabled());
    EXPECT_EQ(app().m_bBusy, 0);

    // A store into a slot holding a picture overwrites it without asking.
    select().SetStoreWait(1);
    const auto before = cameraState().memory[1].jpeg;
    boxes.clear();
    clickSlot(2);
    EXPECT_NE(cameraState().memory[1].jpeg, before);
    EXPECT_TRUE(boxes.texts().isEmpty());
    ASSERT_TRUE(waitUntil([this] { return app().m_bBusy == 0; }));

    // Recall: an empty slot is refused, a protected one is recalled.
    click(IDC_RECALL);
    EXPECT_EQ(select().windowTitle(), QStringLiteral("RECALL"));
    spoilReply();
    clickSlot(6);
    EXPECT_EQ(boxes.texts(), QStringList({"No image in the main unit memory"}));
    EXPECT_EQ(mapRead(), "0111P000");
    EXPECT_EQ(cameraState().recalled, 0);
    clickSlot(4);
    EXPECT_EQ(cameraState().recalled, 4);
    EXPECT_EQ(boxes.texts().size(), 1);

    // While the unit is still storing, recall does not look at byte 0 but
    // a store is refused and the window closes.
    env.set("OVALINE_VIRTUAL_SPEED", "1");
    ASSERT_EQ(app().SendCommand(app::kCmdMemory, '0', "07"), 1);
    clickSlot(1);
    EXPECT_EQ(cameraState().recalled, 1);
    click(IDC_SET);
    boxes.clear();
    clickSlot(3);
    EXPECT_EQ(boxes.texts(), QStringList({"Unable to memorize when reading"}));
    ASSERT_TRUE(waitUntil([this] { return !select().HasWindow(); }));
}

TEST_F(SlotSelection, CancelClosesRaisesTheRemoteAndKeepsThePlace) {
    RaiseCounter counter;
    remote().installEventFilter(&counter);
    click(IDC_RECALL);
    click(IDC_SET);
    EXPECT_EQ(select().windowTitle(), QStringLiteral("SET")) << "one selection window at a time";
    EXPECT_EQ(select().GetMode(), CSelectWnd::kStore);
    select().move(300, 200);

    // Busy with auto focus: CANCEL is ignored too.
    remote().SetAutoFocusWait(60000);
    click(IDC_AF);
    QTest::mouseClick(select().GetControl(IDC_CANCEL), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(select().HasWindow());
    EXPECT_EQ(counter.raises, 0);
    remote().DestroyWindow();
    EXPECT_EQ(app().m_bBusy, 0) << "closing ends the wait";
    EXPECT_FALSE(select().HasWindow()) << "closing the remote closes the selection";
    EXPECT_TRUE(frame().isEnabled());

    doc().OnRemote();
    click(IDC_RECALL);
    EXPECT_EQ(select().pos(), QPoint(300, 200));
    QTest::mouseClick(select().GetControl(IDC_CANCEL), Qt::LeftButton);
    EXPECT_EQ(counter.raises, 1);
    ASSERT_TRUE(waitUntil([this] { return !select().HasWindow(); }));
    EXPECT_EQ(profileValue("SELECT_WND/LEFT").toInt(), 300);
    EXPECT_EQ(profileValue("SELECT_WND/TOP").toInt(), 200);
    remote().removeEventFilter(&counter);
}

TEST_F(SlotSelection, AStoreWaitCutShortByClosingLetsEverythingGo) {
    click(IDC_POINTER);
    click(IDC_SET);
    select().SetStoreWait(60000);
    clickSlot(6);
    ASSERT_EQ(app().m_bBusy, 1);
    select().DestroyWindow();
    EXPECT_EQ(app().m_bBusy, 0);
    EXPECT_TRUE(remote().isEnabled());
    EXPECT_TRUE(cameraState().pointer);

    // A store timer that cannot start ends the wait at once.
    click(IDC_SET);
    select().SetStoreWait(-1);
    ASSERT_TRUE(waitUntil([this] { return app().QueryStatus(1) && app().m_reply[0] == '0'; }));
    clickSlot(7);
    EXPECT_EQ(boxes.texts(), QStringList({"Timer Not Create"}));
    EXPECT_EQ(app().m_bBusy, 0);
    EXPECT_TRUE(select().isEnabled());
}

} // namespace
} // namespace ovaline::test
