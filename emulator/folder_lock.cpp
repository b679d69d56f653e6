// SPDX-License-Identifier: MIT
#include "folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace ovaline::emu {

struct FolderLock::Held {
    int fd;
};

FolderLock::FolderLock(const std::filesystem::path &folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const int fd = ::open((folder / ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    if (::flock(fd, LOCK_EX) != 0) {
        ::close(fd);
        return;
    }
    held_ = std::make_unique<Held>(Held{fd});
}

FolderLock::~FolderLock() {
    if (!held_)
        return;
    ::flock(held_->fd, LOCK_UN);
    ::close(held_->fd);
}

} // namespace ovaline::emu
