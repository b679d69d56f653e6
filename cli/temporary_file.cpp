// SPDX-License-Identifier: MIT
#include "temporary_file.h"

#include "interruption.h"
#include "stale_temporaries.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ovaline::cli {

TemporaryFile::TemporaryFile(const std::filesystem::path &beside)
    : path_(beside.string() + ".XXXXXX") {
    fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
    valid_ = fd_ >= 0;
    if (!valid_) {
        error_ = std::strerror(errno);
        return;
    }
    removeOnInterruption(path_.c_str());
    ::flock(fd_, LOCK_EX);
}

TemporaryFile::~TemporaryFile() {
    if (fd_ < 0)
        return;
    ::unlink(path_.c_str());
    removeOnInterruption(nullptr);
    ::close(fd_);
}

bool TemporaryFile::write(const std::vector<std::uint8_t> &bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    const bool written = done == bytes.size() && ::fsync(fd_) == 0 && ::fchmod(fd_, 0644) == 0;
    if (!written)
        error_ = std::strerror(errno);
    return written;
}

bool TemporaryFile::moveTo(const std::filesystem::path &target) {
    if (std::rename(path_.c_str(), target.c_str()) != 0) {
        error_ = std::strerror(errno);
        return false;
    }
    removeOnInterruption(nullptr);
    ::close(fd_);
    fd_ = -1;
    return true;
}

void sweepStaleTemporaries(const std::filesystem::path &folder) {
    for (const std::filesystem::path &path : ourTemporaries(folder)) {
        // Never opened unless it is a plain file of ours; a live writer holds its lock.
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        // A writer takes its lock just after making the file: a fresh one is left alone.
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
            std::time(nullptr) - info.st_mtime > kFreshTemporary.count() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.c_str());
        ::close(fd);
    }
}

} // namespace ovaline::cli
