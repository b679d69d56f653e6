// SPDX-License-Identifier: MIT
#include "picture_fit.h"

#include "exif_orientation.h"
#include "picture_sources.h"
#include "turbo_jpeg.h"

#include <new>

namespace ovaline::fit {
namespace {

std::optional<FitFailure> checkJpeg(std::span<const std::uint8_t> file,
                                    const std::optional<JpegHeader> &header) {
    if (!header)
        return FitFailure::NotAPicture;
    if (hasTooManyPixels(header->width, header->height))
        return FitFailure::TooLarge;
    if (!holdsDeclaredPicture(file, *header))
        return FitFailure::SizeUntrue;
    return std::nullopt;
}

// Decodes no more of the picture than the camera's frame shows.
Fitted fitJpeg(std::span<const std::uint8_t> file, const JpegHeader &header, CameraSize camera) {
    const int orientation = exifOrientation(file);
    const bool swapped = swapsSides(orientation);
    const Extent seen =
        swapped ? Extent{header.height, header.width} : Extent{header.width, header.height};
    const Extent inside = fittedExtent(seen, {camera.width, camera.height});
    const Extent cover = swapped ? Extent{inside.height, inside.width} : inside;
    std::optional<Raster> stored = decodeCovering(file, header, cover);
    if (!stored)
        return FitFailure::NotAPicture;
    return fitUpright(orient(*stored, orientation), camera);
}

} // namespace

bool hasTooManyPixels(std::int64_t width, std::int64_t height) {
    return width * height > kMaxPicturePixels;
}

Fitted fitUpright(Raster picture, CameraSize camera) {
    flattenOnWhite(picture);
    std::vector<std::uint8_t> jpeg =
        encodeWithin(letterbox(picture, {camera.width, camera.height}), kMaxFittedBytes);
    if (jpeg.empty())
        return FitFailure::TooDetailed;
    return jpeg;
}

std::optional<FitFailure> checkPicture(std::span<const std::uint8_t> file) {
    if (startsAsJpeg(file))
        return checkJpeg(file, readJpegHeader(file));
    if (file.empty())
        return FitFailure::NotAPicture;
    return checkOtherFormat(file);
}

Fitted fitPicture(std::span<const std::uint8_t> file, CameraSize camera) {
    if (camera.width < 1 || camera.height < 1)
        return FitFailure::NotAPicture;
    try {
        if (const std::optional<FitFailure> refused = checkPicture(file))
            return *refused;
        if (startsAsJpeg(file))
            return fitJpeg(file, *readJpegHeader(file), camera);
        std::variant<Raster, FitFailure> decoded = decodeOtherFormat(file);
        if (const FitFailure *failure = std::get_if<FitFailure>(&decoded))
            return *failure;
        return fitUpright(std::move(std::get<Raster>(decoded)), camera);
    } catch (const std::bad_alloc &) {
        return FitFailure::NoMemory;
    }
}

bool isCameraJpeg(std::span<const std::uint8_t> file, CameraSize camera) {
    if (file.size() > kMaxFittedBytes || !startsAsJpeg(file))
        return false;
    const std::optional<JpegHeader> header = readJpegHeader(file);
    return header && header->width == camera.width && header->height == camera.height &&
           !isCmyk(*header);
}

const char *fitFailureText(FitFailure failure) {
    switch (failure) {
    case FitFailure::NotAPicture:
        return "is not a picture that can be read";
    case FitFailure::OtherFormat:
        return "is not a JPEG file; this build fits JPEG files only (PNG, BMP, GIF, TIFF and "
               "WebP need the Linux build)";
    case FitFailure::TooLarge:
        return "has more than 100 megapixels";
    case FitFailure::SizeUntrue:
        return "declares a larger picture than the file holds";
    case FitFailure::TooDetailed:
        return "does not fit a slot (65,535 bytes) even at the lowest JPEG quality";
    case FitFailure::NoMemory:
        return "needs more memory than there is";
    }
    return "cannot be fitted";
}

} // namespace ovaline::fit
