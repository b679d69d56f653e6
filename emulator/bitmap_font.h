// SPDX-License-Identifier: MIT
// A 5 x 7 bitmap font: capital letters, digits and common punctuation.
#pragma once

#include <array>
#include <cstdint>

namespace ovaline::emu::font {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;
inline constexpr int kAdvance = 6; // glyph width plus one column of spacing

// Rows top to bottom; bit 4 is the leftmost column.
using Glyph = std::array<std::uint8_t, kGlyphHeight>;

// Lower-case letters are drawn as capitals; characters the font lacks as '?'.
const Glyph &glyph(char c);

} // namespace ovaline::emu::font
