// SPDX-License-Identifier: MIT
#include "allocation_probe.h"

#include <cstdlib>
#include <new>

namespace ovaline::test {

std::atomic<std::size_t> largestAllocation{0};

} // namespace ovaline::test

// Replaces the global operator new of the test binary; in a file of its own,
// so the compiler pairs no inlined delete with it.
void *operator new(std::size_t size) {
    std::size_t seen = ovaline::test::largestAllocation.load();
    while (size > seen && !ovaline::test::largestAllocation.compare_exchange_weak(seen, size)) {
    }
    if (void *memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void *memory) noexcept {
    std::free(memory);
}

void operator delete(void *memory, std::size_t) noexcept {
    std::free(memory);
}
