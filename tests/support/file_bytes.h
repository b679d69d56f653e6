// SPDX-License-Identifier: MIT
// The whole content of a file, for comparing it with a picture.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace ovaline::test {

inline std::vector<std::uint8_t> readAll(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace ovaline::test
