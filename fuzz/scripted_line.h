// SPDX-License-Identifier: MIT
// A line whose far end plays a script: reads deliver the script's bytes as
// fast as they are asked for, writes are taken and counted. The line keeps
// no clock. Once the script has run out it is silent: a read reports its
// deadline passed at once, since no byte will ever come, so a side that
// waits for an answer gives up without the time its wait would take. A
// side that keeps waiting all the same is told the line hung up after
// kSilentReadLimit such reads, and silentReads() shows it.
#pragma once

#include "transport.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ovaline::fuzz {

class ScriptedLine final : public Transport {
public:
    static constexpr std::size_t kSilentReadLimit = 1000;

    ScriptedLine(std::vector<std::uint8_t> script, std::chrono::nanoseconds byteTime);

    IoStatus write(const std::uint8_t *data, std::size_t size, TimePoint deadline) override;
    IoStatus read(std::uint8_t *buffer, std::size_t atLeast, std::size_t most, TimePoint deadline,
                  std::size_t &got) override;
    std::size_t pendingOutput() override { return 0; }
    // The script arrives as it is read: nothing is waiting to be dropped.
    void discardInput() override {}
    std::chrono::nanoseconds byteTime() const override { return byteTime_; }
    bool hasModemLines() const override { return false; }
    void setRts(bool) override {}
    bool waitCts(TimePoint) override { return true; }
    LineErrors lineErrors() override { return {}; }

    // Reads that found the script spent.
    std::size_t silentReads() const { return silentReads_; }
    std::size_t bytesWritten() const { return written_; }

private:
    std::vector<std::uint8_t> script_;
    std::size_t next_ = 0;
    std::chrono::nanoseconds byteTime_;
    std::size_t silentReads_ = 0;
    std::size_t written_ = 0;
};

} // namespace ovaline::fuzz
