// SPDX-License-Identifier: MIT
#include "readable_file.h"

#include <unistd.h>

namespace ovaline::folder {

bool mayRead(const std::filesystem::path &path) {
    return ::access(path.c_str(), R_OK) == 0;
}

} // namespace ovaline::folder
