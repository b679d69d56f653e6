// SPDX-License-Identifier: MIT
// Checks used on the wire: CRC-16 per frame, CRC-32 over a whole image.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ovaline {

// CRC-16/CCITT-FALSE: polynomial 0x1021, initial value 0xFFFF.
std::uint16_t crc16(const std::uint8_t *data, std::size_t size, std::uint16_t crc = 0xFFFF);

// CRC-32 (IEEE 802.3, reflected, as used by zip).
std::uint32_t crc32(const std::uint8_t *data, std::size_t size);

} // namespace ovaline
