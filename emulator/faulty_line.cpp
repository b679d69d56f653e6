// SPDX-License-Identifier: MIT
#include "faulty_line.h"

#include <algorithm>
#include <optional>

namespace ovaline::emu {

FaultyLine::FaultyLine(Transport &inner, const LineFaults &faults, MemoryLine::End *memoryEnd)
    : ForwardingTransport(inner), faults_(faults), memoryEnd_(memoryEnd),
      dice_(faults.seed ? *faults.seed : std::random_device{}()) {}

bool FaultyLine::chance(double probability) {
    if (probability <= 0)
        return false;
    return std::uniform_real_distribution<double>(0.0, 1.0)(dice_) < probability;
}

std::uint8_t FaultyLine::damage(std::uint8_t byte) {
    // Flip one to eight bits, never none.
    const auto mask = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(1, 255)(dice_));
    return static_cast<std::uint8_t>(byte ^ mask);
}

bool FaultyLine::countAndCheck(std::size_t bytes) {
    if (!dataPhase_)
        return dead_;
    dataBytes_ += static_cast<long long>(bytes);
    const auto fire = [this](bool &state, long long after, const char *what) {
        if (state || after < 0 || dataBytes_ < after)
            return;
        state = true;
        if (fired_)
            fired_(std::string(what) + " after " + std::to_string(after) +
                   " bytes of a data phase");
    };
    fire(dead_, faults_.hangupAfter, "hangup fault: the line went silent");
    fire(unplugged_, faults_.unplugAfter, "unplug fault: the line was pulled");
    return dead_ || unplugged_;
}

IoStatus FaultyLine::write(const std::uint8_t *data, std::size_t size, TimePoint deadline) {
    if (unplugged_)
        return IoStatus::Hangup;
    if (dead_)
        return IoStatus::Ok; // the bytes go nowhere
    std::size_t allowed = size;
    if (dataPhase_) {
        for (const long long limit : {faults_.hangupAfter, faults_.unplugAfter})
            if (limit >= 0)
                allowed =
                    std::min(allowed, static_cast<std::size_t>(std::clamp<long long>(
                                          limit - dataBytes_, 0, static_cast<long long>(size))));
    }
    countAndCheck(size);
    scratch_.clear();
    for (std::size_t i = 0; i < allowed; ++i) {
        const std::uint8_t byte = data[i];
        std::optional<LineFault> lineFault;
        if (memoryEnd_ && chance(faults_.framing))
            lineFault = LineFault::Framing;
        else if (memoryEnd_ && chance(faults_.overrun))
            lineFault = LineFault::Overrun;
        if (lineFault) {
            // Deliver what is there so far, then the byte with its line error.
            if (!scratch_.empty()) {
                if (const IoStatus s = inner_.write(scratch_.data(), scratch_.size(), deadline);
                    s != IoStatus::Ok)
                    return s;
                scratch_.clear();
            }
            if (const IoStatus s = memoryEnd_->writeFaulty(damage(byte), *lineFault, deadline);
                s != IoStatus::Ok)
                return s;
            continue;
        }
        if (chance(faults_.drop))
            continue;
        scratch_.push_back(chance(faults_.flip) ? damage(byte) : byte);
    }
    if (scratch_.empty())
        return IoStatus::Ok;
    return inner_.write(scratch_.data(), scratch_.size(), deadline);
}

IoStatus FaultyLine::read(std::uint8_t *buffer, std::size_t atLeast, std::size_t most,
                          TimePoint deadline, std::size_t &got) {
    got = 0;
    for (;;) {
        if (unplugged_)
            return IoStatus::Hangup;
        std::size_t n = 0;
        const IoStatus status =
            inner_.read(buffer + got, std::max<std::size_t>(1, atLeast - std::min(atLeast, got)),
                        most - got, deadline, n);
        // Damage what arrived, in place.
        std::size_t kept = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (dead_ || unplugged_ || countAndCheck(1))
                break;
            const std::uint8_t byte = buffer[got + i];
            if (chance(faults_.drop))
                continue;
            buffer[got + kept++] = chance(faults_.flip) ? damage(byte) : byte;
        }
        got += kept;
        if (status != IoStatus::Ok || got >= atLeast)
            return got >= atLeast && status == IoStatus::Ok ? IoStatus::Ok : status;
    }
}

} // namespace ovaline::emu
