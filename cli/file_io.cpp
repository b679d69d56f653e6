// SPDX-License-Identifier: MIT
#include "file_io.h"

#include "cli_text.h"
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
        return translate("Cli", "a FIFO");
    case fs::file_type::socket:
        return translate("Cli", "a socket");
    case fs::file_type::character:
    case fs::file_type::block:
        return translate("Cli", "a device");
    case fs::file_type::directory:
        return translate("Cli", "a folder");
    default:
        return translate("Cli", "no regular file");
    }
}

std::string notAPictureFile(const std::filesystem::path &path, const std::string &kind) {
    return fill(translate("Cli", "%1 is %2, not a picture file"), {path.string(), kind});
}

bool writeWhole(const std::filesystem::path &path, const std::vector<std::uint8_t> &bytes,
                std::string &error) {
    TemporaryFile temporary(path);
    if (!temporary.valid()) {
        error = fill(translate("Cli", "cannot create %1: %2"), {path.string(), temporary.error()});
        return false;
    }
    if (!temporary.write(bytes) || !temporary.moveTo(path)) {
        error = fill(translate("Cli", "cannot write %1: %2"), {path.string(), temporary.error()});
        return false;
    }
    return true;
}

bool savePicture(int slot, const std::filesystem::path &path,
                 const std::vector<std::uint8_t> &picture, std::string &error) {
    const DeferredInterruptions deferred;
    if (!writeWhole(path, picture, error))
        return false;
    std::puts(fill(translate("Cli", "slot %1: %2 bytes -> %3"),
                   {std::to_string(slot), groupDigits(picture.size()), path.string()})
                  .c_str());
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
        error = fill(translate("Cli", "%1 is empty"), {path.string()});
        return false;
    }
    if (bytes.size() > OVALINE_MAX_IMAGE) {
        error = fill(translate("Cli", "%1 is larger than a slot holds (65,535 bytes)"),
                     {path.string()});
        return false;
    }
    return true;
}

} // namespace ovaline::cli
