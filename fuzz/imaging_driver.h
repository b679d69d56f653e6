// SPDX-License-Identifier: MIT
// CLead1's loading path on the bytes of a fuzz input, as the camera-memory
// view drives it: load from memory, then the size, the bitmap, the
// thumbnail and the palette. Aborts the process on a broken promise (a
// loaded picture whose bitmap is missing or of another size, a failed load
// that leaves a picture behind). Input byte 0 sets property 2 (bit 0); the
// rest is the picture. Returns the load's status.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ovaline::fuzz {

int loadPicture(const std::uint8_t *data, std::size_t size);

} // namespace ovaline::fuzz
