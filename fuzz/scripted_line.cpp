// SPDX-License-Identifier: MIT
#include "scripted_line.h"

#include <algorithm>
#include <cstring>

namespace ovaline::fuzz {

ScriptedLine::ScriptedLine(std::vector<std::uint8_t> script, std::chrono::nanoseconds byteTime)
    : script_(std::move(script)), byteTime_(byteTime) {}

IoStatus ScriptedLine::write(const std::uint8_t *, std::size_t size, TimePoint) {
    written_ += size;
    return IoStatus::Ok;
}

IoStatus ScriptedLine::read(std::uint8_t *buffer, std::size_t atLeast, std::size_t most, TimePoint,
                            std::size_t &got) {
    got = std::min(most, script_.size() - next_);
    if (got > 0)
        std::memcpy(buffer, script_.data() + next_, got);
    next_ += got;
    if (got >= atLeast)
        return IoStatus::Ok;
    if (++silentReads_ >= kSilentReadLimit)
        return IoStatus::Hangup;
    return IoStatus::Timeout;
}

} // namespace ovaline::fuzz
