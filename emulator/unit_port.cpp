// SPDX-License-Identifier: MIT
#include "unit_port.h"

#include "tty_rates.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace ovaline::emu {
namespace {

bool makeRaw(int fd, speed_t speed, bool flowControl) {
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0)
        return false;
    ::cfmakeraw(&settings);
    settings.c_cflag |= CREAD | CLOCAL;
    if (flowControl)
        settings.c_cflag |= CRTSCTS;
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    if (speed != B0 &&
        (::cfsetispeed(&settings, speed) != 0 || ::cfsetospeed(&settings, speed) != 0))
        return false;
    return ::tcsetattr(fd, TCSANOW, &settings) == 0;
}

std::string lastError(const std::string &what) {
    return what + ": " + std::strerror(errno);
}

} // namespace

UnitPort::UnitPort(int fd, int rateFd, std::string hostPath, bool modemLines,
                   std::unique_ptr<ReleaseAtClose> release)
    : fd_(fd), rateFd_(rateFd), hostPath_(std::move(hostPath)), modemLines_(modemLines),
      release_(std::move(release)) {}

UnitPort::UnitPort(UnitPort &&other) noexcept
    : fd_(other.fd_), rateFd_(other.rateFd_), hostPath_(std::move(other.hostPath_)),
      modemLines_(other.modemLines_), release_(std::move(other.release_)) {
    other.fd_ = -1;
    other.rateFd_ = -1;
}

UnitPort::~UnitPort() {
    release_.reset(); // it uses rateFd_
    if (rateFd_ >= 0 && rateFd_ != fd_)
        ::close(rateFd_);
    if (fd_ >= 0)
        ::close(fd_);
}

std::uint32_t UnitPort::rate() const {
    return ttyRate(rateFd_);
}

std::optional<UnitPort> UnitPort::openPty(std::string &error) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        error = lastError("cannot make a pseudo-terminal");
        if (master >= 0)
            ::close(master);
        return std::nullopt;
    }
    const char *name = ::ptsname(master);
    const std::string path = name ? name : "";
    const int host = path.empty() ? -1 : ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    // The host's side starts raw, so nothing is echoed or translated even
    // before the host first sets it up.
    if (host < 0 || !makeRaw(host, B9600, false)) {
        error = lastError("cannot set up the pseudo-terminal");
        if (host >= 0)
            ::close(host);
        ::close(master);
        return std::nullopt;
    }
    std::unique_ptr<ReleaseAtClose> release = ReleaseAtClose::start(path, host);
    if (!release) {
        error = lastError("cannot follow the closes of " + path);
        ::close(host);
        ::close(master);
        return std::nullopt;
    }
    return UnitPort(master, host, path, false, std::move(release));
}

std::optional<UnitPort> UnitPort::openDevice(const std::string &path, std::uint32_t baud,
                                             std::string &error) {
    const speed_t speed = ttySpeed(baud);
    if (speed == B0) {
        error = "the rate must be one of 2400, 4800, 9600, 19200, 38400, 57600, 115200";
        return std::nullopt;
    }
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = lastError("cannot open " + path);
        return std::nullopt;
    }
    int lines = 0;
    const bool modemLines = ::ioctl(fd, TIOCMGET, &lines) == 0;
    if (!::isatty(fd) || !makeRaw(fd, speed, modemLines)) {
        error = path + " is not a serial port that takes " + std::to_string(baud) + " bit/s";
        ::close(fd);
        return std::nullopt;
    }
    return UnitPort(fd, fd, path, modemLines);
}

} // namespace ovaline::emu
