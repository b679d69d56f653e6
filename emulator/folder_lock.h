// SPDX-License-Identifier: MIT
// An exclusive lock of a folder between processes, through the file .lock in
// it, made when missing: flock on Linux (folder_lock.cpp), LockFileEx on
// Windows (folder_lock_windows.cpp). Waits until the lock is free.
#pragma once

#include <filesystem>
#include <memory>

namespace ovaline::emu {

class FolderLock {
public:
    explicit FolderLock(const std::filesystem::path &folder);
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    // False when the lock file could not be made or locked.
    bool held() const { return held_ != nullptr; }

private:
    struct Held; // the locked file, as each system keeps it
    std::unique_ptr<Held> held_;
};

} // namespace ovaline::emu
