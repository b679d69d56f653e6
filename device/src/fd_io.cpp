#include "fd_io.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace ovaline {

int pollTimeout(TimePoint deadline) {
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero())
        return 0;
    // Round up, so a wait never ends just before its deadline.
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

IoStatus writeAll(int fd, const std::uint8_t *data, std::size_t size, TimePoint deadline) {
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
            return (errno == EIO || errno == ENXIO || errno == ENODEV) ? IoStatus::Hangup
                                                                       : IoStatus::Error;
        pollfd p{fd, POLLOUT, 0};
        const int ready = ::poll(&p, 1, pollTimeout(deadline));
        if (ready < 0 && errno != EINTR)
            return IoStatus::Error;
        if (ready == 0 && Clock::now() >= deadline)
            return IoStatus::Timeout;
        if (ready > 0 && (p.revents & (POLLERR | POLLNVAL)))
            return IoStatus::Error;
        if (ready > 0 && (p.revents & POLLHUP))
            return IoStatus::Hangup;
    }
    return IoStatus::Ok;
}

IoStatus readAtLeast(int fd, std::uint8_t *buffer, std::size_t atLeast, std::size_t most,
                     TimePoint deadline, std::size_t &got) {
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
                return IoStatus::Hangup;
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                return (errno == EIO || errno == ENXIO || errno == ENODEV) ? IoStatus::Hangup
                                                                           : IoStatus::Error;
        }
        if (got >= atLeast)
            return IoStatus::Ok;
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, pollTimeout(deadline));
        if (ready < 0 && errno != EINTR)
            return IoStatus::Error;
        if (ready == 0 && Clock::now() >= deadline)
            return IoStatus::Timeout;
        if (ready > 0 && (p.revents & (POLLERR | POLLNVAL)))
            return IoStatus::Error;
        if (ready > 0 && (p.revents & POLLHUP) && !(p.revents & POLLIN))
            return IoStatus::Hangup;
    }
}

} // namespace ovaline
