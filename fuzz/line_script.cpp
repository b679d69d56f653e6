// SPDX-License-Identifier: MIT
#include "line_script.h"

#include "crc.h"
#include "data_phase.h"
#include "frame.h"
#include "ovaline.h"

#include <algorithm>
#include <array>

namespace ovaline::fuzz {
namespace {

constexpr std::array<FrameKind, 11> kKinds{FrameKind::Command, FrameKind::Reply,  FrameKind::Nak,
                                           FrameKind::Empty,   FrameKind::Header, FrameKind::Go,
                                           FrameKind::Quit,    FrameKind::Ack,    FrameKind::Data,
                                           FrameKind::End,     FrameKind::Status};

class Input {
public:
    Input(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}
    bool done() const { return next_ >= size_; }
    std::uint8_t byte() { return done() ? 0 : data_[next_++]; }
    std::uint16_t be16() { return static_cast<std::uint16_t>((byte() << 8) | byte()); }
    // Up to n bytes, fewer when the input ends first.
    std::vector<std::uint8_t> bytes(std::size_t n) {
        const std::size_t take = std::min(n, size_ - next_);
        std::vector<std::uint8_t> out(data_ + next_, data_ + next_ + take);
        next_ += take;
        return out;
    }

private:
    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t next_ = 0;
};

// The picture the Data frames of a script make up, block by block.
class SentPicture {
public:
    void add(std::uint16_t seq, const std::vector<std::uint8_t> &block) {
        const std::size_t first = std::size_t{seq} * kBlockSize;
        if (first >= bytes_.size() || block.empty())
            return;
        const std::size_t n = std::min(block.size(), bytes_.size() - first);
        std::copy_n(block.begin(), n, bytes_.begin() + static_cast<std::ptrdiff_t>(first));
        size_ = std::max(size_, first + n);
    }
    std::vector<std::uint8_t> end() const {
        std::vector<std::uint8_t> payload;
        putBe32(payload, static_cast<std::uint32_t>(size_));
        putBe32(payload, crc32(bytes_.data(), size_));
        return payload;
    }

private:
    std::vector<std::uint8_t> bytes_ = std::vector<std::uint8_t>(OVALINE_MAX_IMAGE);
    std::size_t size_ = 0;
};

} // namespace

std::vector<std::uint8_t> decodeLineScript(const std::uint8_t *data, std::size_t size) {
    Input in(data, size);
    SentPicture picture;
    std::vector<std::uint8_t> out;
    while (!in.done()) {
        const std::uint8_t tag = in.byte();
        if (tag < 0x80) {
            const auto raw = in.bytes(std::size_t{tag} + 1);
            out.insert(out.end(), raw.begin(), raw.end());
            continue;
        }
        const FrameKind kind = kKinds[(tag & 0x0F) % kKinds.size()];
        const std::uint16_t seq = in.be16();
        std::vector<std::uint8_t> payload = in.bytes(in.be16() % (kMaxPayload + 1));
        if (kind == FrameKind::Data)
            picture.add(seq, payload);
        if (kind == FrameKind::End && payload.empty())
            payload = picture.end();
        appendFrame(out, kind, seq, payload.data(), payload.size());
    }
    return out;
}

} // namespace ovaline::fuzz
