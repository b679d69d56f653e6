// SPDX-License-Identifier: MIT
#include "running_exchanges.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

namespace ovaline {
namespace {

std::mutex registryMutex;
std::unordered_map<const TrafficBlock *, RunningExchange *> running;
// Records cancelled while their call was still to begin.
std::unordered_set<const TrafficBlock *> cancelledEarly;

} // namespace

RunningExchange::RunningExchange(const TrafficBlock *block) : block_(block) {
    std::lock_guard lock(registryMutex);
    running[block] = this;
    cancelled_ = cancelledEarly.erase(block) > 0;
}

RunningExchange::~RunningExchange() {
    std::lock_guard lock(registryMutex);
    if (const auto it = running.find(block_); it != running.end() && it->second == this)
        running.erase(it);
}

void RunningExchange::attach(OpenLine &line) {
    std::lock_guard lock(registryMutex);
    line_ = &line;
    if (cancelled_)
        line.interrupt();
}

void RunningExchange::detach() {
    std::lock_guard lock(registryMutex);
    line_ = nullptr;
}

bool RunningExchange::cancelled() const {
    std::lock_guard lock(registryMutex);
    return cancelled_;
}

void RunningExchange::publishPrefix(const std::uint8_t *picture, std::uint32_t length) {
    std::lock_guard lock(registryMutex);
    // Only the new bytes are copied; a shorter run means the picture started over.
    const std::size_t kept = std::min<std::size_t>(prefix_.size(), length);
    prefix_.resize(kept);
    prefix_.insert(prefix_.end(), picture + kept, picture + length);
}

std::int32_t copyReceivedPrefix(const TrafficBlock *block, std::uint8_t *buffer,
                                std::uint32_t size) {
    std::lock_guard lock(registryMutex);
    const auto it = running.find(block);
    if (it == running.end())
        return -1;
    const std::vector<std::uint8_t> &prefix = it->second->prefix_;
    const std::size_t count = std::min<std::size_t>(prefix.size(), size);
    if (count > 0)
        std::memcpy(buffer, prefix.data(), count);
    return static_cast<std::int32_t>(count);
}

bool cancelExchange(const TrafficBlock *block) {
    std::lock_guard lock(registryMutex);
    if (const auto it = running.find(block); it != running.end()) {
        it->second->cancelled_ = true;
        if (it->second->line_)
            it->second->line_->interrupt();
        return true;
    }
    if (OvalineLoadBusy(block) == 0)
        return false;
    cancelledEarly.insert(block);
    return true;
}

} // namespace ovaline
