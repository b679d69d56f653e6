// SPDX-License-Identifier: MIT
// Any picture made fit for the camera, without windows: ovaline-cli and the
// program both use it.
//
// A fitted picture is turned upright by its EXIF orientation, scaled to fit
// inside the camera's picture size with its proportions kept, centred on
// black margins (transparent parts lie on white, as on a page), and encoded
// as a baseline JPEG at the highest quality whose file a slot holds.
//
// Large photos stay cheap: a JPEG is decoded at the smallest of TurboJPEG's
// scaling factors that still covers the camera's picture, never at full size.
// Anything over kMaxPicturePixels, or whose header declares more pixels than
// the file can hold, is refused from the header, before pixel memory is
// allocated.
//
// JPEG is always read (through TurboJPEG). The other formats (PNG, BMP, GIF,
// TIFF, WebP, ...) are read through Qt's image plugins where the build has
// them (OVALINE_FIT_QT_IMAGES); without them they are refused as
// FitFailure::OtherFormat.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <variant>
#include <vector>

namespace ovaline::fit {

// The most a slot holds.
inline constexpr std::size_t kMaxFittedBytes = 65535;
// Pictures with more pixels than this are refused.
inline constexpr std::int64_t kMaxPicturePixels = 100'000'000;
// Files longer than this are not read for fitting at all.
inline constexpr std::int64_t kMaxPictureFileBytes = 512LL * 1024 * 1024;

struct CameraSize {
    int width = 0;
    int height = 0;
};

enum class FitFailure {
    NotAPicture, // no picture format read here, or damaged data
    OtherFormat, // a format this build does not read (it reads JPEG only)
    TooLarge,    // more than kMaxPicturePixels
    SizeUntrue,  // the header declares more pixels than the file can hold
    TooDetailed, // over kMaxFittedBytes even at the lowest quality
    NoMemory,
};

// The fitted JPEG's bytes, or why the picture could not be fitted.
using Fitted = std::variant<std::vector<std::uint8_t>, FitFailure>;

// What the header alone says, without decoding: nothing when the picture
// can be tried, or why it cannot. Cheap, for asking before fitting.
std::optional<FitFailure> checkPicture(std::span<const std::uint8_t> file);

// The picture in `file` (a whole picture file's bytes) fitted to `camera`.
Fitted fitPicture(std::span<const std::uint8_t> file, CameraSize camera);

// Whether `file` is already a JPEG the camera takes as it is: its header
// declares exactly the camera's size, its colours are YCbCr or grey (not
// CMYK), and it fits a slot.
bool isCameraJpeg(std::span<const std::uint8_t> file, CameraSize camera);

// Whether this build reads formats other than JPEG (Qt's image plugins).
bool readsOtherFormats();

// The failure in English words, for ovaline-cli.
const char *fitFailureText(FitFailure failure);

} // namespace ovaline::fit
