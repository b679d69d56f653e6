// SPDX-License-Identifier: MIT
#include "temporary_file.h"

#include "interruption.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <regex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ovaline::cli {
namespace {

constexpr std::chrono::seconds kFresh{10};

} // namespace

TemporaryFile::TemporaryFile(const std::filesystem::path &beside)
    : path_(beside.string() + ".XXXXXX") {
    fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
    if (fd_ < 0)
        return;
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

bool TemporaryFile::moveTo(const std::filesystem::path &target) {
    const bool moved = std::rename(path_.c_str(), target.c_str()) == 0;
    const int error = errno;
    if (moved) {
        removeOnInterruption(nullptr);
        ::close(fd_);
        fd_ = -1;
    }
    errno = error;
    return moved;
}

void sweepStaleTemporaries(const std::filesystem::path &folder) {
    static const std::regex kOurs(R"((slot[1-7]\.jpg|\.ovaline-cli)\.[A-Za-z0-9]{6})");
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!std::regex_match(name, kOurs))
            continue;
        // Never opened unless it is a plain file of ours; a live writer holds its lock.
        const int fd = ::open(entry.path().c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        // A writer takes its lock just after making the file: a fresh one is left alone.
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
            std::time(nullptr) - info.st_mtime > kFresh.count() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(entry.path().c_str());
        ::close(fd);
    }
}

} // namespace ovaline::cli
