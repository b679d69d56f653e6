// SPDX-License-Identifier: MIT
// Waits on a condition that another process brings about, with a deadline.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace ovaline::test {

// Checks the condition every few milliseconds until it holds or 20 s pass.
inline bool waitFor(const std::function<bool()> &condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

} // namespace ovaline::test
