// SPDX-License-Identifier: MIT
// The files ovaline-cli writes beside their final names before renaming
// them into place. Each holds a lock while its writer lives, so that a later
// run tells the leftovers of a killed run from a file another run is still
// writing, and removes them. temporary_file.cpp holds the POSIX calls
// (flock), temporary_file_windows.cpp the Windows ones (a file open without
// delete sharing cannot be removed).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ovaline::cli {

class TemporaryFile {
public:
    // Creates "<beside>.XXXXXX"; valid() says whether that worked.
    explicit TemporaryFile(const std::filesystem::path &beside);
    // Removes the file unless it was moved into place.
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;

    bool valid() const { return valid_; }
    // Writes all of `bytes` and flushes them to the disk.
    bool write(const std::vector<std::uint8_t> &bytes);
    // Renames the file to `target` and closes it.
    bool moveTo(const std::filesystem::path &target);
    // Why the last step failed, in the system's words.
    const std::string &error() const { return error_; }

private:
    std::string path_;
    std::string error_;
    bool valid_ = false;
#ifdef _WIN32
    void *handle_ = nullptr;
#else
    int fd_ = -1;
#endif
};

// Removes what killed runs left in `folder`: slotN.jpg.XXXXXX and the
// folder probes, when no live writer holds them.
void sweepStaleTemporaries(const std::filesystem::path &folder);

} // namespace ovaline::cli
