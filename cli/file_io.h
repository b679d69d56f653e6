// SPDX-License-Identifier: MIT
// Files of ovaline-cli: pictures are written whole or not at all.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ovaline::cli {

// Writes through a temporary file in the same folder and renames it into
// place, so a failure leaves no partial file and keeps an older one.
bool writeWhole(const std::filesystem::path &path, const std::vector<std::uint8_t> &bytes,
                std::string &error);

// Reads a picture to send: it must exist, be non-empty and fit a slot.
bool readPicture(const std::filesystem::path &path, std::vector<std::uint8_t> &bytes,
                 std::string &error);

} // namespace ovaline::cli
