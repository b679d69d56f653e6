// SPDX-License-Identifier: MIT
#include "exif_orientation.h"

#include <cstring>

namespace ovaline::fit {
namespace {

constexpr int kUpright = 1;
constexpr std::uint8_t kMarkerApp1 = 0xE1;
constexpr std::uint8_t kMarkerScanStart = 0xDA;
constexpr std::uint8_t kMarkerImageEnd = 0xD9;
constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;
constexpr std::size_t kIfdEntryBytes = 12;

// Reads the TIFF structure inside an "Exif" segment, in its byte order.
class TiffReader {
public:
    explicit TiffReader(std::span<const std::uint8_t> tiff) : m_tiff(tiff) {}

    int orientation() const {
        if (m_tiff.size() < 8 || (!bigEndian() && std::memcmp(m_tiff.data(), "II", 2) != 0) ||
            number(2, 2) != 42)
            return kUpright;
        const std::size_t directory = number(4, 4);
        if (directory > m_tiff.size() - 2)
            return kUpright;
        const std::size_t entries = number(directory, 2);
        for (std::size_t i = 0; i < entries; ++i) {
            const std::size_t entry = directory + 2 + i * kIfdEntryBytes;
            if (entry + kIfdEntryBytes > m_tiff.size())
                break;
            if (number(entry, 2) != kOrientationTag)
                continue;
            const std::size_t value = number(entry + 8, 2);
            const bool valid = number(entry + 2, 2) == kShortType && value >= 1 && value <= 8;
            return valid ? int(value) : kUpright;
        }
        return kUpright;
    }

private:
    bool bigEndian() const { return std::memcmp(m_tiff.data(), "MM", 2) == 0; }

    // An unsigned number of `bytes` bytes at `at`, which the caller keeps
    // within the data.
    std::size_t number(std::size_t at, std::size_t bytes) const {
        std::size_t value = 0;
        for (std::size_t i = 0; i < bytes; ++i) {
            const std::size_t index = bigEndian() ? at + i : at + bytes - 1 - i;
            value = value << 8 | m_tiff[index];
        }
        return value;
    }

    std::span<const std::uint8_t> m_tiff;
};

bool standalone(std::uint8_t marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8);
}

} // namespace

int exifOrientation(std::span<const std::uint8_t> jpeg) {
    if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8)
        return kUpright;
    std::size_t at = 2;
    while (at + 4 <= jpeg.size()) {
        if (jpeg[at] != 0xFF)
            return kUpright;
        const std::uint8_t marker = jpeg[at + 1];
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == kMarkerScanStart || marker == kMarkerImageEnd)
            return kUpright;
        if (standalone(marker)) {
            at += 2;
            continue;
        }
        const std::size_t length = std::size_t(jpeg[at + 2]) << 8 | jpeg[at + 3];
        if (length < 2 || at + 2 + length > jpeg.size())
            return kUpright;
        const std::span<const std::uint8_t> payload = jpeg.subspan(at + 4, length - 2);
        if (marker == kMarkerApp1 && payload.size() >= 6 &&
            std::memcmp(payload.data(), "Exif\0\0", 6) == 0)
            return TiffReader(payload.subspan(6)).orientation();
        at += 2 + length;
    }
    return kUpright;
}

} // namespace ovaline::fit
