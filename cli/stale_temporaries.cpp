// SPDX-License-Identifier: MIT
#include "stale_temporaries.h"

#include <regex>

namespace ovaline::cli {

std::vector<std::filesystem::path> ourTemporaries(const std::filesystem::path &folder) {
    static const std::regex kOurs(R"((slot[1-7]\.jpg|\.ovaline-cli)\.[A-Za-z0-9]{6})");
    std::vector<std::filesystem::path> found;
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(folder, error))
        if (std::regex_match(entry.path().filename().string(), kOurs))
            found.push_back(entry.path());
    return found;
}

} // namespace ovaline::cli
