// SPDX-License-Identifier: MIT
// The fingerprint queries against the in-process virtual camera: they follow
// what the slots hold, and an old camera refuses them.
#include "ovaline_fingerprint.h"
#include "traffic.h"
#include "virtual_camera_fixture.h"

#include <gtest/gtest.h>

namespace ovaline::test {
namespace {

using Fingerprints = VirtualCameraTest;

std::vector<OvalineFingerprint> askPrints() {
    const CommandResult answer = command("QF", '0');
    EXPECT_EQ(answer.code, 0);
    EXPECT_EQ(answer.reply.size(), OVALINE_FINGERPRINTS_LENGTH);
    std::vector<OvalineFingerprint> prints;
    if (answer.reply.size() == OVALINE_FINGERPRINTS_LENGTH)
        for (int i = 0; i < OVALINE_SLOT_COUNT; ++i)
            prints.push_back(OvalineReadFingerprint(
                reinterpret_cast<const std::uint8_t *>(answer.reply.data()), i));
    return prints;
}

std::uint32_t askStamp() {
    const CommandResult answer = command("QC", '0');
    EXPECT_EQ(answer.code, 0);
    return answer.code == 0
               ? OvalineReadBe32(reinterpret_cast<const std::uint8_t *>(answer.reply.data()))
               : 0;
}

// Every slot's fingerprint is the size and CRC-32 of what the camera holds,
// and the stamp is that of the whole table.
void expectPrintsOf(const emu::UnitState &camera) {
    const auto prints = askPrints();
    ASSERT_EQ(prints.size(), 7u);
    for (int i = 0; i < 7; ++i) {
        const auto &jpeg = camera.memory[i].jpeg;
        const OvalineFingerprint expected = OvalineFingerprintOf(jpeg.data(), jpeg.size());
        EXPECT_EQ(prints[i].size, expected.size) << "slot " << i + 1;
        EXPECT_EQ(prints[i].crc, expected.crc) << "slot " << i + 1;
    }
    const CommandResult table = command("QF", '0');
    EXPECT_EQ(askStamp(),
              OvalineStampOf(reinterpret_cast<const std::uint8_t *>(table.reply.data())));
}

TEST_F(Fingerprints, FollowStoreSendAndAChangedPicture) {
    expectPrintsOf(cameraState());
    EXPECT_EQ(askPrints()[5].size, 0u) << "an empty slot is 0 and 0";
    EXPECT_EQ(askPrints()[5].crc, 0u);
    const std::uint32_t first = askStamp();

    ASSERT_EQ(sendSlot(6, testPicture(640, 480, 1)).code, 0);
    expectPrintsOf(cameraState());
    const std::uint32_t sent = askStamp();
    EXPECT_NE(sent, first);

    ASSERT_EQ(command("CE", '0', "05").code, 0); // store the live picture
    expectPrintsOf(cameraState());
    EXPECT_NE(askPrints()[4].size, 0u);
    const std::uint32_t stored = askStamp();
    EXPECT_NE(stored, sent);

    ASSERT_EQ(command("CE", '1', "06").code, 0); // a recall changes no slot
    EXPECT_EQ(askStamp(), stored);

    ASSERT_EQ(sendSlot(6, testPicture(640, 480, 2)).code, 0); // a changed picture
    expectPrintsOf(cameraState());
    EXPECT_NE(askStamp(), stored);
}

TEST_F(Fingerprints, HaveTheirOwnReplyLengthsAndArgument) {
    char reply[OVALINE_FINGERPRINTS_LENGTH];
    AlignedBlock record;
    record.block = makeBlock(1, 115200, "QF", '0', "  ", reply, 8);
    EXPECT_EQ(OvalineTraffic(&record.block), OVALINE_E_SETUP) << "refused before it is sent";
    EXPECT_EQ(command("QF", '1').code, OVALINE_E_NAK) << "the only argument is 0";
    EXPECT_EQ(command("QC", '0').reply.size(), OVALINE_STAMP_LENGTH);
}

TEST_F(Fingerprints, AnOldCameraRefusesThemAndAnswersEverythingElse) {
    env.set("OVALINE_VIRTUAL_FAULTS", "old");
    EXPECT_EQ(command("QF", '0').code, OVALINE_E_NAK);
    EXPECT_EQ(command("QC", '0').code, OVALINE_E_NAK);
    EXPECT_EQ(command("QS", '1').reply, "0111P000");
    EXPECT_EQ(receiveSlot(1).code, 0);
}

TEST(FingerprintCrc, IsTheCrc32OfZip) {
    EXPECT_EQ(OvalineCrc32("123456789", 9), 0xCBF43926u);
    const OvalineFingerprint none = OvalineFingerprintOf(nullptr, 0);
    EXPECT_EQ(none.size, 0u);
    EXPECT_EQ(none.crc, 0u);
}

} // namespace
} // namespace ovaline::test
