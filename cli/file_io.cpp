// SPDX-License-Identifier: MIT
#include "file_io.h"

#include "ovaline.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace ovaline::cli {

bool readPicture(const std::filesystem::path &path, std::vector<std::uint8_t> &bytes,
                 std::string &error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot open " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    bytes.resize(OVALINE_MAX_IMAGE + 1);
    file.read(reinterpret_cast<char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    const auto n = static_cast<std::size_t>(file.gcount());
    if (file.bad()) {
        error = "cannot read " + path.string();
        return false;
    }
    if (n == 0) {
        error = path.string() + " is empty";
        return false;
    }
    if (n > OVALINE_MAX_IMAGE) {
        error = path.string() + " is larger than a slot holds (65,535 bytes)";
        return false;
    }
    bytes.resize(n);
    return true;
}

} // namespace ovaline::cli
