// SPDX-License-Identifier: MIT
// Calls into the device library for ovaline-cli: commands, and transfers
// that report their progress while they run. Each exchange runs on a worker
// thread, so that Ctrl-C or SIGTERM cancels it; the program then ends.
#pragma once

#include "ovaline.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ovaline::cli {

class UnitClient {
public:
    UnitClient(std::uint32_t port, std::uint32_t baud) : port_(port), baud_(baud) {}

    // The reply, or the library's result code in `code`.
    std::string command(const std::string &letters, char arg, const std::string &param,
                        std::int32_t &code) const;

    using Progress = std::function<void(std::uint32_t bytes)>;

    // Receives slot 1..7; the picture's bytes, or empty with `code` set.
    std::vector<std::uint8_t> receive(int slot, const Progress &progress, std::int32_t &code) const;
    std::int32_t send(int slot, const std::vector<std::uint8_t> &picture,
                      const Progress &progress) const;

    // The device the port opens, and why it does not open (empty: no
    // cause found).
    std::string deviceName() const;
    std::string openFailureCause() const;

private:
    TrafficBlock block(const std::string &letters, char arg, const std::string &param, void *data,
                       std::uint32_t length) const;
    std::int32_t run(TrafficBlock &block, const Progress &progress) const;

    std::uint32_t port_;
    std::uint32_t baud_;
};

// The reply length the unit gives for a command of its table.
std::uint32_t replyLength(const std::string &letters);

} // namespace ovaline::cli
