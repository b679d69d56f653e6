// SPDX-License-Identifier: MIT
// What one side of a line sends, in the form the protocol fuzz inputs take:
// a run of items, each a tag byte and what follows it.
//
//   0x00..0x7F  raw bytes: the next tag + 1 input bytes, as they are
//   0x80..0xFF  a frame, encoded with its check: the kind (tag & 0x0F, an
//               index into the frame kinds, counted round), seq (2 bytes),
//               payload length (2 bytes, taken modulo 1,025), the payload.
//               An End frame given no payload carries the size and CRC-32
//               of the picture that the Data frames so far make up.
//
// An item cut short by the end of the input takes what is there. The format
// lets the fuzzer reach every state of an exchange without guessing
// checksums, while raw items still bring damaged and shifted frames.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ovaline::fuzz {

std::vector<std::uint8_t> decodeLineScript(const std::uint8_t *data, std::size_t size);

} // namespace ovaline::fuzz
