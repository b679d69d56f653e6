// SPDX-License-Identifier: MIT
#include "interruption.h"

#include "interruption_state.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace ovaline::cli {
namespace {

using namespace interrupted;

// The handler may only write to a descriptor; waits poll the other end.
int wakeFds[2] = {-1, -1};

void onSignal(int signal) {
    caught = signal;
    if (deferring.load() > 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(wakeFds[1], &byte, 1);
        return;
    }
    // Only async-signal-safe calls from here on: the program may be anywhere.
    if (const char *path = temporary.load())
        ::unlink(path);
    [[maybe_unused]] const ssize_t said = ::write(STDERR_FILENO, text.data(), text.size());
    ::_exit(128 + signal);
}

} // namespace

void catchInterruptions() {
    prepareText();
    if (::pipe2(wakeFds, O_NONBLOCK | O_CLOEXEC) != 0)
        return; // the signals keep their default: the program simply ends
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

bool waitForInterruption(std::chrono::milliseconds timeout) {
    const DeferredInterruptions deferred;
    if (caught == 0 && wakeFds[0] >= 0) {
        pollfd wake{wakeFds[0], POLLIN, 0};
        ::poll(&wake, 1, static_cast<int>(timeout.count()));
        char bytes[16];
        while (::read(wakeFds[0], bytes, sizeof bytes) > 0) {
        }
    }
    return caught != 0;
}

void endInterrupted() {
    if (const char *path = temporary.load())
        ::unlink(path);
    std::fputs(text.c_str(), stderr);
    // Standard output is flushed at each line already; flushing it again
    // could block on output that nobody reads.
    ::_exit(128 + caught);
}

} // namespace ovaline::cli
