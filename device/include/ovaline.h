/* SPDX-License-Identifier: MIT */
/* The device library of Ovaline: one exchange with the document camera per call.
 *
 * The program fills a TrafficBlock and calls OvalineTraffic, which opens the
 * serial port named by the record, performs the whole exchange (command,
 * reply or image data phase) and closes the port again. The wire protocol is
 * described in docs/protocol.md. */
#ifndef OVALINE_H
#define OVALINE_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#if defined(OVALINE_BUILDING_LIBRARY)
#define OVALINE_API __declspec(dllexport)
#else
#define OVALINE_API __declspec(dllimport)
#endif
#else
#define OVALINE_API __attribute__((visibility("default")))
#endif

/* Every function uses the C calling convention (__cdecl) and is exported
 * from Ovaline.dll under its plain name, undecorated. On 32-bit Windows the
 * convention is named, so that a program built with another default (such
 * as stdcall) still calls the library right; elsewhere there is only one. */
#if defined(_WIN32) && !defined(_WIN64)
#define OVALINE_CALL __cdecl
#else
#define OVALINE_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Result codes of OvalineTraffic. docs/protocol.md names the cause of each.
 * OVALINE_CANCELLED is no failure: the exchange was ended by OvalineCancel. */
enum OvalineResult {
    OVALINE_OK = 0,
    OVALINE_CANCELLED = 1,
    OVALINE_E_OPEN = 100,
    OVALINE_E_WRITE = 101,
    OVALINE_E_TIMEOUT = 102,
    OVALINE_E_HANDSHAKE = 103,
    OVALINE_E_NAK = 104,
    OVALINE_E_INVALID_ACK = 105,
    OVALINE_E_ACK_TIMEOUT = 106,
    OVALINE_E_SETUP = 107,
    OVALINE_E_FRAME = 108,
    OVALINE_E_EMPTY_SLOT = 109,
    OVALINE_E_WRONG_DATA = 110,
    OVALINE_E_QUEUE_OVERFLOW = 111,
    OVALINE_E_OVERRUN = 112,
    OVALINE_E_FRAMING = 113
};

#define OVALINE_STX 0x02
#define OVALINE_ETX 0x03

/* Fixed record values; any others make the call fail with OVALINE_E_SETUP. */
#define OVALINE_SETTING_A 2u
#define OVALINE_SETTING_B 65u
#define OVALINE_LINK_OPTION 2u
#define OVALINE_SETTING_D 1u

/* Largest image the unit keeps in one slot, and so the largest transfer. */
#define OVALINE_MAX_IMAGE 65535u

/* The record handed to OvalineTraffic. Packed, little-endian. On a 32-bit
 * build it is 55 bytes; on a 64-bit build notify_wnd and data are 8 bytes
 * wide and it is 63 bytes. Place it 8-byte aligned so that progress, busy
 * and result are naturally aligned for atomic access from another thread. */
#pragma pack(push, 1)
typedef struct TrafficBlock {
    uint32_t port;        /* 1..4 */
    uint32_t baud;        /* bit/s: 2400 ... 115200 */
    uintptr_t notify_wnd; /* caller's cookie for the completion notice; unused by the library */
    uint32_t progress;    /* data bytes moved so far, advanced during a transfer */
    uint32_t busy;        /* set to 1 by the caller, cleared by the library at the end */
    uint32_t result;      /* final result code, written just before busy is cleared */
    uint32_t setting_a;   /* OVALINE_SETTING_A */
    uint32_t setting_b;   /* OVALINE_SETTING_B */
    uint32_t link_option; /* OVALINE_LINK_OPTION */
    uint32_t setting_d;   /* OVALINE_SETTING_D */
    uint8_t cmd_frame[7]; /* STX, letter, letter, argument, parameter, parameter, ETX */
    uint32_t length;      /* reply length (commands) or image length / capacity ("TR") */
    uintptr_t data;       /* address of the reply buffer or of the image */
} TrafficBlock;
#pragma pack(pop)

/* Performs one exchange. Returns only when it is over, with OVALINE_OK,
 * OVALINE_CANCELLED or a code 100..113; writes the same code into result and
 * then clears busy. The record is not kept after the call returns. A receive
 * writes the caller's buffer only when the whole picture has arrived. */
OVALINE_API int32_t OVALINE_CALL OvalineTraffic(TrafficBlock *block);

/* The same exchange, given up once `milliseconds` have passed: no attempt of
 * the command starts later, and no wait for the handshake or for the
 * command's answer lasts longer. A picture's data phase, once begun, runs to
 * its end. For quick probes, such as finding the rate a unit answers at. */
OVALINE_API int32_t OVALINE_CALL OvalineTrafficWithin(TrafficBlock *block, uint32_t milliseconds);

/* Ends the exchange that OvalineTraffic runs on this record, from any
 * thread, within 200 ms: OvalineTraffic then returns OVALINE_CANCELLED (or
 * the result of an exchange that was already over), and the unit is told to
 * drop what it was doing. A cancel that comes after the caller set busy to 1
 * but before the call began ends the call as soon as it begins. Returns 0,
 * or -1 when no exchange runs or is about to run on the record. */
OVALINE_API int32_t OVALINE_CALL OvalineCancel(TrafficBlock *block);

/* Names the device that port n (1..4) opens: a device path, or "virtual" for
 * the built-in virtual camera. NULL or "" forgets the name, so that the
 * environment variable OVALINE_COM<n> or the platform default applies again.
 * Returns 0, or -1 when n is not 1..4. */
OVALINE_API int32_t OVALINE_CALL OvalineSetPortName(int32_t port, const char *name);

/* The name of the device that port n (1..4) opens now, by the rules above,
 * copied into buffer (cut to size - 1 characters and NUL-terminated). Returns
 * the whole name's length, or -1 when n is not 1..4. */
OVALINE_API int32_t OVALINE_CALL OvalineGetPortName(int32_t port, char *buffer, size_t size);

/* Why the device `name` (as OvalineSetPortName takes it) does not open as a
 * serial port, in one sentence for the user: it does not exist, it is no
 * serial device, permission is denied (naming the group to join), or another
 * program holds it. Copied into buffer as OvalineGetPortName copies; returns
 * the whole sentence's length, 0 when no cause is found (the device opens,
 * or it is "virtual"). */
OVALINE_API int32_t OVALINE_CALL OvalineOpenFailureCause(const char *name, char *buffer,
                                                         size_t size);

/* The text of a result code, as shown to the user; NULL for codes outside
 * 100..113. The texts are English; OVALINE_TEXT marks them for the
 * translators, whose translations are found by context and English text. */
#define OVALINE_TEXT(context, text) text
static inline const char *OvalineResultText(int32_t code) {
    static const char *const texts[14] = {
        OVALINE_TEXT("ResultText", "Failed to open COM"),
        OVALINE_TEXT("ResultText", "Failed to send (write) COM"),
        OVALINE_TEXT("ResultText", "Time out"),
        OVALINE_TEXT("ResultText", "Hand shake (error of RTS-CTS)"),
        OVALINE_TEXT("ResultText", "Received NAK"),
        OVALINE_TEXT("ResultText", "Received invalid ACK"),
        OVALINE_TEXT("ResultText", "Time out receiving ACK"),
        OVALINE_TEXT("ResultText", "Failed to initialize DCB structure"),
        OVALINE_TEXT("ResultText", "STX or ETX is incorrect place when receiving"),
        OVALINE_TEXT("ResultText", "Image is not memorized at VP"),
        OVALINE_TEXT("ResultText", "Wrong data was received when sending"),
        OVALINE_TEXT("ResultText", "Received QUEUE is over flown"),
        OVALINE_TEXT("ResultText", "Received data over-run-error"),
        OVALINE_TEXT("ResultText", "Received data framing error")};
    return (code >= 100 && code <= 113) ? texts[code - 100] : NULL;
}
#undef OVALINE_TEXT

/* Reads of the fields that the library writes while a transfer runs on
 * another thread. The block must be 8-byte aligned (see above). */
#define OVALINE_FIELD_(block, field) ((char *)(block) + offsetof(TrafficBlock, field))
#if defined(_MSC_VER)
#include <intrin.h>
/* The Interlocked operations are full barriers, so at least acquire and
 * release; on Windows long is 32 bits wide, as the fields are. */
#define OVALINE_LONG_(block, field) ((volatile long *)OVALINE_FIELD_(block, field))
static __inline uint32_t OvalineLoadProgress(const TrafficBlock *block) {
    return (uint32_t)_InterlockedCompareExchange(OVALINE_LONG_(block, progress), 0, 0);
}
static __inline uint32_t OvalineLoadBusy(const TrafficBlock *block) {
    return (uint32_t)_InterlockedCompareExchange(OVALINE_LONG_(block, busy), 0, 0);
}
static __inline uint32_t OvalineLoadResult(const TrafficBlock *block) {
    return (uint32_t)_InterlockedCompareExchange(OVALINE_LONG_(block, result), 0, 0);
}
static __inline void OvalineStoreBusy(TrafficBlock *block, uint32_t value) {
    _InterlockedExchange(OVALINE_LONG_(block, busy), (long)value);
}
#elif defined(__GNUC__) || defined(__clang__)
#define OVALINE_U32_(block, field) ((uint32_t *)OVALINE_FIELD_(block, field))
static inline uint32_t OvalineLoadProgress(const TrafficBlock *block) {
    return __atomic_load_n(OVALINE_U32_(block, progress), __ATOMIC_ACQUIRE);
}
static inline uint32_t OvalineLoadBusy(const TrafficBlock *block) {
    return __atomic_load_n(OVALINE_U32_(block, busy), __ATOMIC_ACQUIRE);
}
static inline uint32_t OvalineLoadResult(const TrafficBlock *block) {
    return __atomic_load_n(OVALINE_U32_(block, result), __ATOMIC_ACQUIRE);
}
static inline void OvalineStoreBusy(TrafficBlock *block, uint32_t value) {
    __atomic_store_n(OVALINE_U32_(block, busy), value, __ATOMIC_RELEASE);
}
#else
#error "ovaline.h: no atomic operations known for this compiler"
#endif

/* The picture bytes a receive has brought so far, for showing a picture
 * while it arrives. While OvalineTraffic receives a picture on this record
 * (on another thread; this call may come from any thread), copies the
 * picture's first bytes that have arrived, up to the first block still
 * missing, into buffer: at most size bytes. Each of them has passed its
 * block's check and stays as it is, unless the whole picture's CRC-32 fails
 * at the end and the picture is fetched again, when the count starts over
 * from 0. The caller's own buffer (data) is still written only when the
 * whole picture has arrived. Returns the count copied: 0 before the first
 * block, and during a command or a send; -1 when no exchange runs on the
 * record (not begun, or over). */
OVALINE_API int32_t OVALINE_CALL OvalineReceivedPrefix(const TrafficBlock *block, uint8_t *buffer,
                                                       uint32_t size);

#ifdef __cplusplus
}
#endif

/* The layout is part of the interface: pin every offset. */
#ifdef __cplusplus
#define OVALINE_STATIC_ASSERT static_assert
#else
#define OVALINE_STATIC_ASSERT _Static_assert
#endif
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, port) == 0, "port");
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, baud) == 4, "baud");
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, notify_wnd) == 8, "notify_wnd");
#if UINTPTR_MAX == 0xFFFFFFFFu
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, progress) == 12, "progress");
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, busy) == 16, "busy");
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, result) == 20, "result");
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, setting_a) == 24, "setting_a");
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, setting_b) == 28, "setting_b");
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, link_option) == 32, "link_option");
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, setting_d) == 36, "setting_d");
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, cmd_frame) == 40, "cmd_frame");
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, length) == 47, "length");
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, data) == 51, "data");
OVALINE_STATIC_ASSERT(sizeof(TrafficBlock) == 55, "size");
#else
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, progress) == 16, "progress");
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, busy) == 20, "busy");
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, result) == 24, "result");
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, setting_a) == 28, "setting_a");
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, setting_b) == 32, "setting_b");
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, link_option) == 36, "link_option");
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, setting_d) == 40, "setting_d");
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, cmd_frame) == 44, "cmd_frame");
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, length) == 51, "length");
OVALINE_STATIC_ASSERT(offsetof(TrafficBlock, data) == 55, "data");
OVALINE_STATIC_ASSERT(sizeof(TrafficBlock) == 63, "size");
#endif

#endif /* OVALINE_H */
