// SPDX-License-Identifier: MIT
// Frames on the wire:
//   STX | kind | seq (2) | length (2) | payload | CRC-16 (2) | ETX
// Numbers are big-endian; the CRC covers kind, seq, length and payload.
#pragma once

#include "transport.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ovaline {

inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kEtx = 0x03;
inline constexpr std::size_t kFrameOverhead = 9;
inline constexpr std::size_t kMaxPayload = 1024;
inline constexpr std::size_t kMaxFrame = kMaxPayload + kFrameOverhead;

enum class FrameKind : std::uint8_t {
    Command = 'C', // host -> unit: the 7-byte command frame and the data length
    Reply = 'R',   // unit -> host: the reply bytes of a command
    Nak = 'N',     // refusal; payload: one reason byte
    Empty = 'E',   // unit -> host: the slot asked for holds no picture
    Header = 'H',  // unit -> host: size of the picture about to be sent
    Go = 'G',      // host -> unit: send the picture
    Quit = 'Q',    // host -> unit: do not send the picture
    Ack = 'A',     // receiver -> sender: a good block; payload: bytes held so far
    Data = 'D',    // a block of picture data; seq is the block number
    End = 'Z',     // sender -> receiver: end of a round; payload: size and CRC-32
    Status = 'S',  // receiver -> sender: outcome of a round
    Abort = 'X',   // host -> unit: drop the exchange under way at once
};

// Reasons carried by a Nak frame.
namespace nak {
inline constexpr std::uint8_t kDamaged = 'C';   // the frame failed its check: send again
inline constexpr std::uint8_t kRefused = 'R';   // not now: send again
inline constexpr std::uint8_t kUnknown = 'U';   // command or argument the unit does not know
inline constexpr std::uint8_t kLength = 'L';    // length does not suit the command
inline constexpr std::uint8_t kProtected = 'P'; // the slot is protected
inline constexpr std::uint8_t kBusy = 'B';      // the unit is storing a picture
inline bool retryable(std::uint8_t reason) {
    return reason == kDamaged || reason == kRefused;
}
} // namespace nak

bool isFrameKind(std::uint8_t byte);

struct Frame {
    FrameKind kind{};
    std::uint16_t seq = 0;
    std::vector<std::uint8_t> payload;
};

void appendFrame(std::vector<std::uint8_t> &out, FrameKind kind, std::uint16_t seq,
                 const std::uint8_t *payload, std::size_t size);
std::vector<std::uint8_t> encodeFrame(FrameKind kind, std::uint16_t seq,
                                      const std::vector<std::uint8_t> &payload = {});

void putBe16(std::vector<std::uint8_t> &out, std::uint16_t value);
void putBe32(std::vector<std::uint8_t> &out, std::uint32_t value);
std::uint16_t getBe16(const std::uint8_t *p);
std::uint32_t getBe32(const std::uint8_t *p);

// What a reader had to throw away since its damage was last cleared.
struct Damage {
    bool misplaced = false; // bytes outside a frame, or a frame whose ETX was not in place
    bool badCheck = false;  // a delimited frame whose CRC did not match
};

enum class ReadStatus { Frame, Timeout, Hangup, Error };

// Cuts frames out of the byte stream. A damaged or shifted frame is skipped
// by searching for the next STX one byte further on, so a lost byte costs
// only the frame it was in; a frame cut short is given up as soon as a whole
// frame follows it.
class FrameReader {
public:
    explicit FrameReader(Transport &line) : line_(line) {}

    ReadStatus next(Frame &frame, TimePoint deadline);

    // Forgets the start of a frame that stopped arriving (the line fell
    // silent; that is not damage). A false start (a damaged byte that looks
    // like STX) is otherwise cleared only when the bytes it claims have
    // arrived and fail their check. The rest of the frame, should it come
    // late (a slow peer), is thrown away without counting as damage.
    void discardPartial();

    // Bytes of a frame that has not arrived whole.
    bool hasPartial() const { return available() > 0; }

    const Damage &damage() const { return damage_; }
    void clearDamage() { damage_ = {}; }

private:
    ReadStatus fill(std::size_t wanted, TimePoint deadline);
    // Waits for the frame at the start to be `total` bytes long. When its
    // bytes stop coming while a whole frame lies inside what came, the frame
    // was cut short (its sender dropped its output): `cut` is set and the
    // reader moves on to the inner frame.
    ReadStatus fillFrame(std::size_t total, TimePoint deadline, bool &cut);
    // Offset of the first whole frame inside the one at the start; 0 if none.
    std::size_t innerFrame() const;
    std::size_t available() const { return buffer_.size() - start_; }
    void skip(std::size_t count);
    // Skips `count` bytes that are no good frame: damage of that kind,
    // unless they may be the late rest of a frame discarded before.
    void throwAway(std::size_t count, bool Damage::*kind);

    Transport &line_;
    std::vector<std::uint8_t> buffer_;
    std::size_t start_ = 0;
    Damage damage_;
    std::size_t consumed_ = 0; // bytes skipped since the last discardPartial()
    std::size_t lateRest_ = 0; // of those, how many may be a discarded frame's rest
};

} // namespace ovaline
