// Grows a JPEG to an exact size with comment segments, so a test can move a
// picture of exactly the largest size a slot holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ovaline::test {

std::vector<std::uint8_t> padJpeg(const std::vector<std::uint8_t> &jpeg, std::size_t size);

} // namespace ovaline::test
