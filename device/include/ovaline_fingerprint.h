/* SPDX-License-Identifier: MIT */
/* Slot fingerprints: what each of the unit's seven slots holds, told without
 * moving the pictures, so that a caller can fetch only what changed.
 *
 * "QF" '0' replies with OVALINE_FINGERPRINTS_LENGTH bytes: for slots 1..7 in
 * order, the picture's size and the CRC-32 of its bytes, each 4 bytes
 * big-endian; 0 and 0 for an empty slot. "QC" '0' replies with the
 * OVALINE_STAMP_LENGTH bytes of the CRC-32 of that table (big-endian), so a
 * caller that polls learns of a change from a short answer. Both go through
 * OvalineTraffic like every command: `data` points at a buffer of at least
 * `length` bytes. A unit that predates these commands refuses them, and
 * OvalineTraffic returns OVALINE_E_NAK. The protocol is in docs/protocol.md. */
#ifndef OVALINE_FINGERPRINT_H
#define OVALINE_FINGERPRINT_H

#include <stddef.h>
#include <stdint.h>

#define OVALINE_SLOT_COUNT 7
#define OVALINE_FINGERPRINTS_LENGTH 56u
#define OVALINE_STAMP_LENGTH 4u

typedef struct OvalineFingerprint {
    uint32_t size; /* bytes of the picture; 0 for an empty slot */
    uint32_t crc;  /* CRC-32 of the picture's bytes; 0 for an empty slot */
} OvalineFingerprint;

/* CRC-32 as used by zip (reflected, polynomial 0xEDB88320). */
static inline uint32_t OvalineCrc32(const void *data, size_t size) {
    const uint8_t *bytes = (const uint8_t *)data;
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

/* The fingerprint of `size` bytes: 0 and 0 for none. */
static inline OvalineFingerprint OvalineFingerprintOf(const void *data, size_t size) {
    OvalineFingerprint print = {0, 0};
    if (size > 0) {
        print.size = (uint32_t)size;
        print.crc = OvalineCrc32(data, size);
    }
    return print;
}

/* Whether two fingerprints are of the same picture, or both of none. */
static inline int OvalineSamePrint(OvalineFingerprint a, OvalineFingerprint b) {
    return a.size == b.size && a.crc == b.crc;
}

/* Whether a slot the unit tells as `unit` still holds the picture `held` is
 * the fingerprint of: there is one, and it has the same size and CRC-32. A
 * caller that holds that picture need not fetch the slot again. */
static inline int OvalineSlotUnchanged(OvalineFingerprint unit, OvalineFingerprint held) {
    return held.size > 0 && OvalineSamePrint(unit, held);
}

static inline uint32_t OvalineReadBe32(const uint8_t *p) {
    return ((uint32_t)p[0] << 24) | ((uint32_t)p[1] << 16) | ((uint32_t)p[2] << 8) | p[3];
}

/* Reads slot `index` (0..6) of a "QF" reply. */
static inline OvalineFingerprint OvalineReadFingerprint(const uint8_t *reply, int index) {
    OvalineFingerprint print;
    print.size = OvalineReadBe32(reply + 8 * index);
    print.crc = OvalineReadBe32(reply + 8 * index + 4);
    return print;
}

/* The stamp "QC" answers while the unit holds what a "QF" reply says. */
static inline uint32_t OvalineStampOf(const uint8_t *fingerprintsReply) {
    return OvalineCrc32(fingerprintsReply, OVALINE_FINGERPRINTS_LENGTH);
}

#endif /* OVALINE_FINGERPRINT_H */
