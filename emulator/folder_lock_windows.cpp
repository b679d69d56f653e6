// SPDX-License-Identifier: MIT
#include "folder_lock.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace ovaline::emu {

struct FolderLock::Held {
    HANDLE file;
};

FolderLock::FolderLock(const std::filesystem::path &folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    // Others may open the file too; the byte-range lock is what excludes.
    const HANDLE file = CreateFileW((folder / ".lock").c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    OVERLAPPED whole{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
        CloseHandle(file);
        return;
    }
    held_ = std::make_unique<Held>(Held{file});
}

FolderLock::~FolderLock() {
    if (!held_)
        return;
    OVERLAPPED whole{};
    UnlockFileEx(held_->file, 0, MAXDWORD, MAXDWORD, &whole);
    CloseHandle(held_->file);
}

} // namespace ovaline::emu
