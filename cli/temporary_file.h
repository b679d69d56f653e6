// SPDX-License-Identifier: MIT
// The files ovaline-cli writes beside their final names before renaming
// them into place. Each holds a lock while its writer lives, so that a later
// run tells the leftovers of a killed run from a file another run is still
// writing, and removes them.
#pragma once

#include <filesystem>
#include <string>

namespace ovaline::cli {

class TemporaryFile {
public:
    // Creates "<beside>.XXXXXX"; valid() says whether that worked.
    explicit TemporaryFile(const std::filesystem::path &beside);
    // Removes the file unless it was moved into place.
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;

    bool valid() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    // Renames the file to `target` and closes it; false (errno set) on failure.
    bool moveTo(const std::filesystem::path &target);

private:
    std::string path_;
    int fd_ = -1;
};

// Removes what killed runs left in `folder`: slotN.jpg.XXXXXX and the
// folder probes, when no live writer holds them.
void sweepStaleTemporaries(const std::filesystem::path &folder);

} // namespace ovaline::cli
