// SPDX-License-Identifier: MIT
// Windows: the file is open without delete sharing while its writer lives,
// so nobody removes it meanwhile; a killed writer's handle is closed by the
// system, and its file can then be removed.
#include "temporary_file.h"

#include "interruption.h"
#include "stale_temporaries.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <system_error>

namespace ovaline::cli {
namespace {

std::string lastErrorText() {
    return std::system_category().message(static_cast<int>(GetLastError()));
}

// Six letters and digits, different at each call of a process and between
// processes.
std::string uniqueSuffix(unsigned attempt) {
    static const char kSymbols[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    unsigned long long seed =
        GetTickCount64() * 7919ULL + GetCurrentProcessId() * 104729ULL + attempt * 15485863ULL;
    std::string suffix;
    for (int i = 0; i < 6; ++i, seed /= 62)
        suffix += kSymbols[seed % 62];
    return suffix;
}

} // namespace

TemporaryFile::TemporaryFile(const std::filesystem::path &beside) {
    // CREATE_NEW refuses a name that exists: each try takes another one.
    for (unsigned attempt = 0; attempt < 100 && !valid_; ++attempt) {
        path_ = beside.string() + "." + uniqueSuffix(attempt);
        handle_ = CreateFileA(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        valid_ = handle_ != INVALID_HANDLE_VALUE;
        if (!valid_ && GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    if (!valid_) {
        error_ = lastErrorText();
        return;
    }
    removeOnInterruption(path_.c_str());
}

TemporaryFile::~TemporaryFile() {
    if (!valid_)
        return;
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
    DeleteFileA(path_.c_str());
    removeOnInterruption(nullptr);
}

bool TemporaryFile::write(const std::vector<std::uint8_t> &bytes) {
    DWORD written = 0;
    const bool whole =
        WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && FlushFileBuffers(handle_);
    if (!whole)
        error_ = lastErrorText();
    return whole;
}

bool TemporaryFile::moveTo(const std::filesystem::path &target) {
    // A file open without delete sharing cannot be renamed: it is closed first.
    CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    if (!MoveFileExA(path_.c_str(), target.string().c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error_ = lastErrorText();
        return false;
    }
    removeOnInterruption(nullptr);
    valid_ = false;
    return true;
}

void sweepStaleTemporaries(const std::filesystem::path &folder) {
    const auto now = std::filesystem::file_time_type::clock::now();
    for (const std::filesystem::path &path : ourTemporaries(folder)) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(path, error)))
            continue;
        const auto modified = std::filesystem::last_write_time(path, error);
        // A live writer holds the file open, and then it is not removed.
        if (!error && now - modified > kFreshTemporary)
            DeleteFileA(path.string().c_str());
    }
}

} // namespace ovaline::cli
