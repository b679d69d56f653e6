// SPDX-License-Identifier: MIT
// Grows a JPEG to an exact size with comment segments, so a test can move a
// picture of exactly the largest size a slot holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ovaline::test {

std::vector<std::uint8_t> padJpeg(const std::vector<std::uint8_t> &jpeg, std::size_t size);

// The JPEG with its frame header claiming another picture size: the
// stream no longer matches it, as in a hostile upload.
std::vector<std::uint8_t> claimSize(std::vector<std::uint8_t> jpeg, int width, int height);

} // namespace ovaline::test
