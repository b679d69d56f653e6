// SPDX-License-Identifier: MIT
// Whether this process may read a file, judged from its metadata alone:
// nothing is opened. POSIX asks access() (readable_file_posix.cpp);
// elsewhere Qt's file information answers.
#pragma once

#include <filesystem>

namespace ovaline::folder {

bool mayRead(const std::filesystem::path &path);

} // namespace ovaline::folder
