// SPDX-License-Identifier: MIT
// The host's side of one exchange with the unit: the handshake, a command
// with its reply, or a picture transfer in either direction.
#pragma once

#include "data_phase.h"
#include "failure_witness.h"
#include "frame.h"
#include "link_timing.h"
#include "transport.h"

#include <cstdint>
#include <initializer_list>

namespace ovaline {

// Attempts of a command frame before the exchange is given up.
inline constexpr int kCommandAttempts = 4;

class HostSession {
public:
    explicit HostSession(Transport &line);

    // No attempt of the command frame starts after `limit`, and no wait for
    // the handshake or for the command's answer lasts beyond it. A data
    // phase, once begun, runs to its end.
    void setLimit(TimePoint limit) { limit_ = limit; }

    // Each returns 0 or a result code 100..113.
    std::int32_t command(const std::uint8_t frame[7], std::uint8_t *reply, std::uint32_t length);
    // `prefix` follows the picture's first bytes while they arrive; the
    // caller's buffer takes the picture only once it is whole.
    std::int32_t receive(const std::uint8_t frame[7], std::uint8_t *buffer, std::uint32_t capacity,
                         const ProgressFn &progress, const PrefixFn &prefix = {});
    std::int32_t send(const std::uint8_t frame[7], const std::uint8_t *picture, std::uint32_t size,
                      const ProgressFn &progress);

    // After a cancel, on a line usable again: drops what is still queued for
    // the unit and tells it to drop the exchange.
    void abort();

private:
    std::int32_t handshake();
    // Sends the command frame until an answer of one of the kinds arrives.
    std::int32_t request(const std::uint8_t frame[7], std::uint32_t length,
                         std::initializer_list<FrameKind> answers, std::size_t answerSize,
                         Frame &answer);
    bool write(FrameKind kind, std::uint16_t seq, const std::vector<std::uint8_t> &payload = {});
    std::int32_t dataFailure(DataResult result, std::int32_t silence, std::int32_t lineGone);

    Transport &line_;
    LinkTiming timing_;
    FrameReader reader_;
    FailureWitness witness_;
    TimePoint limit_ = TimePoint::max();
};

} // namespace ovaline
