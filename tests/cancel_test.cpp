// SPDX-License-Identifier: MIT
// Cancelling an exchange from another thread, on the in-memory line to the
// virtual camera: the call ends at once, nothing half done is kept, and the
// next exchange works straight away.
#include "traffic.h"
#include "virtual_camera_fixture.h"

#include <gtest/gtest.h>

namespace ovaline::test {
namespace {

class Cancel : public VirtualCameraTest {
protected:
    // The line at its real pace from here on, so that a transfer lasts.
    void realPace() { env.set("OVALINE_VIRTUAL_SPEED", "1"); }
};

TEST_F(Cancel, AReceiveEndsInTheDataPhaseAndLeavesTheBufferAsItWas) {
    realPace();
    std::vector<std::uint8_t> buffer(OVALINE_MAX_IMAGE, 0xA5);
    AlignedBlock record;
    record.block = makeBlock(1, 9600, "TR", '0', "01", buffer.data(), OVALINE_MAX_IMAGE);
    const CancelOutcome outcome = cancelInDataPhase(record.block);

    EXPECT_EQ(outcome.code, OVALINE_CANCELLED);
    EXPECT_EQ(static_cast<std::int32_t>(OvalineLoadResult(&record.block)), OVALINE_CANCELLED);
    EXPECT_EQ(OvalineLoadBusy(&record.block), 0u);
    EXPECT_GT(OvalineLoadProgress(&record.block), 0u) << "the cancel came in the data phase";
    EXPECT_EQ(buffer, std::vector<std::uint8_t>(OVALINE_MAX_IMAGE, 0xA5))
        << "part of a picture reached the caller";
    EXPECT_EQ(command("QS", '1', "  ", 1, 9600).code, 0);
}

TEST_F(Cancel, ASendEndsInTheDataPhaseAndTheSlotKeepsItsEarlierPicture) {
    const TransferResult before = receiveSlot(2);
    ASSERT_EQ(before.code, 0);
    realPace();
    std::vector<std::uint8_t> picture = testPicture(640, 480, 5);
    AlignedBlock record;
    record.block = makeBlock(1, 9600, "TR", '1', "02", picture.data(),
                             static_cast<std::uint32_t>(picture.size()));
    const CancelOutcome outcome = cancelInDataPhase(record.block);

    EXPECT_EQ(outcome.code, OVALINE_CANCELLED);
    EXPECT_GT(OvalineLoadProgress(&record.block), 0u) << "the cancel came in the data phase";
    EXPECT_EQ(command("QS", '1', "  ", 1, 9600).code, 0);
    EXPECT_EQ(cameraState().memory[1].jpeg, before.bytes);
}

TEST_F(Cancel, ACancelBeforeTheCallEndsItAsItBeginsAndAnIdleRecordIsLeftAlone) {
    char reply[8];
    AlignedBlock record;
    record.block = makeBlock(1, 115200, "QS", '1', "  ", reply, 8);
    record.block.busy = 0;
    EXPECT_EQ(OvalineCancel(&record.block), -1) << "no exchange runs on the record";
    record.block.busy = 1;
    EXPECT_EQ(OvalineTraffic(&record.block), OVALINE_OK) << "an idle record's cancel is not kept";

    record.block.busy = 1;
    EXPECT_EQ(OvalineCancel(&record.block), 0);
    EXPECT_EQ(OvalineTraffic(&record.block), OVALINE_CANCELLED);
    record.block.busy = 1;
    EXPECT_EQ(OvalineTraffic(&record.block), OVALINE_OK) << "a cancel ends one call only";
}

} // namespace
} // namespace ovaline::test
