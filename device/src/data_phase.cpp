// SPDX-License-Identifier: MIT
#include "data_phase.h"

#include "crc.h"

#include <algorithm>

namespace ovaline {
namespace {

constexpr std::size_t kStatusFrame = kFrameOverhead + 1 + (65536 / kBlockSize) / 8;

std::uint32_t blockLength(std::uint32_t size, std::size_t index) {
    const std::size_t first = index * kBlockSize;
    return static_cast<std::uint32_t>(std::min<std::size_t>(kBlockSize, size - first));
}

bool isHeld(const std::vector<std::uint8_t> &map, std::size_t index) {
    const std::size_t byte = 1 + index / 8;
    return byte < map.size() && (map[byte] & (0x80u >> (index % 8))) != 0;
}

} // namespace

std::size_t blockCount(std::uint32_t size) {
    return (size + kBlockSize - 1) / kBlockSize;
}

std::chrono::nanoseconds dataPhaseBudget(const LinkTiming &timing, std::uint32_t size) {
    const std::size_t blockBytes = size + blockCount(size) * kFrameOverhead;
    const auto silentWait = 3 * timing.lineTime(kMaxFrame) + LinkTiming::kReaction;
    return kMaxLinePasses * timing.lineTime(blockBytes) + kMaxWaitedRounds * silentWait;
}

BlockSender::BlockSender(Transport &line, FrameReader &reader, FailureWitness &witness,
                         const LinkTiming &timing, const std::uint8_t *picture, std::uint32_t size)
    : line_(line), reader_(reader), witness_(witness), timing_(timing), picture_(picture),
      size_(size), held_(blockCount(size), false), naks_(blockCount(size), 0) {}

bool BlockSender::sendBlock(std::size_t index) {
    out_.clear();
    appendFrame(out_, FrameKind::Data, static_cast<std::uint16_t>(index),
                picture_ + index * kBlockSize, blockLength(size_, index));
    return writeTimed(line_, timing_, out_);
}

bool BlockSender::sendEnd() {
    std::vector<std::uint8_t> payload;
    putBe32(payload, size_);
    putBe32(payload, crc32(picture_, size_));
    return writeTimed(line_, timing_, encodeFrame(FrameKind::End, 0, payload));
}

bool BlockSender::handle(const Frame &frame, DataResult &result, bool &finished) {
    switch (frame.kind) {
    case FrameKind::Ack:
        if (frame.payload.size() == 4) {
            witness_.progressed();
            if (progress_)
                progress_(std::min(getBe32(frame.payload.data()), size_));
        }
        return false;
    case FrameKind::Nak:
        if (frame.seq < naks_.size()) {
            witness_.sawNak();
            refusedThisRound_ = true;
            if (++naks_[frame.seq] >= kMaxNaksPerBlock) {
                result = DataResult::Refused;
                finished = true;
            }
        }
        return false;
    case FrameKind::Status:
        if (frame.payload.empty())
            break;
        if (frame.payload[0] == status::kComplete) {
            if (progress_)
                progress_(size_);
            result = DataResult::Done;
            finished = true;
            return true;
        }
        if (frame.payload[0] == status::kWrong) {
            result = DataResult::WrongData;
            finished = true;
            return true;
        }
        if (frame.payload[0] == status::kMissing) {
            std::size_t count = 0;
            for (std::size_t i = 0; i < held_.size(); ++i) {
                held_[i] = isHeld(frame.payload, i);
                count += held_[i];
            }
            silentRounds_ = 0;
            if (count > heldCount_) {
                fruitlessRounds_ = 0;
                witness_.progressed();
            } else if (!refusedThisRound_ && ++fruitlessRounds_ >= kMaxFruitlessRounds) {
                result = DataResult::Stalled;
                finished = true;
            }
            heldCount_ = count;
            return true;
        }
        break;
    default:
        if (other_) {
            if (other_(frame)) {
                result = DataResult::Abandoned;
                finished = true;
            }
            return false;
        }
        break;
    }
    witness_.sawUnexpected();
    return false;
}

DataResult BlockSender::run() {
    end_ = Clock::now() + dataPhaseBudget(timing_, size_);
    return rounds();
}

DataResult BlockSender::rounds() {
    bool resendBlocks = true;
    DataResult result = DataResult::Done;
    bool finished = false;
    for (;;) {
        refusedThisRound_ = false;
        if (resendBlocks) {
            for (std::size_t i = 0; i < held_.size(); ++i) {
                if (held_[i])
                    continue;
                if (Clock::now() >= end_)
                    return DataResult::Stalled;
                if (!sendBlock(i))
                    return DataResult::WriteFailed;
                // Take in acknowledgements as they come, without waiting.
                Frame frame;
                while (reader_.next(frame, Clock::now()) == ReadStatus::Frame) {
                    handle(frame, result, finished);
                    if (finished)
                        return result;
                }
            }
        }
        if (!sendEnd())
            return DataResult::WriteFailed;
        const TimePoint deadline =
            std::min(end_, timing_.answerDeadline(line_.pendingOutput(), kStatusFrame));
        bool roundOver = false;
        while (!roundOver) {
            Frame frame;
            switch (reader_.next(frame, deadline)) {
            case ReadStatus::Frame:
                roundOver = handle(frame, result, finished);
                if (finished)
                    return result;
                resendBlocks = true;
                break;
            case ReadStatus::Timeout:
                // The End or the status was lost: ask again with a new End.
                witness_.sawSilence();
                reader_.discardPartial();
                if (++silentRounds_ >= kMaxSilentRounds || Clock::now() >= end_)
                    return DataResult::Stalled;
                resendBlocks = false;
                roundOver = true;
                break;
            case ReadStatus::Hangup:
            case ReadStatus::Error:
                return DataResult::LineGone;
            }
        }
    }
}

BlockReceiver::BlockReceiver(Transport &line, FrameReader &reader, FailureWitness &witness,
                             const LinkTiming &timing, std::uint8_t *buffer, std::uint32_t size)
    : line_(line), reader_(reader), witness_(witness), timing_(timing), buffer_(buffer),
      size_(size), held_(blockCount(size), false) {}

TimePoint BlockReceiver::nextDeadline() const {
    return std::min(end_, timing_.answerDeadline(line_.pendingOutput(), kMaxFrame));
}

bool BlockReceiver::sendStatus(std::uint8_t outcome) {
    std::vector<std::uint8_t> payload{outcome};
    if (outcome == status::kMissing) {
        payload.resize(1 + (held_.size() + 7) / 8, 0);
        for (std::size_t i = 0; i < held_.size(); ++i)
            if (held_[i])
                payload[1 + i / 8] |= static_cast<std::uint8_t>(0x80u >> (i % 8));
    }
    return writeTimed(line_, timing_, encodeFrame(FrameKind::Status, 0, payload));
}

bool BlockReceiver::takeBlock(const Frame &frame, bool &news) {
    if (frame.seq >= held_.size() || frame.payload.size() != blockLength(size_, frame.seq)) {
        witness_.sawUnexpected();
        return true;
    }
    if (refuse_ && refuse_()) {
        news = true; // a refusal is not a stall: it has its own limit
        const std::vector<std::uint8_t> reason{nak::kRefused};
        return writeTimed(line_, timing_, encodeFrame(FrameKind::Nak, frame.seq, reason));
    }
    if (!held_[frame.seq]) {
        std::copy(frame.payload.begin(), frame.payload.end(), buffer_ + frame.seq * kBlockSize);
        held_[frame.seq] = true;
        ++heldCount_;
        heldBytes_ += static_cast<std::uint32_t>(frame.payload.size());
        news = true;
        witness_.progressed();
        if (progress_)
            progress_(heldBytes_);
        advancePrefix();
    }
    if (!acknowledge_)
        return true;
    std::vector<std::uint8_t> held;
    putBe32(held, heldBytes_);
    return writeTimed(line_, timing_, encodeFrame(FrameKind::Ack, frame.seq, held));
}

void BlockReceiver::advancePrefix() {
    const std::size_t before = prefixBlocks_;
    while (prefixBlocks_ < held_.size() && held_[prefixBlocks_])
        ++prefixBlocks_;
    if (prefixBlocks_ != before && prefix_)
        prefix_(buffer_, std::min<std::uint32_t>(
                             size_, static_cast<std::uint32_t>(prefixBlocks_ * kBlockSize)));
}

DataResult BlockReceiver::run() {
    end_ = Clock::now() + dataPhaseBudget(timing_, size_);
    int silentRounds = 0;
    int fruitlessRounds = 0;
    bool newSinceStatus = false;
    TimePoint deadline = nextDeadline();
    for (;;) {
        Frame frame;
        switch (reader_.next(frame, deadline)) {
        case ReadStatus::Frame:
            break;
        case ReadStatus::Timeout:
            // No news for a whole wait: tell the sender what is still missing.
            witness_.sawSilence();
            reader_.discardPartial();
            if (++silentRounds >= kMaxSilentRounds || Clock::now() >= end_)
                return DataResult::Stalled;
            newSinceStatus = false;
            if (!sendStatus(status::kMissing))
                return DataResult::WriteFailed;
            deadline = nextDeadline();
            continue;
        case ReadStatus::Hangup:
        case ReadStatus::Error:
            return DataResult::LineGone;
        }

        if (frame.kind == FrameKind::Data) {
            bool news = false;
            if (!takeBlock(frame, news))
                return DataResult::WriteFailed;
            if (news) {
                silentRounds = 0;
                fruitlessRounds = 0;
                newSinceStatus = true;
                deadline = nextDeadline();
            }
            continue;
        }

        if (frame.kind == FrameKind::End && frame.payload.size() == 8 &&
            getBe32(frame.payload.data()) == size_) {
            silentRounds = 0;
            if (heldCount_ == held_.size()) {
                if (crc32(buffer_, size_) == getBe32(frame.payload.data() + 4)) {
                    const bool good = !accept_ || accept_(buffer_, size_);
                    if (!sendStatus(good ? status::kComplete : status::kWrong))
                        return DataResult::WriteFailed;
                    return good ? DataResult::Done : DataResult::WrongData;
                }
                // A block passed its own check damaged: fetch them all again.
                std::fill(held_.begin(), held_.end(), false);
                heldCount_ = 0;
                heldBytes_ = 0;
                prefixBlocks_ = 0;
                if (prefix_)
                    prefix_(buffer_, 0);
            }
            if (!newSinceStatus && ++fruitlessRounds >= kMaxFruitlessRounds)
                return DataResult::Stalled;
            newSinceStatus = false;
            if (!sendStatus(status::kMissing))
                return DataResult::WriteFailed;
            deadline = nextDeadline();
            continue;
        }

        if (other_) {
            if (other_(frame))
                return DataResult::Abandoned;
        } else {
            witness_.sawUnexpected();
        }
    }
}

} // namespace ovaline
