// SPDX-License-Identifier: MIT
// The unit's end of a line with the line faults of a fault list applied to
// everything it sends and receives.
#pragma once

#include "faults.h"
#include "forwarding_transport.h"
#include "memory_line.h"

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace ovaline::emu {

class FaultyLine final : public ForwardingTransport {
public:
    // `memoryEnd` is the same line when it is an in-memory one: only there
    // can a byte be delivered with a line error the host counts.
    FaultyLine(Transport &inner, const LineFaults &faults, MemoryLine::End *memoryEnd);

    // From here on the bytes count toward the hang-up fault.
    void beginDataPhase() { dataPhase_ = true; }

    // Called once when the hang-up or the unplug fault fires, with what
    // happened in words.
    void onFired(std::function<void(const std::string &)> fn) { fired_ = std::move(fn); }

    IoStatus write(const std::uint8_t *data, std::size_t size, TimePoint deadline) override;
    IoStatus read(std::uint8_t *buffer, std::size_t atLeast, std::size_t most, TimePoint deadline,
                  std::size_t &got) override;

private:
    bool chance(double probability);
    std::uint8_t damage(std::uint8_t byte);
    // Counts bytes toward the hang-up; true once the line is dead.
    bool countAndCheck(std::size_t bytes);

    LineFaults faults_;
    MemoryLine::End *memoryEnd_;
    std::mt19937_64 dice_;
    bool dataPhase_ = false;
    bool dead_ = false;      // silent: bytes go nowhere
    bool unplugged_ = false; // gone: every operation reports a hang-up
    long long dataBytes_ = 0;
    std::vector<std::uint8_t> scratch_;
    std::function<void(const std::string &)> fired_;
};

} // namespace ovaline::emu
