// SPDX-License-Identifier: MIT
// writeWhole on Windows: a temporary file of a unique name in the same
// folder, flushed to the disk and moved over the old one in one step.
#include "file_io.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <system_error>

namespace ovaline::cli {
namespace {

std::string lastErrorText() {
    return std::system_category().message(static_cast<int>(GetLastError()));
}

} // namespace

bool writeWhole(const std::filesystem::path &path, const std::vector<std::uint8_t> &bytes,
                std::string &error) {
    // CREATE_NEW refuses a name that exists: each try takes the next one.
    std::filesystem::path temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (unsigned n = GetTickCount(); file == INVALID_HANDLE_VALUE; ++n) {
        temporary = path;
        temporary += "." + std::to_string(n % 1000000u) + ".part";
        file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
            error = "cannot create " + path.string() + ": " + lastErrorText();
            return false;
        }
    }
    DWORD written = 0;
    const bool whole =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && FlushFileBuffers(file);
    const std::string cause = lastErrorText();
    CloseHandle(file);
    if (!whole || !MoveFileExW(temporary.c_str(), path.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = "cannot write " + path.string() + ": " + (whole ? lastErrorText() : cause);
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace ovaline::cli
