// SPDX-License-Identifier: MIT
#include "fd_io.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace ovaline {
namespace {

// What a failed read or write means: the device gone, or another error.
IoStatus failureOf(int error) {
    return (error == EIO || error == ENXIO || error == ENODEV) ? IoStatus::Hangup : IoStatus::Error;
}

// Waits for the port to be ready for `events`; Ok when it is.
IoStatus waitFor(int fd, short events, TimePoint deadline, int wakeFd) {
    pollfd polled[2] = {{fd, events, 0}, {wakeFd, POLLIN, 0}};
    const int ready = ::poll(polled, wakeFd < 0 ? 1 : 2, pollTimeout(deadline));
    if (ready < 0)
        return errno == EINTR ? IoStatus::Ok : IoStatus::Error;
    if (ready == 0)
        return Clock::now() >= deadline ? IoStatus::Timeout : IoStatus::Ok;
    if (wakeFd >= 0 && polled[1].revents != 0)
        return IoStatus::Hangup;
    const pollfd &p = polled[0];
    if (p.revents & (POLLERR | POLLNVAL))
        return IoStatus::Error;
    if ((p.revents & POLLHUP) && !(p.revents & events))
        return IoStatus::Hangup;
    return IoStatus::Ok;
}

} // namespace

int pollTimeout(TimePoint deadline) {
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero())
        return 0;
    // Round up, so a wait never ends just before its deadline.
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

bool pauseUntil(TimePoint until, int wakeFd) {
    pollfd wake{wakeFd, POLLIN, 0};
    for (;;) {
        const int ready = ::poll(&wake, 1, pollTimeout(until));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

IoStatus writeAll(int fd, const std::uint8_t *data, std::size_t size, TimePoint deadline,
                  int wakeFd) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return failureOf(errno);
        if (const IoStatus status = waitFor(fd, POLLOUT, deadline, wakeFd); status != IoStatus::Ok)
            return status;
    }
    return IoStatus::Ok;
}

IoStatus readAtLeast(int fd, std::uint8_t *buffer, std::size_t atLeast, std::size_t most,
                     TimePoint deadline, std::size_t &got, int wakeFd) {
    got = 0;
    for (;;) {
        if (got < most) {
            const ssize_t n = ::read(fd, buffer + got, most - got);
            if (n > 0) {
                got += static_cast<std::size_t>(n);
                if (got >= atLeast)
                    return IoStatus::Ok;
                continue;
            }
            if (n == 0)
                return IoStatus::Hangup; // VMIN is 1: no data reads as "again", not as 0
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                return failureOf(errno);
        }
        if (got >= atLeast)
            return IoStatus::Ok;
        if (const IoStatus status = waitFor(fd, POLLIN, deadline, wakeFd); status != IoStatus::Ok)
            return status;
    }
}

} // namespace ovaline
