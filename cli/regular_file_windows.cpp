// SPDX-License-Identifier: MIT
#include "file_io.h"

#include "cli_text.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <system_error>

namespace ovaline::cli {

bool readRegularFile(const std::filesystem::path &path, std::size_t most,
                     std::vector<std::uint8_t> &bytes, std::string &error) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error =
            fill(translate("Cli", "cannot open %1: %2"),
                 {path.string(), std::system_category().message(static_cast<int>(GetLastError()))});
        return false;
    }
    // A device or a pipe under that name is no file on a disk.
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        error = notAPictureFile(path, translate("Cli", "a device"));
        return false;
    }
    bytes.resize(most);
    std::size_t n = 0;
    bool failed = false;
    while (n < bytes.size()) {
        DWORD got = 0;
        failed =
            !ReadFile(file, bytes.data() + n, static_cast<DWORD>(bytes.size() - n), &got, nullptr);
        if (failed || got == 0)
            break;
        n += got;
    }
    CloseHandle(file);
    bytes.resize(n);
    if (failed)
        error = fill(translate("Cli", "cannot read %1"), {path.string()});
    return !failed;
}

} // namespace ovaline::cli
