// SPDX-License-Identifier: MIT
// Every exchange ends, whatever the other end sends: frames that bring no
// news count as silence on both sides, and a unit whose host gave a
// transfer up (a new command arrives in its middle) drops it at once.
#include "crc.h"
#include "data_phase.h"
#include "frame.h"
#include "host_session.h"
#include "memory_line.h"
#include "traffic.h"
#include "unit_server.h"
#include "virtual_unit.h"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <thread>

namespace ovaline::test {
namespace {

using namespace std::chrono_literals;

// One byte at 115,200 bit/s.
constexpr std::chrono::nanoseconds kByteTime{86'806};

std::vector<std::uint8_t> be32(std::uint32_t value) {
    std::vector<std::uint8_t> out;
    putBe32(out, value);
    return out;
}

std::vector<std::uint8_t> commandPayload(const char letters[3], char arg, char slot,
                                         std::uint32_t length) {
    std::vector<std::uint8_t> payload{kStx,
                                      static_cast<std::uint8_t>(letters[0]),
                                      static_cast<std::uint8_t>(letters[1]),
                                      static_cast<std::uint8_t>(arg),
                                      slot == ' ' ? std::uint8_t{' '} : std::uint8_t{'0'},
                                      static_cast<std::uint8_t>(slot),
                                      kEtx};
    putBe32(payload, length);
    return payload;
}

// Well beyond the longest an exchange may wait when nothing useful comes
// (every silent wait it allows), so that a loaded machine passes; a peer
// that held it would hold it for ever.
std::chrono::nanoseconds silenceLimit() {
    const LinkTiming timing(kByteTime);
    return 2 * kMaxSilentRounds * (3 * timing.lineTime(kMaxFrame) + LinkTiming::kReaction);
}

// One end of the line, driven frame by frame by the test.
class ScriptedEnd {
public:
    explicit ScriptedEnd(Transport &line) : line_(line), reader_(line), timing_(kByteTime) {}

    bool send(FrameKind kind, std::uint16_t seq, const std::vector<std::uint8_t> &payload = {}) {
        return writeTimed(line_, timing_, encodeFrame(kind, seq, payload));
    }
    // The next frame of the kind, skipping others; nothing at the deadline.
    std::optional<Frame> await(FrameKind kind, TimePoint deadline) {
        Frame frame;
        while (reader_.next(frame, deadline) == ReadStatus::Frame)
            if (frame.kind == kind)
                return frame;
        return std::nullopt;
    }

private:
    Transport &line_;
    FrameReader reader_;
    LinkTiming timing_;
};

// Frames that bring a receiver nothing: a stray acknowledgement, a block
// out of range, block 0 again and again, an offer repeated.
bool sendUseless(ScriptedEnd &end, int turn) {
    const std::vector<std::uint8_t> block(kBlockSize, 0x55);
    switch (turn % 4) {
    case 0:
        return end.send(FrameKind::Ack, 0, be32(0));
    case 1:
        return end.send(FrameKind::Data, 999, block);
    case 2:
        return end.send(FrameKind::Data, 0, block);
    default:
        return end.send(FrameKind::Header, 0, be32(OVALINE_MAX_IMAGE));
    }
}

TEST(ExchangeBounds, AHostReceiveFedOnlyUselessFramesEndsLikeASilentOne) {
    auto [host, unitEnd] = MemoryLine::open(kByteTime);
    std::atomic<bool> over{false};
    std::thread unit([&, end = unitEnd.get()] {
        end->setRts(true);
        ScriptedEnd script(*end);
        if (!script.await(FrameKind::Command, Clock::now() + 5s) ||
            !script.send(FrameKind::Header, 0, be32(OVALINE_MAX_IMAGE)) ||
            !script.await(FrameKind::Go, Clock::now() + 5s))
            return;
        for (int turn = 0; !over && sendUseless(script, turn); ++turn)
            std::this_thread::sleep_for(20ms); // the unit's own pace, not a wait
    });
    std::vector<std::uint8_t> buffer(OVALINE_MAX_IMAGE);
    const std::uint8_t frame[7] = {kStx, 'T', 'R', '0', '0', '1', kEtx};
    const auto start = Clock::now();
    const std::int32_t code =
        HostSession(*host).receive(frame, buffer.data(), OVALINE_MAX_IMAGE, {});
    const auto took = Clock::now() - start;
    over = true;
    host.reset();
    unit.join();

    EXPECT_NE(code, OVALINE_OK);
    EXPECT_LT(took, silenceLimit()) << "frames without news held the receive";
}

class UnitSide : public ::testing::Test {
protected:
    UnitSide() : camera(emu::VirtualUnit::Options{"VIHN", 1.0, {}, {}}) {
        camera.wake();
        auto ends = MemoryLine::open(kByteTime);
        host = std::move(ends.first);
        unitEnd = std::move(ends.second);
        server = std::thread(
            [this] { UnitServer(*unitEnd, camera).serve([this] { return stop.load(); }, 20ms); });
    }
    ~UnitSide() override {
        stop = true;
        host.reset();
        server.join();
    }

    emu::VirtualUnit camera;
    std::unique_ptr<MemoryLine::End> host, unitEnd;
    std::atomic<bool> stop{false};
    std::thread server;
};

TEST_F(UnitSide, AnUploadFedOnlyUselessFramesEndsLikeASilentOne) {
    // A picture taken whole first: the unit confirms a repeated End of it
    // only once it is back from a transfer, which tells when that is.
    const std::vector<std::uint8_t> picture = testPicture(640, 480, 3);
    const auto size = static_cast<std::uint32_t>(picture.size());
    const std::uint8_t sendFrame[7] = {kStx, 'T', 'R', '1', '0', '6', kEtx};
    ASSERT_EQ(HostSession(*host).send(sendFrame, picture.data(), size, {}), OVALINE_OK);
    std::vector<std::uint8_t> probe = be32(size);
    putBe32(probe, crc32(picture.data(), picture.size()));

    ScriptedEnd script(*host);
    ASSERT_TRUE(script.send(FrameKind::Command, 0, commandPayload("TR", '1', '7', 60000)));
    ASSERT_TRUE(script.await(FrameKind::Ack, Clock::now() + 2s));
    const auto start = Clock::now();
    bool back = false;
    for (int turn = 0; !back && Clock::now() - start < 2 * silenceLimit(); ++turn) {
        ASSERT_TRUE(sendUseless(script, turn));
        ASSERT_TRUE(script.send(FrameKind::End, 0, probe));
        const auto status = script.await(FrameKind::Status, Clock::now() + 20ms);
        back = status && status->payload == std::vector<std::uint8_t>{status::kComplete};
    }
    EXPECT_TRUE(back) << "the upload never ended";
    EXPECT_LT(Clock::now() - start, silenceLimit()) << "frames without news held the upload";
    EXPECT_TRUE(camera.picture(7).bytes.empty()) << "nothing whole arrived, nothing is kept";
}

TEST_F(UnitSide, ANewCommandInTheMiddleOfATransferIsServedAtOnce) {
    ScriptedEnd script(*host);
    const auto queryAnswered = [&] {
        return script.send(FrameKind::Command, 0, commandPayload("QS", '1', ' ', 8)) &&
               script.await(FrameKind::Reply, Clock::now() + 500ms).has_value();
    };
    // The unit is sending a picture whose host has gone away.
    ASSERT_TRUE(script.send(FrameKind::Command, 0, commandPayload("TR", '0', '1', 65535)));
    ASSERT_TRUE(script.await(FrameKind::Header, Clock::now() + 2s));
    ASSERT_TRUE(script.send(FrameKind::Go, 0));
    ASSERT_TRUE(script.await(FrameKind::Data, Clock::now() + 2s));
    EXPECT_TRUE(queryAnswered());

    // The unit is taking a picture whose host has gone away.
    const std::vector<std::uint8_t> earlier = camera.picture(2).bytes;
    ASSERT_TRUE(script.send(FrameKind::Command, 0, commandPayload("TR", '1', '2', 60000)));
    ASSERT_TRUE(script.await(FrameKind::Ack, Clock::now() + 2s));
    ASSERT_TRUE(script.send(FrameKind::Data, 0, std::vector<std::uint8_t>(kBlockSize, 0x11)));
    EXPECT_TRUE(queryAnswered());
    EXPECT_EQ(camera.picture(2).bytes, earlier) << "a picture cut short replaced the slot's";
}

} // namespace
} // namespace ovaline::test
