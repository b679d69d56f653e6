// SPDX-License-Identifier: MIT
// Builds without Qt's image plugins (the Windows command-line client) fit
// JPEG files only.
#include "picture_sources.h"

namespace ovaline::fit {

bool readsOtherFormats() {
    return false;
}

std::optional<FitFailure> checkOtherFormat(std::span<const std::uint8_t>) {
    return FitFailure::OtherFormat;
}

std::variant<Raster, FitFailure> decodeOtherFormat(std::span<const std::uint8_t>) {
    return FitFailure::OtherFormat;
}

} // namespace ovaline::fit
