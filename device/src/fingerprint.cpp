// SPDX-License-Identifier: MIT
#include "fingerprint.h"

#include "crc.h"
#include "frame.h"

namespace ovaline {

bool isFingerprintQuery(char first, char second) {
    return first == 'Q' && (second == 'F' || second == 'C');
}

std::vector<std::uint8_t> fingerprintsReply(const SlotPrints &prints) {
    std::vector<std::uint8_t> reply;
    reply.reserve(OVALINE_FINGERPRINTS_LENGTH);
    for (const OvalineFingerprint &print : prints) {
        putBe32(reply, print.size);
        putBe32(reply, print.crc);
    }
    return reply;
}

std::vector<std::uint8_t> stampReply(const SlotPrints &prints) {
    const std::vector<std::uint8_t> table = fingerprintsReply(prints);
    std::vector<std::uint8_t> reply;
    putBe32(reply, crc32(table.data(), table.size()));
    return reply;
}

} // namespace ovaline
