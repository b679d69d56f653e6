// SPDX-License-Identifier: MIT
// What the Linux and the Windows way of catching Ctrl-C share: the signal
// caught, the deferrals alive, the file to remove and the words to end
// with. A signal handler reads them, so they are lock-free atomics.
#pragma once

#include <atomic>
#include <string>

namespace ovaline::cli::interrupted {

static_assert(std::atomic<int>::is_always_lock_free);
static_assert(std::atomic<const char *>::is_always_lock_free);

// The signal caught, or 0.
extern std::atomic<int> caught;
// How many DeferredInterruptions live.
extern std::atomic<int> deferring;
// The file a signal removes as it ends the program, or nullptr.
extern std::atomic<const char *> temporary;
// What the end says, in the user's language: made by prepareText() before
// a signal can come, since a handler may only write it out.
extern std::string text;

void prepareText();

} // namespace ovaline::cli::interrupted
