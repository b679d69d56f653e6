// SPDX-License-Identifier: MIT
// The data phase of a picture transfer, the same in both directions.
//
// The sender streams every block the receiver lacks, then an End frame with
// the picture's size and CRC-32. The receiver answers an End (or a silence)
// with a Status frame: complete, wrong, or the map of blocks it holds. The
// sender then sends the missing blocks again. A damaged block therefore costs
// only its own retransmission, and the line never waits for an answer per
// block.
#pragma once

#include "failure_witness.h"
#include "frame.h"
#include "link_timing.h"
#include "transport.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace ovaline {

inline constexpr std::size_t kBlockSize = 512;
// Waits in a row that end in silence before the transfer is given up: a
// dead line is noticed quickly.
inline constexpr int kMaxSilentRounds = 4;
// Answered rounds in a row that bring no new block: a bad line is given
// many chances, since each round costs only the blocks still missing.
inline constexpr int kMaxFruitlessRounds = 16;
// Refusals of one block before the transfer is given up.
inline constexpr int kMaxNaksPerBlock = 8;
// Times the picture may cross the line in one transfer: once, and seven
// more times as retransmissions.
inline constexpr int kMaxLinePasses = 8;
// Rounds of one transfer that may each end in a silent wait (a lost End or
// status costs one).
inline constexpr int kMaxWaitedRounds = 40;

std::size_t blockCount(std::uint32_t size);

// The longest a data phase of `size` bytes may last, whatever the peer
// sends: the picture's blocks crossing the line kMaxLinePasses times, and
// kMaxWaitedRounds silent waits.
std::chrono::nanoseconds dataPhaseBudget(const LinkTiming &timing, std::uint32_t size);

namespace status {
inline constexpr std::uint8_t kComplete = 'K';
inline constexpr std::uint8_t kMissing = 'M';
inline constexpr std::uint8_t kWrong = 'W';
} // namespace status

enum class DataResult {
    Done,
    Stalled,     // silence, or rounds without progress, beyond their limits
    Refused,     // a block was refused kMaxNaksPerBlock times
    WrongData,   // the receiver rejected the whole picture
    WriteFailed, // the port would not take our bytes
    LineGone,    // the port reported a hang-up or an error
    Abandoned    // a frame of the peer ended the transfer (an abort, a new command)
};

using ProgressFn = std::function<void(std::uint32_t bytes)>;
// Told the picture's first `length` bytes, which are whole and final, each
// time that run of bytes changes.
using PrefixFn = std::function<void(const std::uint8_t *picture, std::uint32_t length)>;

class BlockSender {
public:
    BlockSender(Transport &line, FrameReader &reader, FailureWitness &witness,
                const LinkTiming &timing, const std::uint8_t *picture, std::uint32_t size);

    // Called with the byte count the receiver reports holding.
    void onProgress(ProgressFn fn) { progress_ = std::move(fn); }
    // Frames that belong to the exchange around the data phase; the handler
    // returns true when the frame ends the transfer.
    void onOtherFrame(std::function<bool(const Frame &)> fn) { other_ = std::move(fn); }

    DataResult run();

private:
    DataResult rounds();
    bool sendBlock(std::size_t index);
    bool sendEnd();
    // Handles one incoming frame; returns true when it ends the round.
    bool handle(const Frame &frame, DataResult &result, bool &finished);

    Transport &line_;
    FrameReader &reader_;
    FailureWitness &witness_;
    const LinkTiming &timing_;
    const std::uint8_t *picture_;
    std::uint32_t size_;
    std::vector<bool> held_;
    std::vector<int> naks_;
    std::size_t heldCount_ = 0;
    int silentRounds_ = 0;
    int fruitlessRounds_ = 0;
    bool refusedThisRound_ = false; // a refusal is not a stall: it has its own limit
    std::vector<std::uint8_t> out_;
    TimePoint end_{}; // the end of the data phase's budget
    ProgressFn progress_;
    std::function<bool(const Frame &)> other_;
};

class BlockReceiver {
public:
    BlockReceiver(Transport &line, FrameReader &reader, FailureWitness &witness,
                  const LinkTiming &timing, std::uint8_t *buffer, std::uint32_t size);

    // Called with the number of picture bytes held, after every new block.
    void onProgress(ProgressFn fn) { progress_ = std::move(fn); }
    // Called when the blocks held from the picture's start without a gap
    // grow, and with 0 when a whole-picture check drops every block.
    void onPrefix(PrefixFn fn) { prefix_ = std::move(fn); }
    // Acknowledge each good block (the sender shows progress from these).
    void acknowledgeBlocks(bool on) { acknowledge_ = on; }
    // Returns true to refuse a block (it is answered with a Nak).
    void refuseBlocks(std::function<bool()> fn) { refuse_ = std::move(fn); }
    // The last check of a complete picture; false answers "wrong".
    void acceptPicture(std::function<bool(const std::uint8_t *, std::size_t)> fn) {
        accept_ = std::move(fn);
    }
    void onOtherFrame(std::function<bool(const Frame &)> fn) { other_ = std::move(fn); }

    DataResult run();

private:
    bool sendStatus(std::uint8_t outcome);
    // The end of the wait for the next frame that brings news. Frames
    // without news (stray, repeated or out of range) do not move it.
    TimePoint nextDeadline() const;
    // Takes one Data frame; false when the answer could not be written.
    bool takeBlock(const Frame &frame, bool &news);
    // Moves past the blocks now held from the start and says so.
    void advancePrefix();

    Transport &line_;
    FrameReader &reader_;
    FailureWitness &witness_;
    const LinkTiming &timing_;
    std::uint8_t *buffer_;
    std::uint32_t size_;
    std::vector<bool> held_;
    std::size_t heldCount_ = 0;
    std::uint32_t heldBytes_ = 0;
    std::size_t prefixBlocks_ = 0; // blocks held from the start without a gap
    bool acknowledge_ = false;
    ProgressFn progress_;
    PrefixFn prefix_;
    std::function<bool()> refuse_;
    std::function<bool(const std::uint8_t *, std::size_t)> accept_;
    std::function<bool(const Frame &)> other_;
    TimePoint end_{}; // the end of the data phase's budget
};

} // namespace ovaline
