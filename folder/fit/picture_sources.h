// SPDX-License-Identifier: MIT
// Inside the fitting: the reading of formats other than JPEG, which each
// build provides in a file of its own (picture_fit_qt.cpp through Qt's image
// plugins, picture_fit_jpeg_only.cpp refusing them), and the last steps that
// every source shares.
#pragma once

#include "picture_fit.h"
#include "raster.h"

#include <optional>
#include <span>
#include <variant>

namespace ovaline::fit {

// What a picture file that is no JPEG says in its header: nothing when it
// can be tried, else why not.
std::optional<FitFailure> checkOtherFormat(std::span<const std::uint8_t> file);

// The picture of a file that is no JPEG, upright, possibly transparent.
std::variant<Raster, FitFailure> decodeOtherFormat(std::span<const std::uint8_t> file);

// An upright picture, possibly transparent, on white, scaled into the
// camera's frame on black and encoded to fit a slot.
Fitted fitUpright(Raster picture, CameraSize camera);

bool hasTooManyPixels(std::int64_t width, std::int64_t height);

} // namespace ovaline::fit
