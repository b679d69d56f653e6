// SPDX-License-Identifier: MIT
// Building records and calling the library the way the program does.
#pragma once

#include "ovaline.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace ovaline::test {

// An 8-byte aligned record with the fixed values filled in.
struct alignas(8) AlignedBlock {
    TrafficBlock block{};
};

TrafficBlock makeBlock(std::uint32_t port, std::uint32_t baud, const std::string &letters, char arg,
                       const std::string &param, void *data, std::uint32_t length);

struct CommandResult {
    std::int32_t code = 0;
    std::string reply;
};

// Sends a command of the unit's table with the reply length of that table.
CommandResult command(const std::string &letters, char arg, const std::string &param = "  ",
                      std::uint32_t port = 1, std::uint32_t baud = 115200);

struct TransferResult {
    std::int32_t code = 0;
    std::uint32_t progress = 0;
    std::vector<std::uint8_t> bytes; // for a receive: the bytes that arrived
};

TransferResult receiveSlot(int slot, std::uint32_t port = 1, std::uint32_t baud = 115200,
                           std::uint32_t capacity = OVALINE_MAX_IMAGE);
TransferResult sendSlot(int slot, const std::vector<std::uint8_t> &picture, std::uint32_t port = 1,
                        std::uint32_t baud = 115200);

struct CancelOutcome {
    std::int32_t code = -1;
    std::chrono::nanoseconds latency{}; // from OvalineCancel to the end of the call
    std::chrono::steady_clock::time_point returned{};
};

// Runs the exchange of `record` on a worker thread and cancels it from this
// thread once its progress shows picture bytes moving.
CancelOutcome cancelInDataPhase(TrafficBlock &record);

// A valid JPEG of the given size, for sends.
std::vector<std::uint8_t> testPicture(int width, int height, int seed);

// A valid CMYK JPEG, its inks inverted as such files keep them: the left
// half red, the right half black.
std::vector<std::uint8_t> cmykTestPicture(int width, int height);

} // namespace ovaline::test
