// SPDX-License-Identifier: MIT
// The library through its C interface, against the in-process virtual camera.
#include "jpeg_codec.h"
#include "jpeg_padding.h"
#include "traffic.h"
#include "virtual_camera_fixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

namespace ovaline::test {
namespace {

using Traffic = VirtualCameraTest;

TEST(ResultTexts, EveryCodeHasItsTextAndNothingElseHasOne) {
    EXPECT_STREQ(OvalineResultText(100), "Failed to open COM");
    EXPECT_STREQ(OvalineResultText(104), "Received NAK");
    EXPECT_STREQ(OvalineResultText(108), "STX or ETX is incorrect place when receiving");
    EXPECT_STREQ(OvalineResultText(113), "Received data framing error");
    for (int code = 100; code <= 113; ++code)
        EXPECT_NE(OvalineResultText(code), nullptr) << code;
    EXPECT_EQ(OvalineResultText(0), nullptr);
    EXPECT_EQ(OvalineResultText(99), nullptr);
    EXPECT_EQ(OvalineResultText(114), nullptr);
}

TEST_F(Traffic, ControlCommandsSetTheStateTheQueryReports) {
    struct Case {
        const char *letters;
        char arg;
        int byte;
        char expected;
    };
    const Case cases[] = {
        {"PL", '2', 0, '2'}, {"PL", '1', 0, '1'}, {"PL", '0', 0, '0'}, {"AV", '2', 1, '2'},
        {"AV", '0', 1, '0'}, {"NP", '1', 2, '1'}, {"NP", '0', 2, '0'}, {"CB", '1', 3, '1'},
        {"CB", '0', 3, '0'}, {"PO", '1', 4, '1'}, {"PO", '0', 4, '0'}, {"MA", '1', 5, '1'},
        {"MA", '0', 5, '0'}, {"FZ", '1', 6, '1'}, {"FZ", '0', 6, '0'}, {"LL", '1', 7, '1'},
        {"LL", '0', 7, '0'},
    };
    for (const Case &c : cases) {
        const CommandResult sent = command(c.letters, c.arg);
        ASSERT_EQ(sent.code, 0) << c.letters << c.arg;
        // Every control command answers with the state it leaves behind.
        EXPECT_EQ(sent.reply[c.byte], c.expected) << c.letters << c.arg;
        const CommandResult state = command("QS", '0');
        ASSERT_EQ(state.code, 0);
        EXPECT_EQ(state.reply[c.byte], c.expected) << c.letters << c.arg;
    }
}

TEST_F(Traffic, HeldButtonsMoveTheOpticsUntilReleased) {
    ASSERT_EQ(command("ZO", '+').code, 0);
    ASSERT_EQ(command("QS", '0').code, 0);
    ASSERT_EQ(command("ZO", '0').code, 0);
    const double zoomed = cameraState().zoom;
    EXPECT_GT(zoomed, 1.0);
    ASSERT_EQ(command("QS", '0').code, 0);
    EXPECT_DOUBLE_EQ(cameraState().zoom, zoomed) << "zoom went on after the release";

    ASSERT_EQ(command("FO", '+').code, 0);
    ASSERT_EQ(command("FO", '0').code, 0);
    EXPECT_GT(cameraState().focus, 0.5);
    ASSERT_EQ(command("AF", '0').code, 0);
    EXPECT_DOUBLE_EQ(cameraState().focus, 0.5);

    ASSERT_EQ(command("IR", '-').code, 0);
    ASSERT_EQ(command("IR", '0').code, 0);
    EXPECT_LT(cameraState().iris, 0.5);
    ASSERT_EQ(command("IR", '1').code, 0);
    EXPECT_DOUBLE_EQ(cameraState().iris, 0.5);

    ASSERT_EQ(command("PO", '1').code, 0);
    ASSERT_EQ(command("PM", '1').code, 0); // right
    ASSERT_EQ(command("PM", '0').code, 0);
    EXPECT_GT(cameraState().pointerX, 0.5);
    EXPECT_DOUBLE_EQ(cameraState().pointerY, 0.5);
}

TEST_F(Traffic, TheUnitRefusesWhatItDoesNotKnow) {
    EXPECT_EQ(command("PL", '7').code, OVALINE_E_NAK);
    EXPECT_EQ(command("QS", '2').code, OVALINE_E_NAK);
    EXPECT_EQ(command("CE", '1', "09").code, OVALINE_E_NAK);
    EXPECT_EQ(command("AV", '3').code, OVALINE_E_NAK) << "SUB exists only on the K models";
    env.set("OVALINE_VIRTUAL_MODEL", "VIKN");
    EXPECT_EQ(command("AV", '3').code, 0);
}

TEST_F(Traffic, EachModelAnswersItsReplyAndTakesPicturesOfItsSize) {
    const struct {
        const char *model;
        int width;
        int height;
    } models[] = {{"VIKN", 736, 480}, {"VIKP", 736, 568}, {"VIHN", 640, 480}, {"VIHP", 768, 576}};
    for (const auto &m : models) {
        TempDir own;
        ScopedEnv scoped;
        scoped.set("OVALINE_VIRTUAL_MODEL", m.model).set("OVALINE_VIRTUAL_DIR", own.str());
        const CommandResult reply = command("QR", '0');
        ASSERT_EQ(reply.code, 0);
        EXPECT_EQ(reply.reply.substr(0, 4), m.model);
        EXPECT_EQ(reply.reply.size(), 6u);
        const TransferResult slot = receiveSlot(1);
        ASSERT_EQ(slot.code, 0);
        const auto picture = emu::decodeJpeg(slot.bytes.data(), slot.bytes.size());
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->width, m.width);
        EXPECT_EQ(picture->height, m.height);
    }
}

TEST_F(Traffic, FirstStartHoldsThreePicturesOneProtectedAndThreeEmpty) {
    const CommandResult map = command("QS", '1');
    ASSERT_EQ(map.code, 0);
    EXPECT_EQ(map.reply, "0111P000");
}

TEST_F(Traffic, StoreWritesTheLivePictureAndRecallShowsASlot) {
    CommandResult stored = command("CE", '0', "05");
    ASSERT_EQ(stored.code, 0);
    EXPECT_EQ(stored.reply.substr(5, 1), "1");
    EXPECT_EQ(command("CE", '0', "04").code, OVALINE_E_NAK) << "slot 4 is protected";
    EXPECT_EQ(command("CE", '1', "07").code, OVALINE_E_NAK) << "slot 7 is empty";
    EXPECT_EQ(command("CE", '1', "02").code, 0);
    EXPECT_EQ(cameraState().recalled, 2);
}

TEST_F(Traffic, EveryHeldSlotArrivesByteExactAndEmptySlotsAreReported) {
    const emu::UnitState state = cameraState();
    for (int slot = 1; slot <= 7; ++slot) {
        const TransferResult received = receiveSlot(slot);
        if (state.memory[slot - 1].jpeg.empty()) {
            EXPECT_EQ(received.code, OVALINE_E_EMPTY_SLOT) << slot;
            continue;
        }
        ASSERT_EQ(received.code, 0) << slot;
        EXPECT_EQ(received.progress, state.memory[slot - 1].jpeg.size());
        EXPECT_EQ(received.bytes, state.memory[slot - 1].jpeg) << slot;
    }
}

TEST_F(Traffic, SentPicturesComeBackByteExactExceptIntoTheProtectedSlot) {
    for (int slot = 1; slot <= 7; ++slot) {
        const auto picture = testPicture(640, 480, slot);
        const TransferResult sent = sendSlot(slot, picture);
        if (slot == 4) {
            EXPECT_EQ(sent.code, OVALINE_E_NAK);
            continue;
        }
        ASSERT_EQ(sent.code, 0) << slot;
        EXPECT_EQ(sent.progress, picture.size());
        const TransferResult back = receiveSlot(slot);
        ASSERT_EQ(back.code, 0);
        EXPECT_EQ(back.bytes, picture) << slot;
    }
    EXPECT_EQ(command("QS", '1').reply, "0111P111");
}

TEST_F(Traffic, TheLargestPictureMovesBothWays) {
    const auto picture = padJpeg(testPicture(640, 480, 3), OVALINE_MAX_IMAGE);
    ASSERT_EQ(picture.size(), OVALINE_MAX_IMAGE);
    ASSERT_EQ(sendSlot(6, picture).code, 0);
    const TransferResult back = receiveSlot(6);
    ASSERT_EQ(back.code, 0);
    EXPECT_EQ(back.bytes, picture);
}

TEST_F(Traffic, ASendThatIsNotAPictureIsRejectedAsWrongData) {
    std::vector<std::uint8_t> noise(5000);
    for (std::size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<std::uint8_t>(i * 7 + 3);
    EXPECT_EQ(sendSlot(5, noise).code, OVALINE_E_WRONG_DATA);
    EXPECT_EQ(command("QS", '1').reply[5], '0') << "nothing was stored";
}

TEST_F(Traffic, AReceiveIntoASmallBufferOverflowsInsteadOfWritingPastIt) {
    const std::size_t size = cameraState().memory[0].jpeg.size();
    const TransferResult received = receiveSlot(1, 1, 115200, static_cast<std::uint32_t>(size - 1));
    EXPECT_EQ(received.code, OVALINE_E_QUEUE_OVERFLOW);
    EXPECT_EQ(receiveSlot(1, 1, 115200, static_cast<std::uint32_t>(size)).code, 0);
}

// Watches a transfer from another thread, as the program's window does.
struct Watch {
    std::vector<std::uint32_t> progress;
    std::int32_t returned = -1;
    std::uint32_t resultWhenIdle = 0;
};

Watch watchTransfer(TrafficBlock &block) {
    Watch watch;
    std::atomic<bool> started{false};
    std::thread worker([&] {
        started = true;
        watch.returned = OvalineTraffic(&block);
    });
    while (!started)
        std::this_thread::yield();
    while (OvalineLoadBusy(&block) != 0) {
        const std::uint32_t now = OvalineLoadProgress(&block);
        if (watch.progress.empty() || watch.progress.back() != now)
            watch.progress.push_back(now);
        std::this_thread::yield();
    }
    watch.resultWhenIdle = OvalineLoadResult(&block);
    watch.progress.push_back(OvalineLoadProgress(&block));
    worker.join();
    return watch;
}

TEST_F(Traffic, ProgressRisesToTheByteCountAndTheResultPrecedesIdle) {
    env.set("OVALINE_VIRTUAL_SPEED", "20");
    const std::size_t size = cameraState().memory[1].jpeg.size();
    std::vector<std::uint8_t> buffer(OVALINE_MAX_IMAGE);
    AlignedBlock record;
    record.block = makeBlock(1, 115200, "TR", '0', "02", buffer.data(), OVALINE_MAX_IMAGE);
    const Watch watch = watchTransfer(record.block);
    ASSERT_EQ(watch.returned, 0);
    EXPECT_EQ(watch.resultWhenIdle, 0u);
    EXPECT_TRUE(std::is_sorted(watch.progress.begin(), watch.progress.end()));
    EXPECT_EQ(watch.progress.back(), size);
    EXPECT_GT(watch.progress.size(), 4u) << "progress should move in steps during the transfer";
}

TEST_F(Traffic, AFailureIsInResultBeforeBusyClears) {
    env.set("OVALINE_VIRTUAL_FAULTS", "nak=100");
    char reply[8];
    AlignedBlock record;
    record.block = makeBlock(1, 115200, "QS", '0', "  ", reply, 8);
    const Watch watch = watchTransfer(record.block);
    EXPECT_EQ(watch.returned, OVALINE_E_NAK);
    EXPECT_EQ(watch.resultWhenIdle, static_cast<std::uint32_t>(OVALINE_E_NAK));
}

TEST_F(Traffic, RecordsThatCannotBeSentAreRefusedBeforeTheLine) {
    // A silent unit would make anything that reaches the line time out.
    env.set("OVALINE_VIRTUAL_FAULTS", "silent");
    char buffer[16];
    const auto call = [&](TrafficBlock block) {
        AlignedBlock record;
        record.block = block;
        return OvalineTraffic(&record.block);
    };
    const auto base = [&] { return makeBlock(1, 115200, "QS", '0', "  ", buffer, 8); };

    TrafficBlock b = makeBlock(1, 115200, "TR", '1', "05", buffer, 0);
    EXPECT_EQ(call(b), OVALINE_E_SETUP) << "a send of nothing";
    b.length = OVALINE_MAX_IMAGE + 1;
    EXPECT_EQ(call(b), OVALINE_E_SETUP) << "a send over 65,535 bytes";
    EXPECT_EQ(call(makeBlock(1, 115200, "XX", '0', "  ", buffer, 8)), OVALINE_E_SETUP);
    EXPECT_EQ(call(makeBlock(1, 115200, "TR", '2', "05", buffer, 8)), OVALINE_E_SETUP);
    b = base();
    b.length = 6;
    EXPECT_EQ(call(b), OVALINE_E_SETUP) << "reply length unlike the command's";
    b = base();
    b.baud = 1200;
    EXPECT_EQ(call(b), OVALINE_E_SETUP);
    b = base();
    b.setting_b = 66;
    EXPECT_EQ(call(b), OVALINE_E_SETUP);
    b = base();
    b.cmd_frame[6] = 0;
    EXPECT_EQ(call(b), OVALINE_E_SETUP);
    b = base();
    b.data = 0;
    EXPECT_EQ(call(b), OVALINE_E_SETUP);
    b = base();
    b.port = 5;
    EXPECT_EQ(call(b), OVALINE_E_OPEN);
    EXPECT_EQ(OvalineTraffic(nullptr), OVALINE_E_SETUP);
}

TEST_F(Traffic, APortThatCannotBeOpenedSaysSo) {
    OvalineSetPortName(2, "/nonexistent/ttyOvaline");
    EXPECT_EQ(command("QR", '0', "  ", 2).code, OVALINE_E_OPEN);
    OvalineSetPortName(2, nullptr);
    env.set("OVALINE_COM2", "virtual");
    EXPECT_EQ(command("QR", '0', "  ", 2).code, 0) << "the environment names the port";
    EXPECT_EQ(OvalineSetPortName(0, "virtual"), -1);
    EXPECT_EQ(OvalineSetPortName(5, "virtual"), -1);

    // Which device a port opens, whole or cut to the buffer.
    char name[8];
    EXPECT_EQ(OvalineGetPortName(2, name, sizeof name), 7);
    EXPECT_STREQ(name, "virtual");
    OvalineSetPortName(2, "/dev/serial/by-id/usb-adapter");
    EXPECT_EQ(OvalineGetPortName(2, name, sizeof name), 29);
    EXPECT_STREQ(name, "/dev/se");
    EXPECT_EQ(OvalineGetPortName(2, nullptr, 0), 29);
    EXPECT_EQ(OvalineGetPortName(5, name, sizeof name), -1);
    OvalineSetPortName(2, nullptr);
}

TEST_F(Traffic, ACameraSetToOneRateAnswersOnlyAtItAndAProbeEndsOnTime) {
    env.set("OVALINE_VIRTUAL_RATE", "19200");
    EXPECT_EQ(command("QR", '0', "  ", 1, 19200).code, 0);
    char reply[8];
    TrafficBlock block = makeBlock(1, 9600, "QR", '0', "  ", reply, 6);
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(OvalineTrafficWithin(&block, 150), OVALINE_E_TIMEOUT);
    // Well below the four full attempts a silent unit costs otherwise.
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(600));
    EXPECT_EQ(block.busy, 0u);
    env.set("OVALINE_VIRTUAL_RATE", "12345");
    EXPECT_EQ(command("QR", '0', "  ", 1, 19200).code, OVALINE_E_OPEN) << "no such rate";
}

TEST_F(Traffic, WrongCameraSettingsKeepThePortClosed) {
    env.set("OVALINE_VIRTUAL_FAULTS", "flip=2");
    EXPECT_EQ(command("QR", '0').code, OVALINE_E_OPEN);
    env.set("OVALINE_VIRTUAL_FAULTS", "").set("OVALINE_VIRTUAL_SPEED", "fast");
    EXPECT_EQ(command("QR", '0').code, OVALINE_E_OPEN);
    env.set("OVALINE_VIRTUAL_SPEED", "1000").set("OVALINE_VIRTUAL_MODEL", "VIXX");
    EXPECT_EQ(command("QR", '0').code, OVALINE_E_OPEN);
}

} // namespace
} // namespace ovaline::test
