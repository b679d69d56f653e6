// SPDX-License-Identifier: MIT
#include "unit_state.h"

#include "crc.h"

namespace ovaline::emu {

void SlotContent::hold(std::vector<std::uint8_t> picture) {
    const std::uint32_t sum = picture.empty() ? 0 : crc32(picture.data(), picture.size());
    hold(std::move(picture), sum);
}

void SlotContent::hold(std::vector<std::uint8_t> picture, std::uint32_t knownCrc) {
    jpeg = std::move(picture);
    crc = jpeg.empty() ? 0 : knownCrc;
}

} // namespace ovaline::emu
