// SPDX-License-Identifier: MIT
#include "unit_port.h"

#include "fd_io.h"
#include "release_at_close.h"
#include "tty_rates.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
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

// A tty's descriptor, non-blocking, moving bytes as fast as it takes them.
class TtyPort final : public UnitPort, public Transport {
public:
    TtyPort(int fd, int rateFd, std::string hostPath, bool modemLines,
            std::unique_ptr<ReleaseAtClose> release = nullptr)
        : fd_(fd), rateFd_(rateFd), hostPath_(std::move(hostPath)), modemLines_(modemLines),
          release_(std::move(release)) {}
    ~TtyPort() override {
        release_.reset(); // it uses rateFd_
        if (rateFd_ != fd_)
            ::close(rateFd_);
        ::close(fd_);
    }

    Transport &line() override { return *this; }
    const std::string &hostPath() const override { return hostPath_; }
    std::uint32_t rate() const override { return ttyRate(rateFd_); }

    IoStatus write(const std::uint8_t *data, std::size_t size, TimePoint deadline) override {
        return writeAll(fd_, data, size, deadline);
    }
    IoStatus read(std::uint8_t *buffer, std::size_t atLeast, std::size_t most, TimePoint deadline,
                  std::size_t &got) override {
        return readAtLeast(fd_, buffer, atLeast, most, deadline, got);
    }
    std::size_t pendingOutput() override { return 0; }
    void discardInput() override { ::tcflush(fd_, TCIFLUSH); }
    void discardOutput() override { ::tcflush(fd_, TCOFLUSH); }
    std::chrono::nanoseconds byteTime() const override {
        const std::uint32_t baud = rate();
        return std::chrono::nanoseconds(10'000'000'000LL / (baud ? baud : 9600));
    }
    bool hasModemLines() const override { return modemLines_; }
    void setRts(bool on) override {
        if (!modemLines_)
            return;
        int rts = TIOCM_RTS;
        ::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &rts);
    }
    bool waitCts(TimePoint deadline) override {
        if (!modemLines_)
            return true;
        for (;;) {
            int lines = 0;
            if (::ioctl(fd_, TIOCMGET, &lines) == 0 && (lines & TIOCM_CTS))
                return true;
            if (Clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    LineErrors lineErrors() override { return {}; }

private:
    int fd_;
    // On a pseudo-terminal: our own descriptor of the host's side. Keeping it
    // open means the host closing its port does not hang up ours, and it
    // shows the rate the host set. Through it, release_ ends the exclusive
    // access of a host that closed the line without ending it.
    int rateFd_;
    std::string hostPath_;
    bool modemLines_;
    std::unique_ptr<ReleaseAtClose> release_;
};

} // namespace

std::unique_ptr<UnitPort> UnitPort::openPty(std::string &error) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        error = lastError("cannot make a pseudo-terminal");
        if (master >= 0)
            ::close(master);
        return nullptr;
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
        return nullptr;
    }
    std::unique_ptr<ReleaseAtClose> release = ReleaseAtClose::start(path, host);
    if (!release) {
        error = lastError("cannot follow the closes of " + path);
        ::close(host);
        ::close(master);
        return nullptr;
    }
    return std::make_unique<TtyPort>(master, host, path, false, std::move(release));
}

std::unique_ptr<UnitPort> UnitPort::openDevice(const std::string &path, std::uint32_t baud,
                                               std::string &error) {
    const speed_t speed = ttySpeed(baud);
    if (speed == B0) {
        error = "the rate must be one of 2400, 4800, 9600, 19200, 38400, 57600, 115200";
        return nullptr;
    }
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = lastError("cannot open " + path);
        return nullptr;
    }
    int lines = 0;
    const bool modemLines = ::ioctl(fd, TIOCMGET, &lines) == 0;
    if (!::isatty(fd) || !makeRaw(fd, speed, modemLines)) {
        error = path + " is not a serial port that takes " + std::to_string(baud) + " bit/s";
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<TtyPort>(fd, fd, path, modemLines);
}

} // namespace ovaline::emu
