// SPDX-License-Identifier: MIT
#include "interruption.h"

#include "cli_text.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace ovaline::cli {
namespace {

volatile std::sig_atomic_t caught = 0;
// The handler may only write to a descriptor; waits poll the other end.
int wakeFds[2] = {-1, -1};

void onSignal(int signal) {
    caught = signal;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeFds[1], &byte, 1);
}

} // namespace

void catchInterruptions() {
    if (::pipe2(wakeFds, O_NONBLOCK | O_CLOEXEC) != 0)
        return; // the signals keep their default: the program simply ends
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

int interruption() {
    return caught;
}

bool waitForInterruption(std::chrono::milliseconds timeout) {
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
    std::fprintf(stderr, "ovaline-cli: %s\n", translate("Cli", "interrupted"));
    std::exit(128 + caught);
}

} // namespace ovaline::cli
