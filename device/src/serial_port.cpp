// SPDX-License-Identifier: MIT
#include "serial_port.h"

#include "fd_io.h"
#include "ovaline.h"
#include "tty_rates.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#if defined(__linux__)
#include <linux/serial.h>
#endif

namespace ovaline {
namespace {

// Gives up the port: exclusive access ends before the close, since another
// holder of the device (the unit's end of a pseudo-terminal keeps one) would
// otherwise keep it closed to every later open but root's.
void release(int fd) {
    ::ioctl(fd, TIOCNXCL);
    ::close(fd);
}

} // namespace

SerialPort::SerialPort(int fd, std::chrono::nanoseconds byteTime, bool modemLines,
                       const int wake[2])
    : fd_(fd), wake_{wake[0], wake[1]}, byteTime_(byteTime), modemLines_(modemLines),
      lineClock_(byteTime) {}

std::unique_ptr<SerialPort> SerialPort::open(const std::string &path, std::uint32_t baud,
                                             std::int32_t &code) {
    code = OVALINE_E_OPEN;
    // Only a character device can be a serial port; anything else is left
    // alone, not even opened.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISCHR(info.st_mode))
        return nullptr;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    termios settings{};
    if (!::isatty(fd) || ::tcgetattr(fd, &settings) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
        release(fd);
        return nullptr;
    }
    int lines = 0;
    const bool modemLines = ::ioctl(fd, TIOCMGET, &lines) == 0;

    // Raw 8N1: no echo, no line editing, no character translation and never
    // XON/XOFF, which would swallow picture bytes.
    ::cfmakeraw(&settings);
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | ISTRIP);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB);
    settings.c_cflag |= CS8 | CREAD | CLOCAL;
    if (modemLines)
        settings.c_cflag |= CRTSCTS;
    else
        settings.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    settings.c_cc[VMIN] = 1; // with O_NONBLOCK: no data reads as "try again", not as end
    settings.c_cc[VTIME] = 0;
    const speed_t speed = ttySpeed(baud);
    if (speed == B0 || ::cfsetispeed(&settings, speed) != 0 ||
        ::cfsetospeed(&settings, speed) != 0 || ::tcsetattr(fd, TCSANOW, &settings) != 0) {
        release(fd);
        code = OVALINE_E_SETUP;
        return nullptr;
    }
    int wake[2];
    if (::pipe2(wake, O_NONBLOCK | O_CLOEXEC) != 0) {
        release(fd);
        return nullptr;
    }
    code = OVALINE_OK;
    const auto byteTime = std::chrono::nanoseconds(10'000'000'000LL / baud);
    return std::unique_ptr<SerialPort>(new SerialPort(fd, byteTime, modemLines, wake));
}

SerialPort::~SerialPort() {
    // Let the last frame leave before the port closes.
    const TimePoint deadline = Clock::now() +
                               byteTime_ * static_cast<std::int64_t>(pendingOutput()) +
                               std::chrono::milliseconds(100);
    int queued = 0;
    while (::ioctl(fd_, TIOCOUTQ, &queued) == 0 && queued > 0 && Clock::now() < deadline)
        std::this_thread::sleep_for(byteTime_ * queued);
    if (modemLines_)
        setRts(false);
    release(fd_);
    ::close(wake_[0]);
    ::close(wake_[1]);
}

void SerialPort::interrupt() {
    interrupted_ = true;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wake_[1], &byte, 1);
}

void SerialPort::resume() {
    char bytes[16];
    while (::read(wake_[0], bytes, sizeof bytes) > 0) {
    }
    interrupted_ = false;
}

IoStatus SerialPort::write(const std::uint8_t *data, std::size_t size, TimePoint deadline) {
    return lineClock_.write(
        data, size, deadline, interrupted_, [this] { return pendingOutput(); },
        [this](TimePoint until) { return pauseUntil(until, wake_[0]); },
        [this, deadline](const std::uint8_t *piece, std::size_t n, std::size_t &moved) {
            const IoStatus status = writeAll(fd_, piece, n, deadline, wake_[0]);
            moved = status == IoStatus::Ok ? n : 0;
            return status;
        });
}

IoStatus SerialPort::read(std::uint8_t *buffer, std::size_t atLeast, std::size_t most,
                          TimePoint deadline, std::size_t &got) {
    got = 0;
    if (interrupted_)
        return IoStatus::Hangup;
    return readAtLeast(fd_, buffer, atLeast, most, deadline, got, wake_[0]);
}

std::size_t SerialPort::pendingOutput() {
    int queued = 0;
    if (::ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued < 0)
        queued = 0;
    return std::max(static_cast<std::size_t>(queued), lineClock_.onLine());
}

void SerialPort::discardInput() {
    ::tcflush(fd_, TCIFLUSH);
}

void SerialPort::discardOutput() {
    ::tcflush(fd_, TCOFLUSH);
    lineClock_.dropped();
}

void SerialPort::setRts(bool on) {
    int rts = TIOCM_RTS;
    ::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &rts);
}

bool SerialPort::waitCts(TimePoint deadline) {
    for (;;) {
        int lines = 0;
        if (::ioctl(fd_, TIOCMGET, &lines) != 0)
            return false;
        if (lines & TIOCM_CTS)
            return true;
        if (interrupted_ || Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

LineErrors SerialPort::lineErrors() {
    LineErrors errors;
#if defined(__linux__)
    serial_icounter_struct counts{};
    if (::ioctl(fd_, TIOCGICOUNT, &counts) == 0) {
        errors.framing = static_cast<std::uint64_t>(counts.frame);
        errors.overrun = static_cast<std::uint64_t>(counts.overrun);
        errors.queueOverflow = static_cast<std::uint64_t>(counts.buf_overrun);
    }
#endif
    return errors;
}

std::unique_ptr<OpenLine> openSerialPort(const std::string &name, std::uint32_t baud,
                                         std::int32_t &code) {
    return SerialPort::open(name, baud, code);
}

} // namespace ovaline
