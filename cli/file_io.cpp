// SPDX-License-Identifier: MIT
#include "file_io.h"

#include "describe.h"
#include "interruption.h"
#include "ovaline.h"
#include "temporary_file.h"

#include <cstdio>

namespace ovaline::cli {

std::optional<std::string> otherThanFile(const std::filesystem::path &path) {
    namespace fs = std::filesystem;
    std::error_code error;
    // Links are followed, to what a program opening the name would find.
    switch (fs::status(path, error).type()) {
    case fs::file_type::regular:
    case fs::file_type::not_found:
    case fs::file_type::none:
        return std::nullopt;
    case fs::file_type::fifo:
        return "a FIFO";
    case fs::file_type::socket:
        return "a socket";
    case fs::file_type::character:
    case fs::file_type::block:
        return "a device";
    case fs::file_type::directory:
        return "a folder";
    default:
        return "no regular file";
    }
}

std::string notAPictureFile(const std::filesystem::path &path, const std::string &kind) {
    return path.string() + " is " + kind + ", not a picture file";
}

bool writeWhole(const std::filesystem::path &path, const std::vector<std::uint8_t> &bytes,
                std::string &error) {
    TemporaryFile temporary(path);
    if (!temporary.valid()) {
        error = "cannot create " + path.string() + ": " + temporary.error();
        return false;
    }
    if (!temporary.write(bytes) || !temporary.moveTo(path)) {
        error = "cannot write " + path.string() + ": " + temporary.error();
        return false;
    }
    return true;
}

bool savePicture(int slot, const std::filesystem::path &path,
                 const std::vector<std::uint8_t> &picture, std::string &error) {
    const DeferredInterruptions deferred;
    if (!writeWhole(path, picture, error))
        return false;
    std::printf("slot %d: %s bytes -> %s\n", slot, groupDigits(picture.size()).c_str(),
                path.string().c_str());
    return true;
}

bool readPicture(const std::filesystem::path &path, std::vector<std::uint8_t> &bytes,
                 std::string &error) {
    if (const auto kind = otherThanFile(path)) {
        error = notAPictureFile(path, *kind);
        return false;
    }
    if (!readRegularFile(path, OVALINE_MAX_IMAGE + 1, bytes, error))
        return false;
    if (bytes.empty()) {
        error = path.string() + " is empty";
        return false;
    }
    if (bytes.size() > OVALINE_MAX_IMAGE) {
        error = path.string() + " is larger than a slot holds (65,535 bytes)";
        return false;
    }
    return true;
}

} // namespace ovaline::cli
