// SPDX-License-Identifier: MIT
// Watches the sizes of the program's allocations through operator new: a
// test binary that links allocation_probe.cpp sees the largest one.
#pragma once

#include <atomic>
#include <cstddef>

namespace ovaline::test {

// The largest single allocation since a test last set it to 0.
extern std::atomic<std::size_t> largestAllocation;

} // namespace ovaline::test
