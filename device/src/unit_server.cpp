// SPDX-License-Identifier: MIT
#include "unit_server.h"

#include "command_table.h"
#include "crc.h"
#include "data_phase.h"
#include "failure_witness.h"
#include "fingerprint.h"

namespace ovaline {
namespace {

constexpr int kOfferAttempts = 4;
constexpr std::uint32_t kMaxPicture = 65535;

} // namespace

UnitServer::UnitServer(Transport &line, UnitModel &model, UnitFaults faults)
    : line_(line), model_(model), faults_(faults), reader_(line) {}

bool UnitServer::answer(FrameKind kind, std::uint16_t seq,
                        const std::vector<std::uint8_t> &payload) {
    auto bytes = encodeFrame(kind, seq, payload);
    if (faults_.badEtx > 0) {
        --faults_.badEtx;
        bytes.back() = 0x04;
    }
    return writeTimed(line_, timing(), bytes);
}

bool UnitServer::refuseNext() {
    if (faults_.nak <= 0)
        return false;
    --faults_.nak;
    return true;
}

void UnitServer::serve(const std::function<bool()> &stop, std::chrono::milliseconds poll) {
    line_.setRts(!faults_.noCts);
    while (!stopping_ && !stop()) {
        Frame frame;
        if (pending_) {
            frame = std::move(*pending_);
            pending_.reset();
        } else {
            switch (reader_.next(frame, Clock::now() + poll)) {
            case ReadStatus::Frame:
                break;
            case ReadStatus::Timeout:
                continue;
            case ReadStatus::Hangup:
            case ReadStatus::Error:
                return;
            }
        }
        if (faults_.silent)
            continue;
        if (frame.kind == FrameKind::Command) {
            handleCommand(frame);
        } else if (frame.kind == FrameKind::End && frame.payload.size() == 8 &&
                   getBe32(frame.payload.data()) == lastSize_ &&
                   getBe32(frame.payload.data() + 4) == lastCrc_) {
            answer(FrameKind::Status, 0, {status::kComplete});
        }
    }
}

void UnitServer::handleCommand(const Frame &frame) {
    if (refuseNext()) {
        answer(FrameKind::Nak, frame.seq, {nak::kRefused});
        return;
    }
    if (faults_.badAck > 0) {
        --faults_.badAck;
        answer(FrameKind::Go, frame.seq);
        return;
    }
    const auto &p = frame.payload;
    if (p.size() != 11 || p[0] != kStx || p[6] != kEtx) {
        answer(FrameKind::Nak, frame.seq, {nak::kDamaged});
        return;
    }
    const std::uint32_t length = getBe32(p.data() + 7);
    if (isTransfer(static_cast<char>(p[1]), static_cast<char>(p[2]))) {
        const int slot = p[5] - '0';
        if (p[4] != '0' || slot < 1 || slot > 7 || (p[3] != '0' && p[3] != '1')) {
            answer(FrameKind::Nak, frame.seq, {nak::kUnknown});
            return;
        }
        if (slot == faults_.nakSlot) {
            answer(FrameKind::Nak, frame.seq, {nak::kRefused});
            return;
        }
        if (p[3] == '0')
            sendPicture(slot, length, frame);
        else
            takePicture(slot, length, frame);
        return;
    }
    if (faults_.old && isFingerprintQuery(static_cast<char>(p[1]), static_cast<char>(p[2]))) {
        answer(FrameKind::Nak, frame.seq, {nak::kUnknown});
        return;
    }
    const CommandAnswer result = model_.command(p.data());
    if (result.nak != 0)
        answer(FrameKind::Nak, frame.seq, {result.nak});
    else if (result.reply.size() != length)
        answer(FrameKind::Nak, frame.seq, {nak::kLength});
    else
        answer(FrameKind::Reply, frame.seq, result.reply);
}

bool UnitServer::endsTransfer(const Frame &frame, const Frame &command) {
    if (frame.kind == FrameKind::Abort) {
        line_.discardOutput();
        return true;
    }
    // A command asked again keeps its payload and counts its attempts.
    if (frame.kind != FrameKind::Command || (frame.seq != 0 && frame.payload == command.payload))
        return false;
    line_.discardOutput();
    pending_ = frame;
    return true;
}

void UnitServer::sendPicture(int slot, std::uint32_t capacity, const Frame &command) {
    (void)capacity; // the host checks the size against its buffer itself
    const SlotPicture picture = model_.picture(slot);
    if (picture.state == SlotPicture::State::NoSuchSlot) {
        answer(FrameKind::Nak, command.seq, {nak::kUnknown});
        return;
    }
    if (picture.state == SlotPicture::State::Empty) {
        answer(FrameKind::Empty, command.seq);
        return;
    }
    const auto size = static_cast<std::uint32_t>(picture.bytes.size());
    std::vector<std::uint8_t> header;
    putBe32(header, size);

    // Offer the picture until the host says go or quit.
    for (int offer = 0; offer < kOfferAttempts; ++offer) {
        if (!answer(FrameKind::Header, command.seq, header))
            return;
        const LinkTiming timing = this->timing();
        const TimePoint deadline = timing.answerDeadline(line_.pendingOutput(), 2 * kMaxFrame);
        Frame frame;
        for (;;) {
            const ReadStatus status = reader_.next(frame, deadline);
            if (status == ReadStatus::Hangup || status == ReadStatus::Error) {
                stopping_ = true;
                return;
            }
            if (status == ReadStatus::Timeout)
                break;
            if (frame.kind == FrameKind::Quit || endsTransfer(frame, command))
                return;
            if (frame.kind == FrameKind::Command)
                break; // the host asked again: offer again
            if (frame.kind != FrameKind::Go)
                continue;
            if (dataPhase_)
                dataPhase_();
            FailureWitness witness(line_, reader_);
            BlockSender sender(line_, reader_, witness, timing, picture.bytes.data(), size);
            sender.onOtherFrame([&](const Frame &other) { return endsTransfer(other, command); });
            if (sender.run() == DataResult::LineGone)
                stopping_ = true;
            return;
        }
    }
}

void UnitServer::takePicture(int slot, std::uint32_t size, const Frame &command) {
    if (size == 0 || size > kMaxPicture) {
        answer(FrameKind::Nak, 0, {nak::kLength});
        return;
    }
    if (const std::uint8_t reason = model_.canStore(slot, size)) {
        answer(FrameKind::Nak, 0, {reason});
        return;
    }
    std::vector<std::uint8_t> zero;
    putBe32(zero, 0);
    if (!answer(FrameKind::Ack, 0, zero))
        return;
    if (dataPhase_)
        dataPhase_();
    std::vector<std::uint8_t> picture(size);
    FailureWitness witness(line_, reader_);
    const LinkTiming timing = this->timing();
    BlockReceiver receiver(line_, reader_, witness, timing, picture.data(), size);
    receiver.acknowledgeBlocks(true);
    receiver.refuseBlocks([this] { return refuseNext(); });
    receiver.acceptPicture(
        [this](const std::uint8_t *data, std::size_t n) { return model_.acceptPicture(data, n); });
    receiver.onOtherFrame([&](const Frame &frame) {
        if (endsTransfer(frame, command))
            return true;
        // The host did not hear that we are ready and asks again.
        if (frame.kind == FrameKind::Command)
            answer(FrameKind::Ack, frame.seq, zero);
        return false;
    });
    switch (receiver.run()) {
    case DataResult::Done:
        lastSize_ = size;
        lastCrc_ = crc32(picture.data(), picture.size());
        model_.store(slot, std::move(picture));
        break;
    case DataResult::LineGone:
        stopping_ = true;
        break;
    default:
        break;
    }
}

} // namespace ovaline
