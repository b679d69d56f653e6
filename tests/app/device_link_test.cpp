// SPDX-License-Identifier: MIT
// The application's device operations against the virtual camera.
#include "app_fixture.h"
#include "command_link.h"

#include <cstring>

namespace ovaline::test {
namespace {

class DeviceLink : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        OvalineSetPortName(1, "virtual");
        app().m_nPort = 1;
        app().m_nBaudIndex = 6;
    }
    // The camera's control state: byte 4 is PO, byte 7 the panel lock.
    std::string controlState() {
        EXPECT_EQ(app().QueryStatus(0), 1);
        return std::string(app().m_reply, 8);
    }
};

TEST_F(DeviceLink, ACommandFillsTheRecordAndReadsTheReply) {
    ASSERT_EQ(app().SendCommand(app::kCmdQueryStatus, '1', "  "), 1);
    const TrafficBlock &block = app().m_block;
    EXPECT_EQ(block.port, 1u);
    EXPECT_EQ(block.baud, 115200u);
    EXPECT_EQ(block.setting_a, 2u);
    EXPECT_EQ(block.setting_b, 65u);
    EXPECT_EQ(block.link_option, 2u);
    EXPECT_EQ(block.setting_d, 1u);
    EXPECT_EQ(std::memcmp(block.cmd_frame, "\x02QS1  \x03", 7), 0);
    // length and data lie unaligned in the packed record: compare copies.
    EXPECT_EQ(std::uint32_t{block.length}, 8u);
    EXPECT_EQ(std::uintptr_t{block.data}, reinterpret_cast<std::uintptr_t>(app().m_reply));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(&app().m_block) % 8, 0u);
    // The fresh camera holds pictures in slots 1 to 4 (4 protected).
    EXPECT_EQ(std::string(app().m_reply, 8).substr(1), "111P000");
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(DeviceLink, CodesOutsideTheTableSendNothingAndSayNothing) {
    env.set("OVALINE_VIRTUAL_FAULTS", "nak=100");
    for (int code : {12, 15, 18})
        EXPECT_EQ(app().SendCommand(code, '0', "  "), 0) << code;
    EXPECT_TRUE(boxes.shown().empty());
    // A command that reaches the refusing camera would have been reported.
    EXPECT_EQ(app().SendCommand(app::kCmdQueryStatus, '0', "  "), 0);
    EXPECT_EQ(boxes.shown().size(), 1u);
}

TEST_F(DeviceLink, AFailedPoShowsTheLibrarysThreeLineMessage) {
    env.set("OVALINE_VIRTUAL_FAULTS", "nak=100");
    EXPECT_EQ(app().SendCommand(app::kCmdPointer, '1', "  "), 0);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text,
              "DLL failed sending or receiving data\n  DLL ERROR CODE : 104\n  (Received NAK)");
    EXPECT_EQ(boxes.shown()[0].icon, QMessageBox::Information);
    EXPECT_EQ(boxes.shown()[0].buttons, QMessageBox::Ok);
}

TEST_F(DeviceLink, EachModelReplyNamesItsUnit) {
    struct Case {
        const char *reply;
        int model;
        int unitN;
    };
    for (const Case &c :
         {Case{"VIKN", 1, 1}, Case{"VIKP", 1, 0}, Case{"VIHN", 2, 1}, Case{"VIHP", 2, 0}}) {
        useCamera(c.reply);
        app().m_bUnitN = -1;
        EXPECT_EQ(app().QueryUnitModel(), 1) << c.reply;
        EXPECT_EQ(app().m_nUnitModel, c.model) << c.reply;
        EXPECT_EQ(app().m_bUnitN, c.unitN) << c.reply;
    }
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(DeviceLink, AFailedModelQueryIsSilentAndForgetsTheModel) {
    ASSERT_EQ(app().QueryUnitModel(), 1);
    unplug();
    EXPECT_EQ(app().QueryUnitModel(), 0);
    EXPECT_EQ(app().m_nUnitModel, 0);
    env.set("OVALINE_VIRTUAL_FAULTS", "nak=100");
    OvalineSetPortName(1, "virtual");
    EXPECT_EQ(app().QueryUnitModel(), 0);
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(DeviceLink, SuspendPoSwitchesItOffAndLeavesTheReplyAsItWas) {
    ASSERT_EQ(app().SendCommand(app::kCmdPointer, '1', "  "), 1);
    ASSERT_EQ(app().QueryStatus(1), 1);
    const std::string slotMap(app().m_reply, sizeof app().m_reply);

    app().SuspendPO();
    EXPECT_EQ(std::string(app().m_reply, sizeof app().m_reply), slotMap);
    EXPECT_EQ(app().m_bPOSuspended, 1);
    EXPECT_EQ(controlState()[4], '0');

    app().ResumePO();
    EXPECT_EQ(controlState()[4], '1');
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(DeviceLink, SuspendPoLeavesPoAloneWhenItIsOffOrUnknown) {
    ASSERT_EQ(app().SendCommand(app::kCmdPointer, '0', "  "), 1);
    app().SuspendPO();
    EXPECT_EQ(app().m_bPOSuspended, 0);

    // A failed status query must not be read as "PO on" from an old reply.
    std::memcpy(app().m_reply, "01111111", 8);
    env.set("OVALINE_VIRTUAL_FAULTS", "nak=1");
    app().SuspendPO();
    EXPECT_EQ(app().m_bPOSuspended, 0);
    EXPECT_EQ(std::string(app().m_reply, 8), "01111111");
    app().ResumePO();
    env.unset("OVALINE_VIRTUAL_FAULTS");
    EXPECT_EQ(controlState()[4], '0');
}

} // namespace
} // namespace ovaline::test
