// SPDX-License-Identifier: MIT
#include "send_fit.h"

#include "describe.h"
#include "picture_fit.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace ovaline::cli {
namespace {

Refusal fileRefusal(const std::string &name, const std::string &what) {
    return {kFileFailed, name + " " + what};
}

// The whole file, when it is a regular one (a FIFO or a device is never
// opened) of at most kMaxPictureFileBytes.
Check readWholeFile(const std::string &name, std::vector<std::uint8_t> &bytes) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(name, error);
    if (error || !std::filesystem::exists(status))
        return fileRefusal(name, "cannot be opened: " + (error ? error.message() : "no such file"));
    if (!std::filesystem::is_regular_file(status))
        return fileRefusal(name, "is not a picture file");
    const std::uintmax_t size = std::filesystem::file_size(name, error);
    if (error)
        return fileRefusal(name, "cannot be read: " + error.message());
    if (size > std::uintmax_t(fit::kMaxPictureFileBytes))
        return fileRefusal(name, "is larger than the 512 MiB a picture to fit may have");
    std::ifstream in(name, std::ios::binary);
    bytes.resize(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char *>(bytes.data()), static_cast<std::streamsize>(size)))
        return fileRefusal(name, "cannot be read");
    if (bytes.empty())
        return fileRefusal(name, "is empty");
    return std::nullopt;
}

} // namespace

Check fitForUnit(const UnitClient &unit, const std::string &name,
                 std::vector<std::uint8_t> &picture) {
    std::vector<std::uint8_t> file;
    if (const Check refusal = readWholeFile(name, file))
        return refusal;
    if (const std::optional<fit::FitFailure> failure = fit::checkPicture(file))
        return fileRefusal(name, fit::fitFailureText(*failure));
    std::int32_t code = 0;
    const std::string model = unit.command("QR", '0', "  ", code);
    if (code != 0)
        return unitFailure(unit, "asking the model", code);
    const std::optional<PictureSize> size = pictureSizeOf(model);
    if (!size)
        return Refusal{kUnitFailed, "the unit's model \"" + model.substr(0, 4) +
                                        "\" is not known here, so neither is its picture size"};
    const fit::CameraSize camera{size->width, size->height};
    if (fit::isCameraJpeg(file, camera)) {
        picture = std::move(file);
        return std::nullopt;
    }
    fit::Fitted fitted = fit::fitPicture(file, camera);
    if (const fit::FitFailure *failure = std::get_if<fit::FitFailure>(&fitted))
        return fileRefusal(name, fit::fitFailureText(*failure));
    picture = std::move(std::get<std::vector<std::uint8_t>>(fitted));
    std::printf("%s: fitted to %d x %d, %s bytes\n", name.c_str(), camera.width, camera.height,
                groupDigits(picture.size()).c_str());
    return std::nullopt;
}

} // namespace ovaline::cli
