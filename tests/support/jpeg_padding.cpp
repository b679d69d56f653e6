// SPDX-License-Identifier: MIT
#include "jpeg_padding.h"

#include <algorithm>
#include <stdexcept>

namespace ovaline::test {

std::vector<std::uint8_t> padJpeg(const std::vector<std::uint8_t> &jpeg, std::size_t size) {
    if (jpeg.size() < 2 || jpeg[0] != 0xFF || jpeg[1] != 0xD8 || size < jpeg.size() + 4)
        throw std::invalid_argument("padJpeg: not a JPEG, or no room for a comment");
    std::vector<std::uint8_t> out(jpeg.begin(), jpeg.begin() + 2);
    std::size_t missing = size - jpeg.size();
    while (missing > 0) {
        // A comment segment: FF FE, a 16-bit length that counts itself, text.
        std::size_t segment = std::min<std::size_t>(missing, 65535 + 2);
        if (missing - segment != 0 && missing - segment < 4)
            segment -= 4; // leave room for one more whole segment
        const std::size_t length = segment - 2;
        out.push_back(0xFF);
        out.push_back(0xFE);
        out.push_back(static_cast<std::uint8_t>(length >> 8));
        out.push_back(static_cast<std::uint8_t>(length));
        out.insert(out.end(), length - 2, static_cast<std::uint8_t>('.'));
        missing -= segment;
    }
    out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
    return out;
}

std::vector<std::uint8_t> claimSize(std::vector<std::uint8_t> jpeg, int width, int height) {
    // Segments from the start of image on: FF, marker, 16-bit length.
    for (std::size_t at = 2; at + 9 < jpeg.size();) {
        const std::uint8_t marker = jpeg[at + 1];
        if (marker >= 0xC0 && marker <= 0xC2) { // baseline, extended, progressive frame
            jpeg[at + 5] = static_cast<std::uint8_t>(height >> 8);
            jpeg[at + 6] = static_cast<std::uint8_t>(height);
            jpeg[at + 7] = static_cast<std::uint8_t>(width >> 8);
            jpeg[at + 8] = static_cast<std::uint8_t>(width);
            return jpeg;
        }
        at += 2 + ((std::size_t{jpeg[at + 2]} << 8) | jpeg[at + 3]);
    }
    throw std::invalid_argument("claimSize: no frame header");
}

} // namespace ovaline::test
