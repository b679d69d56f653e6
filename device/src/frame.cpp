// SPDX-License-Identifier: MIT
#include "frame.h"

#include "crc.h"

#include <algorithm>

namespace ovaline {

bool isFrameKind(std::uint8_t byte) {
    switch (static_cast<FrameKind>(byte)) {
    case FrameKind::Command:
    case FrameKind::Reply:
    case FrameKind::Nak:
    case FrameKind::Empty:
    case FrameKind::Header:
    case FrameKind::Go:
    case FrameKind::Quit:
    case FrameKind::Abort:
    case FrameKind::Ack:
    case FrameKind::Data:
    case FrameKind::End:
    case FrameKind::Status:
        return true;
    }
    return false;
}

void putBe16(std::vector<std::uint8_t> &out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void putBe32(std::vector<std::uint8_t> &out, std::uint32_t value) {
    putBe16(out, static_cast<std::uint16_t>(value >> 16));
    putBe16(out, static_cast<std::uint16_t>(value));
}

std::uint16_t getBe16(const std::uint8_t *p) {
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

std::uint32_t getBe32(const std::uint8_t *p) {
    return (static_cast<std::uint32_t>(getBe16(p)) << 16) | getBe16(p + 2);
}

void appendFrame(std::vector<std::uint8_t> &out, FrameKind kind, std::uint16_t seq,
                 const std::uint8_t *payload, std::size_t size) {
    const std::size_t first = out.size();
    out.push_back(kStx);
    out.push_back(static_cast<std::uint8_t>(kind));
    putBe16(out, seq);
    putBe16(out, static_cast<std::uint16_t>(size));
    out.insert(out.end(), payload, payload + size);
    putBe16(out, crc16(out.data() + first + 1, 5 + size));
    out.push_back(kEtx);
}

std::vector<std::uint8_t> encodeFrame(FrameKind kind, std::uint16_t seq,
                                      const std::vector<std::uint8_t> &payload) {
    std::vector<std::uint8_t> out;
    out.reserve(payload.size() + kFrameOverhead);
    appendFrame(out, kind, seq, payload.data(), payload.size());
    return out;
}

ReadStatus FrameReader::fill(std::size_t wanted, TimePoint deadline) {
    while (available() < wanted) {
        const std::size_t missing = wanted - available();
        const std::size_t old = buffer_.size();
        const std::size_t room = std::max<std::size_t>(missing, 4096);
        buffer_.resize(old + room);
        std::size_t got = 0;
        const IoStatus status = line_.read(buffer_.data() + old, missing, room, deadline, got);
        buffer_.resize(old + got);
        switch (status) {
        case IoStatus::Ok:
            break;
        case IoStatus::Timeout:
            return ReadStatus::Timeout;
        case IoStatus::Hangup:
            return ReadStatus::Hangup;
        case IoStatus::Error:
            return ReadStatus::Error;
        }
    }
    return ReadStatus::Frame;
}

namespace {

// A pause this long in the middle of a frame means its bytes stopped coming.
constexpr auto kStall = std::chrono::milliseconds(20);

} // namespace

ReadStatus FrameReader::fillFrame(std::size_t total, TimePoint deadline, bool &cut) {
    cut = false;
    while (available() < total) {
        const std::size_t before = available();
        const TimePoint pause = Clock::now() + 8 * line_.byteTime() + kStall;
        const ReadStatus status = fill(total, std::min(deadline, pause));
        if (status != ReadStatus::Timeout)
            return status;
        if (available() == before) {
            if (const std::size_t inner = innerFrame()) {
                throwAway(inner, &Damage::misplaced);
                cut = true;
                return ReadStatus::Frame;
            }
            // Silent through a whole pause: wait for the next byte up to the
            // deadline, then look again in short pauses.
            const ReadStatus more = fill(available() + 1, deadline);
            if (more != ReadStatus::Frame)
                return more;
            continue;
        }
        if (Clock::now() >= deadline)
            return ReadStatus::Timeout;
    }
    return ReadStatus::Frame;
}

std::size_t FrameReader::innerFrame() const {
    const std::uint8_t *base = buffer_.data() + start_;
    const std::size_t size = available();
    for (std::size_t i = 1; i + kFrameOverhead <= size; ++i) {
        const std::uint8_t *head = base + i;
        if (head[0] != kStx || !isFrameKind(head[1]))
            continue;
        const std::size_t length = getBe16(head + 4);
        if (length > kMaxPayload || i + length + kFrameOverhead > size)
            continue;
        if (head[length + kFrameOverhead - 1] == kEtx &&
            crc16(head + 1, 5 + length) == getBe16(head + 6 + length))
            return i;
    }
    return 0;
}

void FrameReader::discardPartial() {
    lateRest_ = 0;
    if (available() > 0 && buffer_[start_] == kStx) {
        const std::uint8_t *head = buffer_.data() + start_;
        const bool headed =
            available() >= 6 && isFrameKind(head[1]) && getBe16(head + 4) <= kMaxPayload;
        const std::size_t total = headed ? getBe16(head + 4) + kFrameOverhead : kMaxFrame;
        lateRest_ = total > available() ? total - available() : 0;
    }
    buffer_.clear();
    start_ = 0;
    consumed_ = 0;
}

void FrameReader::throwAway(std::size_t count, bool Damage::*kind) {
    if (consumed_ + count > lateRest_)
        damage_.*kind = true;
    skip(count);
}

void FrameReader::skip(std::size_t count) {
    consumed_ += count;
    start_ += count;
    if (start_ == buffer_.size()) {
        buffer_.clear();
        start_ = 0;
    } else if (start_ > 65536) {
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(start_));
        start_ = 0;
    }
}

ReadStatus FrameReader::next(Frame &frame, TimePoint deadline) {
    for (;;) {
        // Find the start of a frame; what lies before it is debris.
        const auto begin = buffer_.begin() + static_cast<std::ptrdiff_t>(start_);
        const auto stx = std::find(begin, buffer_.end(), kStx);
        if (stx != begin)
            throwAway(static_cast<std::size_t>(stx - begin), &Damage::misplaced);
        ReadStatus status = fill(6, deadline);
        if (status != ReadStatus::Frame)
            return status;

        const std::uint8_t *head = buffer_.data() + start_;
        const std::size_t length = getBe16(head + 4);
        if (!isFrameKind(head[1]) || length > kMaxPayload) {
            throwAway(1, &Damage::misplaced);
            continue;
        }
        const std::size_t total = length + kFrameOverhead;
        bool cut = false;
        status = fillFrame(total, deadline, cut);
        if (status != ReadStatus::Frame)
            return status;
        if (cut)
            continue;

        head = buffer_.data() + start_;
        if (head[total - 1] != kEtx) {
            throwAway(1, &Damage::misplaced);
            continue;
        }
        if (crc16(head + 1, 5 + length) != getBe16(head + 6 + length)) {
            throwAway(1, &Damage::badCheck);
            continue;
        }
        frame.kind = static_cast<FrameKind>(head[1]);
        frame.seq = getBe16(head + 2);
        frame.payload.assign(head + 6, head + 6 + length);
        skip(total);
        lateRest_ = 0; // what follows a good frame is no late rest
        return ReadStatus::Frame;
    }
}

} // namespace ovaline
