// SPDX-License-Identifier: MIT
#include "host_session.h"

#include "ovaline.h"

#include <algorithm>
#include <cstring>

namespace ovaline {

HostSession::HostSession(Transport &line)
    : line_(line), timing_(line.byteTime()), reader_(line), witness_(line, reader_) {}

bool HostSession::write(FrameKind kind, std::uint16_t seq,
                        const std::vector<std::uint8_t> &payload) {
    return writeTimed(line_, timing_, encodeFrame(kind, seq, payload));
}

void HostSession::abort() {
    line_.discardOutput();
    write(FrameKind::Abort, 0);
}

std::int32_t HostSession::handshake() {
    line_.discardInput();
    if (!line_.hasModemLines())
        return OVALINE_OK;
    line_.setRts(true);
    const TimePoint deadline = std::min(Clock::now() + LinkTiming::kCtsWait, limit_);
    return line_.waitCts(deadline) ? OVALINE_OK : OVALINE_E_HANDSHAKE;
}

std::int32_t HostSession::request(const std::uint8_t frame[7], std::uint32_t length,
                                  std::initializer_list<FrameKind> answers, std::size_t answerSize,
                                  Frame &answer) {
    std::vector<std::uint8_t> payload(frame, frame + 7);
    putBe32(payload, length);
    const std::size_t commandSize = payload.size() + kFrameOverhead;
    for (int attempt = 0; attempt < kCommandAttempts && Clock::now() < limit_; ++attempt) {
        reader_.discardPartial();
        if (!write(FrameKind::Command, static_cast<std::uint16_t>(attempt), payload))
            return OVALINE_E_WRITE;
        const TimePoint deadline = std::min(
            timing_.answerDeadline(line_.pendingOutput(), commandSize + answerSize), limit_);
        for (;;) {
            const ReadStatus status = reader_.next(answer, deadline);
            if (status == ReadStatus::Hangup || status == ReadStatus::Error)
                return OVALINE_E_TIMEOUT;
            if (status == ReadStatus::Timeout) {
                witness_.sawSilence();
                break;
            }
            if (std::find(answers.begin(), answers.end(), answer.kind) != answers.end())
                return OVALINE_OK;
            if (answer.kind == FrameKind::Nak) {
                witness_.sawNak();
                if (answer.payload.size() != 1 || !nak::retryable(answer.payload[0]))
                    return OVALINE_E_NAK;
                break;
            }
            // A stray frame, such as a late answer to an earlier exchange.
            witness_.sawUnexpected();
        }
    }
    return witness_.code(OVALINE_E_TIMEOUT);
}

std::int32_t HostSession::dataFailure(DataResult result, std::int32_t silence,
                                      std::int32_t lineGone) {
    switch (result) {
    case DataResult::Done:
        return OVALINE_OK;
    case DataResult::Stalled:
        return witness_.code(silence);
    case DataResult::Refused:
        return OVALINE_E_NAK;
    case DataResult::WrongData:
        return OVALINE_E_WRONG_DATA;
    case DataResult::WriteFailed:
        return OVALINE_E_WRITE;
    case DataResult::LineGone:
        return lineGone;
    case DataResult::Abandoned:
        break;
    }
    return silence;
}

std::int32_t HostSession::command(const std::uint8_t frame[7], std::uint8_t *reply,
                                  std::uint32_t length) {
    if (const std::int32_t code = handshake())
        return code;
    Frame answer;
    if (const std::int32_t code =
            request(frame, length, {FrameKind::Reply}, length + kFrameOverhead, answer))
        return code;
    if (answer.payload.size() != length)
        return OVALINE_E_INVALID_ACK;
    std::memcpy(reply, answer.payload.data(), length);
    return OVALINE_OK;
}

std::int32_t HostSession::receive(const std::uint8_t frame[7], std::uint8_t *buffer,
                                  std::uint32_t capacity, const ProgressFn &progress,
                                  const PrefixFn &prefix) {
    if (const std::int32_t code = handshake())
        return code;
    Frame answer;
    if (const std::int32_t code = request(frame, capacity, {FrameKind::Header, FrameKind::Empty},
                                          4 + kFrameOverhead, answer))
        return code;
    if (answer.kind == FrameKind::Empty)
        return OVALINE_E_EMPTY_SLOT;
    if (answer.payload.size() != 4)
        return OVALINE_E_INVALID_ACK;
    const std::uint32_t size = getBe32(answer.payload.data());
    if (size == 0 || size > capacity || size > OVALINE_MAX_IMAGE) {
        write(FrameKind::Quit, 0);
        return OVALINE_E_QUEUE_OVERFLOW;
    }
    if (!write(FrameKind::Go, 0))
        return OVALINE_E_WRITE;
    witness_.progressed();

    // The caller's buffer takes the picture only once it is whole.
    std::vector<std::uint8_t> picture(size);
    BlockReceiver receiver(line_, reader_, witness_, timing_, picture.data(), size);
    receiver.onProgress(progress);
    receiver.onPrefix(prefix);
    receiver.onOtherFrame([&](const Frame &frame) {
        // Our Go was lost and the unit offers the picture again.
        if (frame.kind == FrameKind::Header)
            write(FrameKind::Go, 0);
        else
            witness_.sawUnexpected();
        return false;
    });
    const std::int32_t code = dataFailure(receiver.run(), OVALINE_E_TIMEOUT, OVALINE_E_TIMEOUT);
    if (code == OVALINE_OK)
        std::memcpy(buffer, picture.data(), size);
    return code;
}

std::int32_t HostSession::send(const std::uint8_t frame[7], const std::uint8_t *picture,
                               std::uint32_t size, const ProgressFn &progress) {
    if (const std::int32_t code = handshake())
        return code;
    Frame answer;
    if (const std::int32_t code =
            request(frame, size, {FrameKind::Ack}, 4 + kFrameOverhead, answer))
        return code;
    witness_.progressed();

    BlockSender sender(line_, reader_, witness_, timing_, picture, size);
    sender.onProgress(progress);
    // While we send, a port that hangs up has stopped taking our bytes.
    return dataFailure(sender.run(), OVALINE_E_ACK_TIMEOUT, OVALINE_E_WRITE);
}

} // namespace ovaline
