// SPDX-License-Identifier: MIT
// Files of ovaline-cli: pictures are written whole or not at all, and only
// regular files are read or replaced, so a FIFO, a socket, a device or a
// folder in the way is refused in words instead of blocking the program.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ovaline::cli {

// What `path` is when it is there but no regular file ("a FIFO", "a
// folder", ...); nothing when it is a regular file or missing.
std::optional<std::string> otherThanFile(const std::filesystem::path &path);

// Refuses `path`, which is `kind`, as a picture to send.
std::string notAPictureFile(const std::filesystem::path &path, const std::string &kind);

// Reads up to `most` bytes of the regular file `path`. It is opened without
// blocking and looked at again once open, as it may have been swapped for
// something else; each system's calls are in regular_file.cpp (POSIX) and
// regular_file_windows.cpp.
bool readRegularFile(const std::filesystem::path &path, std::size_t most,
                     std::vector<std::uint8_t> &bytes, std::string &error);

// Writes through a temporary file in the same folder and renames it into
// place, so a failure leaves no partial file and keeps an older one.
bool writeWhole(const std::filesystem::path &path, const std::vector<std::uint8_t> &bytes,
                std::string &error);

// Writes the picture received from `slot` whole and says so on standard
// output. A signal meanwhile ends the program after both: a picture is never
// saved unsaid.
bool savePicture(int slot, const std::filesystem::path &path,
                 const std::vector<std::uint8_t> &picture, std::string &error);

// Reads a picture to send: it must be a regular file, non-empty, and fit a
// slot.
bool readPicture(const std::filesystem::path &path, std::vector<std::uint8_t> &bytes,
                 std::string &error);

} // namespace ovaline::cli
