// SPDX-License-Identifier: MIT
// Faults on the in-memory line and in the unit: each failure is reported by
// its own result code, and damage the protocol can mend is mended.
#include "jpeg_padding.h"
#include "traffic.h"
#include "virtual_camera_fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

namespace ovaline::test {
namespace {

using Faults = VirtualCameraTest;

std::vector<std::uint8_t> largestPicture() {
    return padJpeg(testPicture(640, 480, 1), OVALINE_MAX_IMAGE);
}

TEST_F(Faults, EachCauseGivesItsResultCode) {
    struct Case {
        const char *faults;
        const char *operation; // "command", "send" or "receive"
        std::int32_t expected;
    };
    const Case cases[] = {
        {"unplug=20000", "send", OVALINE_E_WRITE},
        {"silent", "command", OVALINE_E_TIMEOUT},
        {"unplug=20000", "receive", OVALINE_E_TIMEOUT},
        {"nocts", "command", OVALINE_E_HANDSHAKE},
        {"nak=100", "command", OVALINE_E_NAK},
        {"nak=100", "send", OVALINE_E_NAK},
        {"badack=100", "command", OVALINE_E_INVALID_ACK},
        {"hangup=20000", "send", OVALINE_E_ACK_TIMEOUT},
        {"etx=100", "command", OVALINE_E_FRAME},
        {"overrun=1", "command", OVALINE_E_OVERRUN},
        {"framing=1", "command", OVALINE_E_FRAMING},
    };
    const auto picture = largestPicture();
    for (const Case &c : cases) {
        env.set("OVALINE_VIRTUAL_FAULTS", std::string(c.faults) + ",seed=7");
        const std::string operation = c.operation;
        std::int32_t code = -1;
        if (operation == "command")
            code = command("QS", '1').code;
        else if (operation == "send")
            code = sendSlot(5, picture).code;
        else
            code = receiveSlot(1).code;
        EXPECT_EQ(code, c.expected) << c.faults << " on a " << c.operation << ": "
                                    << (OvalineResultText(code) ? OvalineResultText(code) : "");
    }
}

TEST_F(Faults, AFewRefusalsAndBadAnswersAreRetriedAway) {
    for (const char *faults : {"nak=3", "badack=2", "etx=2"}) {
        env.set("OVALINE_VIRTUAL_FAULTS", faults);
        EXPECT_EQ(command("QS", '1').code, 0) << faults;
    }
    env.set("OVALINE_VIRTUAL_FAULTS", "nak=3");
    const auto picture = testPicture(640, 480, 9);
    ASSERT_EQ(sendSlot(6, picture).code, 0);
    env.set("OVALINE_VIRTUAL_FAULTS", "");
    EXPECT_EQ(receiveSlot(6).bytes, picture);
}

TEST_F(Faults, DamagedAndLostBytesStillDeliverTheLargestPictureByteExact) {
    const auto picture = largestPicture();
    for (const char *damage : {"flip=1e-4", "drop=1e-4", "flip=1e-3,drop=1e-3"}) {
        for (int seed = 1; seed <= 3; ++seed) {
            env.set("OVALINE_VIRTUAL_FAULTS",
                    std::string(damage) + ",seed=" + std::to_string(seed));
            ASSERT_EQ(sendSlot(5, picture).code, 0) << damage << " seed " << seed;
            const TransferResult back = receiveSlot(5);
            ASSERT_EQ(back.code, 0) << damage << " seed " << seed;
            EXPECT_EQ(back.bytes, picture) << damage << " seed " << seed;
            EXPECT_EQ(back.progress, picture.size());
        }
    }
}

TEST_F(Faults, ALineThatGoesDeadEndsTheTransferWithinSeconds) {
    env.set("OVALINE_VIRTUAL_FAULTS", "");
    ASSERT_EQ(sendSlot(5, largestPicture()).code, 0);
    env.set("OVALINE_VIRTUAL_SPEED", "1").set("OVALINE_VIRTUAL_FAULTS", "hangup=30000");
    const auto start = std::chrono::steady_clock::now();
    const TransferResult received = receiveSlot(5);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(received.code, OVALINE_E_TIMEOUT);
    EXPECT_LT(received.progress, OVALINE_MAX_IMAGE) << "a cut picture is not complete";
    // 30,000 bytes take 2.6 s at 115,200 bit/s; the silence after them must
    // be noticed within a few seconds more.
    EXPECT_LT(waited, std::chrono::seconds(2) + std::chrono::seconds(3));
}

// The camera's own settings and what it takes: a folder it cannot write is
// refused like a wrong setting, an upload larger than its picture is wrong
// data, whatever its stream holds.
TEST_F(Faults, TheCameraRefusesAFolderItCannotKeepAndPicturesLargerThanItsOwn) {
    const auto picture = testPicture(640, 480, 3);
    EXPECT_EQ(sendSlot(5, claimSize(picture, 4096, 4096)).code, OVALINE_E_WRONG_DATA);
    EXPECT_EQ(sendSlot(5, testPicture(800, 600, 3)).code, OVALINE_E_WRONG_DATA);
    EXPECT_EQ(sendSlot(5, cmykTestPicture(640, 480)).code, OVALINE_E_WRONG_DATA);
    EXPECT_TRUE(cameraState().memory[4].jpeg.empty());
    EXPECT_EQ(sendSlot(5, testPicture(480, 640, 3)).code, 0) << "a portrait picture fits";

    // A regular file where the folder should be: no one can write into it.
    std::ofstream(folder.path() / "plain") << "x";
    env.set("OVALINE_VIRTUAL_DIR", (folder.path() / "plain" / "camera").string());
    EXPECT_EQ(command("QS", '1').code, OVALINE_E_OPEN);
    EXPECT_EQ(sendSlot(6, picture).code, OVALINE_E_OPEN);
}

} // namespace
} // namespace ovaline::test
