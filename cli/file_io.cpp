// SPDX-License-Identifier: MIT
#include "file_io.h"

#include "describe.h"
#include "interruption.h"
#include "ovaline.h"
#include "temporary_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ovaline::cli {
namespace {

std::optional<std::string> kindOf(const struct stat &info) {
    if (S_ISREG(info.st_mode))
        return std::nullopt;
    if (S_ISFIFO(info.st_mode))
        return "a FIFO";
    if (S_ISSOCK(info.st_mode))
        return "a socket";
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        return "a device";
    if (S_ISDIR(info.st_mode))
        return "a folder";
    return "no regular file";
}

} // namespace

std::optional<std::string> otherThanFile(const std::filesystem::path &path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return kindOf(info);
}

bool writeWhole(const std::filesystem::path &path, const std::vector<std::uint8_t> &bytes,
                std::string &error) {
    TemporaryFile temporary(path);
    if (!temporary.valid()) {
        error = "cannot create " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(temporary.fd(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    const bool written = done == bytes.size() && ::fsync(temporary.fd()) == 0;
    if (!written || ::fchmod(temporary.fd(), 0644) != 0 || !temporary.moveTo(path)) {
        error = "cannot write " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool savePicture(int slot, const std::filesystem::path &path,
                 const std::vector<std::uint8_t> &picture, std::string &error) {
    const DeferredInterruptions deferred;
    if (!writeWhole(path, picture, error))
        return false;
    std::printf("slot %d: %s bytes -> %s\n", slot, groupDigits(picture.size()).c_str(),
                path.c_str());
    return true;
}

bool readPicture(const std::filesystem::path &path, std::vector<std::uint8_t> &bytes,
                 std::string &error) {
    const auto refuse = [&](const std::string &kind) {
        error = path.string() + " is " + kind + ", not a picture file";
        return false;
    };
    if (const auto kind = otherThanFile(path))
        return refuse(*kind);
    // Opened without blocking, and looked at again: it may have been swapped.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot open " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    struct stat info {};
    const std::optional<std::string> kind =
        ::fstat(fd, &info) == 0 ? kindOf(info) : std::optional<std::string>("unreadable");
    bytes.resize(OVALINE_MAX_IMAGE + 1);
    std::size_t n = 0;
    bool failed = false;
    while (!kind && n < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + n, bytes.size() - n);
        if (got < 0 && errno == EINTR)
            continue;
        failed = got < 0;
        if (got <= 0)
            break;
        n += static_cast<std::size_t>(got);
    }
    ::close(fd);
    if (kind)
        return refuse(*kind);
    if (failed) {
        error = "cannot read " + path.string();
        return false;
    }
    if (n == 0) {
        error = path.string() + " is empty";
        return false;
    }
    if (n > OVALINE_MAX_IMAGE) {
        error = path.string() + " is larger than a slot holds (65,535 bytes)";
        return false;
    }
    bytes.resize(n);
    return true;
}

} // namespace ovaline::cli
