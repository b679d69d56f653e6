// SPDX-License-Identifier: MIT
// The protocol engine on its own: checks, frames cut out of a damaged byte
// stream, the paced in-memory line, and the data phase.
#include "crc.h"
#include "data_phase.h"
#include "frame.h"
#include "memory_line.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <thread>

namespace ovaline {
namespace {

using namespace std::chrono_literals;

TEST(Checks, MatchTheirPublishedCheckValues) {
    const std::string text = "123456789";
    const auto *bytes = reinterpret_cast<const std::uint8_t *>(text.data());
    EXPECT_EQ(crc16(bytes, text.size()), 0x29B1);
    EXPECT_EQ(crc32(bytes, text.size()), 0xCBF43926u);
}

// Writes bytes into one end of an instant line and reads frames at the other.
struct Bench {
    Bench() {
        auto ends = MemoryLine::open(0ns);
        a = std::move(ends.first);
        b = std::move(ends.second);
    }
    void put(const std::vector<std::uint8_t> &bytes) {
        ASSERT_EQ(a->write(bytes.data(), bytes.size(), Clock::now() + 1s), IoStatus::Ok);
    }
    std::unique_ptr<MemoryLine::End> a, b;
};

TEST(Frames, RoundTripAndSurviveDebrisAroundThem) {
    Bench bench;
    FrameReader reader(*bench.b);
    const std::vector<std::uint8_t> payload{1, 2, kStx, kEtx, 0xFF};
    std::vector<std::uint8_t> stream{0x55, kStx, 'Z'}; // debris, including a false start
    appendFrame(stream, FrameKind::Data, 7, payload.data(), payload.size());
    stream.push_back(0x99);
    appendFrame(stream, FrameKind::Ack, 8, nullptr, 0);
    bench.put(stream);

    Frame frame;
    ASSERT_EQ(reader.next(frame, Clock::now() + 1s), ReadStatus::Frame);
    EXPECT_EQ(frame.kind, FrameKind::Data);
    EXPECT_EQ(frame.seq, 7);
    EXPECT_EQ(frame.payload, payload);
    ASSERT_EQ(reader.next(frame, Clock::now() + 1s), ReadStatus::Frame);
    EXPECT_EQ(frame.kind, FrameKind::Ack);
    EXPECT_TRUE(reader.damage().misplaced);
}

TEST(Frames, ADamagedOrShortenedFrameCostsOnlyItself) {
    Bench bench;
    FrameReader reader(*bench.b);
    std::vector<std::uint8_t> first =
        encodeFrame(FrameKind::Data, 1, std::vector<std::uint8_t>(40, 0x11));
    std::vector<std::uint8_t> second =
        encodeFrame(FrameKind::Data, 2, std::vector<std::uint8_t>(40, 0x22));
    std::vector<std::uint8_t> third =
        encodeFrame(FrameKind::Data, 3, std::vector<std::uint8_t>(40, 0x33));
    first[20] ^= 0x40;                 // a flipped bit
    second.erase(second.begin() + 10); // a lost byte
    std::vector<std::uint8_t> stream = first;
    stream.insert(stream.end(), second.begin(), second.end());
    stream.insert(stream.end(), third.begin(), third.end());
    bench.put(stream);

    Frame frame;
    ASSERT_EQ(reader.next(frame, Clock::now() + 1s), ReadStatus::Frame);
    EXPECT_EQ(frame.seq, 3);
    EXPECT_TRUE(reader.damage().badCheck);
}

TEST(Frames, AFrameThatStopsArrivingIsATimeoutNotAFrame) {
    Bench bench;
    FrameReader reader(*bench.b);
    auto frame = encodeFrame(FrameKind::Reply, 0, {'1', '2', '3'});
    frame.pop_back();
    bench.put(frame);
    Frame out;
    EXPECT_EQ(reader.next(out, Clock::now() + 20ms), ReadStatus::Timeout);
    EXPECT_TRUE(reader.hasPartial());
    reader.discardPartial();
    EXPECT_FALSE(reader.hasPartial());
    EXPECT_FALSE(reader.damage().misplaced) << "silence is not damage";
}

TEST(MemoryLine, PacesBytesAtTheLineRate) {
    // 1 ms a byte: 50 bytes cannot arrive before 50 ms have passed.
    auto [a, b] = MemoryLine::open(1ms);
    std::vector<std::uint8_t> bytes(50, 0xAB);
    const auto start = Clock::now();
    ASSERT_EQ(a->write(bytes.data(), bytes.size(), start + 1s), IoStatus::Ok);
    std::vector<std::uint8_t> in(50);
    std::size_t got = 0;
    ASSERT_EQ(b->read(in.data(), 50, 50, start + 5s, got), IoStatus::Ok);
    EXPECT_EQ(got, 50u);
    EXPECT_GE(Clock::now() - start, 50ms);
    EXPECT_EQ(in, bytes);
}

TEST(MemoryLine, ClosingOneEndHangsUpTheOther) {
    auto [a, b] = MemoryLine::open(0ns);
    a->setRts(true);
    EXPECT_TRUE(b->waitCts(Clock::now() + 1s));
    a.reset();
    std::uint8_t byte = 0;
    std::size_t got = 0;
    EXPECT_EQ(b->read(&byte, 1, 1, Clock::now() + 1s, got), IoStatus::Hangup);
    EXPECT_EQ(b->write(&byte, 1, Clock::now() + 1s), IoStatus::Hangup);
    EXPECT_FALSE(b->waitCts(Clock::now() + 10ms));
}

TEST(MemoryLine, DiscardedOutputNeverArrivesAndAnInterruptEndsEveryWait) {
    // 10 ms a byte: 2,000 bytes queued, and dropped after the first few.
    auto [a, b] = MemoryLine::open(10ms);
    const std::vector<std::uint8_t> queued(2000, 0xAB);
    ASSERT_EQ(a->write(queued.data(), queued.size(), Clock::now() + 1s), IoStatus::Ok);
    std::vector<std::uint8_t> in(2000);
    std::size_t got = 0;
    ASSERT_EQ(b->read(in.data(), 5, 5, Clock::now() + 1s, got), IoStatus::Ok);
    a->discardOutput();
    const std::uint8_t next = 0xCD;
    ASSERT_EQ(a->write(&next, 1, Clock::now() + 1s), IoStatus::Ok);
    ASSERT_EQ(b->read(in.data(), 1, in.size(), Clock::now() + 1s, got), IoStatus::Ok);
    while (in[got - 1] != next)
        ASSERT_EQ(b->read(in.data(), 1, in.size(), Clock::now() + 1s, got), IoStatus::Ok);
    EXPECT_LT(got, 20u) << "dropped bytes still arrived";

    std::thread interrupter([end = a.get()] { end->interrupt(); });
    EXPECT_EQ(a->read(in.data(), 1, 1, Clock::now() + 60s, got), IoStatus::Hangup);
    interrupter.join();
    EXPECT_EQ(a->write(queued.data(), queued.size(), Clock::now() + 60s), IoStatus::Hangup);
    a->resume();
    EXPECT_EQ(a->write(&next, 1, Clock::now() + 1s), IoStatus::Ok);
}

TEST(MemoryLine, LineErrorsAreCountedAtTheReceivingEnd) {
    auto [a, b] = MemoryLine::open(0ns);
    ASSERT_EQ(a->writeFaulty(0x41, LineFault::Framing, Clock::now() + 1s), IoStatus::Ok);
    ASSERT_EQ(a->writeFaulty(0x42, LineFault::Overrun, Clock::now() + 1s), IoStatus::Ok);
    EXPECT_EQ(b->lineErrors().framing, 1u);
    EXPECT_EQ(b->lineErrors().overrun, 1u);
    EXPECT_EQ(a->lineErrors().framing, 0u);
}

// Runs a sender and a receiver on the two ends of a line.
DataResult transfer(const std::vector<std::uint8_t> &picture, std::vector<std::uint8_t> &received) {
    auto [a, b] = MemoryLine::open(0ns);
    received.assign(picture.size(), 0);
    DataResult sent{};
    std::thread sender([&, end = a.get()] {
        FrameReader reader(*end);
        FailureWitness witness(*end, reader);
        LinkTiming timing(end->byteTime());
        BlockSender s(*end, reader, witness, timing, picture.data(),
                      static_cast<std::uint32_t>(picture.size()));
        sent = s.run();
    });
    FrameReader reader(*b);
    FailureWitness witness(*b, reader);
    LinkTiming timing(b->byteTime());
    BlockReceiver r(*b, reader, witness, timing, received.data(),
                    static_cast<std::uint32_t>(picture.size()));
    const DataResult result = r.run();
    sender.join();
    EXPECT_EQ(sent, result);
    return result;
}

TEST(DataPhase, MovesPicturesOfEveryAwkwardSize) {
    for (const std::size_t size : {1u, 511u, 512u, 513u, 1024u, 65535u}) {
        std::vector<std::uint8_t> picture(size);
        std::iota(picture.begin(), picture.end(), static_cast<std::uint8_t>(size));
        std::vector<std::uint8_t> received;
        EXPECT_EQ(transfer(picture, received), DataResult::Done) << size;
        EXPECT_EQ(received, picture) << size;
    }
}

// Runs a sender against a receiver configured by `setUp`.
template <typename SetUp>
DataResult transferWith(const std::vector<std::uint8_t> &picture,
                        std::vector<std::uint8_t> &received, SetUp setUp, DataResult &sent) {
    auto [a, b] = MemoryLine::open(0ns);
    received.assign(picture.size(), 0);
    std::thread sender([&, end = a.get()] {
        FrameReader reader(*end);
        FailureWitness witness(*end, reader);
        LinkTiming timing(end->byteTime());
        sent = BlockSender(*end, reader, witness, timing, picture.data(),
                           static_cast<std::uint32_t>(picture.size()))
                   .run();
    });
    FrameReader reader(*b);
    FailureWitness witness(*b, reader);
    LinkTiming timing(b->byteTime());
    BlockReceiver receiver(*b, reader, witness, timing, received.data(),
                           static_cast<std::uint32_t>(picture.size()));
    setUp(receiver);
    const DataResult result = receiver.run();
    sender.join();
    return result;
}

TEST(DataPhase, RefusedBlocksAreSentAgainUntilTheLimit) {
    const std::vector<std::uint8_t> picture(5000, 0x3C);
    std::vector<std::uint8_t> received;
    DataResult sent{};
    int refusals = 0;
    const auto refuseFirst = [&](int count) {
        return [&, count](BlockReceiver &r) {
            refusals = 0;
            r.refuseBlocks([&, count] { return refusals++ < count; });
        };
    };
    EXPECT_EQ(transferWith(picture, received, refuseFirst(5), sent), DataResult::Done);
    EXPECT_EQ(sent, DataResult::Done);
    EXPECT_EQ(received, picture);
    // The first block refused every time: the sender stops after its limit.
    transferWith(picture, received, refuseFirst(1000), sent);
    EXPECT_EQ(sent, DataResult::Refused);
}

TEST(DataPhase, TheReceiverCanRejectAWholePicture) {
    auto [a, b] = MemoryLine::open(0ns);
    const std::vector<std::uint8_t> picture(3000, 0x5A);
    DataResult sent{};
    std::thread sender([&, end = a.get()] {
        FrameReader reader(*end);
        FailureWitness witness(*end, reader);
        LinkTiming timing(end->byteTime());
        sent = BlockSender(*end, reader, witness, timing, picture.data(), 3000).run();
    });
    std::vector<std::uint8_t> received(3000);
    FrameReader reader(*b);
    FailureWitness witness(*b, reader);
    LinkTiming timing(b->byteTime());
    BlockReceiver receiver(*b, reader, witness, timing, received.data(), 3000);
    receiver.acceptPicture([](const std::uint8_t *, std::size_t) { return false; });
    EXPECT_EQ(receiver.run(), DataResult::WrongData);
    sender.join();
    EXPECT_EQ(sent, DataResult::WrongData);
}

} // namespace
} // namespace ovaline
