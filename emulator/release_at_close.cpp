// SPDX-License-Identifier: MIT
#include "release_at_close.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace ovaline::emu {

std::unique_ptr<ReleaseAtClose> ReleaseAtClose::start(const std::string &path, int fd) {
    const int notify = ::inotify_init1(IN_CLOEXEC);
    const int stop = ::eventfd(0, EFD_CLOEXEC);
    if (notify < 0 || stop < 0 || ::inotify_add_watch(notify, path.c_str(), IN_CLOSE) < 0) {
        const int error = errno;
        if (notify >= 0)
            ::close(notify);
        if (stop >= 0)
            ::close(stop);
        errno = error;
        return nullptr;
    }
    // Signals are the main thread's to take: the new thread starts with them blocked.
    sigset_t all, previous;
    ::sigfillset(&all);
    ::pthread_sigmask(SIG_BLOCK, &all, &previous);
    std::unique_ptr<ReleaseAtClose> release(new ReleaseAtClose(notify, stop, fd));
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return release;
}

ReleaseAtClose::ReleaseAtClose(int notify, int stop, int fd)
    : notify_(notify), stop_(stop), fd_(fd), thread_([this] { run(); }) {}

ReleaseAtClose::~ReleaseAtClose() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(stop_, &one, sizeof one);
    thread_.join();
    ::close(notify_);
    ::close(stop_);
}

void ReleaseAtClose::run() const {
    alignas(inotify_event) char events[4096];
    for (;;) {
        pollfd waits[2] = {{notify_, POLLIN, 0}, {stop_, POLLIN, 0}};
        if (::poll(waits, 2, -1) < 0 && errno != EINTR)
            return;
        if (waits[1].revents != 0)
            return;
        // Closes, all of them (or the end of the watch: the device is gone).
        if (waits[0].revents != 0 && ::read(notify_, events, sizeof events) > 0)
            ::ioctl(fd_, TIOCNXCL);
    }
}

} // namespace ovaline::emu
