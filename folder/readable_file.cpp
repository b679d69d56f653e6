// SPDX-License-Identifier: MIT
#include "readable_file.h"

#include <QFileInfo>

namespace ovaline::folder {

bool mayRead(const std::filesystem::path &path) {
    return QFileInfo(path).isReadable();
}

} // namespace ovaline::folder
