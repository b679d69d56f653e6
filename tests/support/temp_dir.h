// SPDX-License-Identifier: MIT
// A fresh folder for one test, removed afterwards.
#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace ovaline::test {

class TempDir {
public:
    TempDir() {
        std::random_device random;
        do
            path_ = std::filesystem::temp_directory_path() /
                    ("ovaline-test-" + std::to_string(random()));
        while (!std::filesystem::create_directory(path_));
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::filesystem::path &path() const { return path_; }
    std::string str() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

} // namespace ovaline::test
