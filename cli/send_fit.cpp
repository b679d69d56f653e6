// SPDX-License-Identifier: MIT
#include "send_fit.h"

#include "cli_text.h"
#include "describe.h"
#include "picture_fit.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace ovaline::cli {
namespace {

// `pattern` names the file as %1 and the cause, where there is one, as %2.
Refusal fileRefusal(const char *pattern, const std::string &name, const std::string &cause = {}) {
    return {kFileFailed, fill(pattern, {name, cause})};
}

// The English texts are those of fit::fitFailureText, after the file's name.
Refusal fitRefusal(const std::string &name, fit::FitFailure failure) {
    switch (failure) {
    case fit::FitFailure::NotAPicture:
        return fileRefusal(translate("Cli", "%1 is not a picture that can be read"), name);
    case fit::FitFailure::OtherFormat:
        return fileRefusal(translate("Cli", "%1 is not a JPEG file; this build fits JPEG files "
                                            "only (PNG, BMP, GIF, TIFF and WebP need the Linux "
                                            "build)"),
                           name);
    case fit::FitFailure::TooLarge:
        return fileRefusal(translate("Cli", "%1 has more than 100 megapixels"), name);
    case fit::FitFailure::SizeUntrue:
        return fileRefusal(translate("Cli", "%1 declares a larger picture than the file holds"),
                           name);
    case fit::FitFailure::TooDetailed:
        return fileRefusal(translate("Cli", "%1 does not fit a slot (65,535 bytes) even at the "
                                            "lowest JPEG quality"),
                           name);
    case fit::FitFailure::NoMemory:
        return fileRefusal(translate("Cli", "%1 needs more memory than there is"), name);
    }
    return fileRefusal(translate("Cli", "%1 cannot be fitted"), name);
}

// The whole file, when it is a regular one (a FIFO or a device is never
// opened) of at most kMaxPictureFileBytes.
Check readWholeFile(const std::string &name, std::vector<std::uint8_t> &bytes) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(name, error);
    if (error || !std::filesystem::exists(status))
        return fileRefusal(translate("Cli", "%1 cannot be opened: %2"), name,
                           error ? error.message() : translate("Cli", "no such file"));
    if (!std::filesystem::is_regular_file(status))
        return fileRefusal(translate("Cli", "%1 is not a picture file"), name);
    const std::uintmax_t size = std::filesystem::file_size(name, error);
    if (error)
        return fileRefusal(translate("Cli", "%1 cannot be read: %2"), name, error.message());
    if (size > std::uintmax_t(fit::kMaxPictureFileBytes))
        return fileRefusal(
            translate("Cli", "%1 is larger than the 512 MiB a picture to fit may have"), name);
    std::ifstream in(name, std::ios::binary);
    bytes.resize(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char *>(bytes.data()), static_cast<std::streamsize>(size)))
        return fileRefusal(translate("Cli", "%1 cannot be read"), name);
    if (bytes.empty())
        return fileRefusal(translate("Cli", "%1 is empty"), name);
    return std::nullopt;
}

} // namespace

Check fitForUnit(const UnitClient &unit, const std::string &name,
                 std::vector<std::uint8_t> &picture) {
    std::vector<std::uint8_t> file;
    if (const Check refusal = readWholeFile(name, file))
        return refusal;
    if (const std::optional<fit::FitFailure> failure = fit::checkPicture(file))
        return fitRefusal(name, *failure);
    std::int32_t code = 0;
    const std::string model = unit.command("QR", '0', "  ", code);
    if (code != 0)
        return unitFailure(unit, translate("Cli", "asking the model"), code);
    const std::optional<PictureSize> size = pictureSizeOf(model);
    if (!size)
        return Refusal{kUnitFailed,
                       fill(translate("Cli", "the unit's model \"%1\" is not known here, so "
                                             "neither is its picture size"),
                            {model.substr(0, 4)})};
    const fit::CameraSize camera{size->width, size->height};
    if (fit::isCameraJpeg(file, camera)) {
        picture = std::move(file);
        return std::nullopt;
    }
    fit::Fitted fitted = fit::fitPicture(file, camera);
    if (const fit::FitFailure *failure = std::get_if<fit::FitFailure>(&fitted))
        return fitRefusal(name, *failure);
    picture = std::move(std::get<std::vector<std::uint8_t>>(fitted));
    std::puts(fill(translate("Cli", "%1: fitted to %2 x %3, %4 bytes"),
                   {name, std::to_string(camera.width), std::to_string(camera.height),
                    groupDigits(picture.size())})
                  .c_str());
    return std::nullopt;
}

} // namespace ovaline::cli
