/* SPDX-License-Identifier: MIT */
/* A Windows program as a user of Ovaline.dll writes one without its import
 * library: the header for the record, LoadLibrary and GetProcAddress for the
 * functions. It checks the record's size and offsets as this build lays
 * them out (55 bytes on 32-bit Windows, 63 on 64-bit), then asks the
 * virtual camera for its model through the undecorated export, and why a
 * port that the system lacks does not open. */
#include "ovaline.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <stdio.h>
#include <string.h>

typedef int32_t(OVALINE_CALL *TrafficCall)(TrafficBlock *);
typedef int32_t(OVALINE_CALL *PortNameCall)(int32_t, const char *);
typedef int32_t(OVALINE_CALL *FailureCall)(const char *, char *, size_t);

struct Field {
    const char *name;
    size_t offset;
    size_t expected32;
    size_t expected64;
};

#define FIELD(name, at32, at64) {#name, offsetof(TrafficBlock, name), at32, at64}

static const struct Field kFields[] = {
    FIELD(port, 0, 0),         FIELD(baud, 4, 4),         FIELD(notify_wnd, 8, 8),
    FIELD(progress, 12, 16),   FIELD(busy, 16, 20),       FIELD(result, 20, 24),
    FIELD(setting_a, 24, 28),  FIELD(setting_b, 28, 32),  FIELD(link_option, 32, 36),
    FIELD(setting_d, 36, 40),  FIELD(cmd_frame, 40, 44),  FIELD(length, 47, 51),
    FIELD(data, 51, 55),
};

static int checkLayout(void) {
    const int wide = sizeof(void *) == 8;
    const size_t size = wide ? 63 : 55;
    int good = sizeof(TrafficBlock) == size;
    for (size_t i = 0; i < sizeof kFields / sizeof kFields[0]; ++i) {
        const size_t expected = wide ? kFields[i].expected64 : kFields[i].expected32;
        if (kFields[i].offset != expected) {
            fprintf(stderr, "dll_probe: %s at %u, not %u\n", kFields[i].name,
                    (unsigned)kFields[i].offset, (unsigned)expected);
            good = 0;
        }
    }
    printf("record_bytes: %u\n", (unsigned)sizeof(TrafficBlock));
    return good;
}

static int askModel(void) {
    HMODULE library = LoadLibraryA("Ovaline.dll");
    if (!library) {
        fprintf(stderr, "dll_probe: Ovaline.dll does not load (%lu)\n", GetLastError());
        return 0;
    }
    const TrafficCall traffic = (TrafficCall)(void *)GetProcAddress(library, "OvalineTraffic");
    const PortNameCall portName =
        (PortNameCall)(void *)GetProcAddress(library, "OvalineSetPortName");
    if (!traffic || !portName) {
        fprintf(stderr, "dll_probe: OvalineTraffic or OvalineSetPortName is not exported\n");
        return 0;
    }
    portName(1, "virtual");
    /* 8-byte aligned, for the atomic fields. */
    union {
        TrafficBlock block;
        uint64_t align;
    } record;
    char reply[16] = {0};
    memset(&record, 0, sizeof record);
    record.block.port = 1;
    record.block.baud = 115200;
    record.block.setting_a = OVALINE_SETTING_A;
    record.block.setting_b = OVALINE_SETTING_B;
    record.block.link_option = OVALINE_LINK_OPTION;
    record.block.setting_d = OVALINE_SETTING_D;
    memcpy(record.block.cmd_frame, "\002QR0  \003", 7);
    record.block.length = 6;
    record.block.data = (uintptr_t)reply;
    record.block.busy = 1;
    const int32_t code = traffic(&record.block);
    if (code != OVALINE_OK || record.block.busy != 0 || record.block.result != 0 ||
        strncmp(reply, "VI", 2) != 0) {
        fprintf(stderr, "dll_probe: the model query ended with %d (reply \"%s\")\n", (int)code,
                reply);
        return 0;
    }
    printf("model: %s\n", reply);
    return 1;
}

static int askWhyNotOpen(void) {
    HMODULE library = LoadLibraryA("Ovaline.dll");
    const FailureCall cause =
        library ? (FailureCall)(void *)GetProcAddress(library, "OvalineOpenFailureCause") : NULL;
    if (!cause) {
        fprintf(stderr, "dll_probe: OvalineOpenFailureCause is not exported\n");
        return 0;
    }
    static const char kMissing[] = "The device COM199 does not exist.";
    char text[64] = {0};
    const int32_t length = cause("COM199", text, sizeof text);
    if (length != (int32_t)strlen(kMissing) || strcmp(text, kMissing) != 0 ||
        cause("virtual", text, sizeof text) != 0 || cause("LPT1", NULL, 0) <= 0) {
        fprintf(stderr, "dll_probe: the open failure cause is \"%s\"\n", text);
        return 0;
    }
    printf("open_failure: %s\n", kMissing);
    return 1;
}

int main(void) {
    const int layout = checkLayout();
    const int call = askModel();
    const int cause = askWhyNotOpen();
    return layout && call && cause ? 0 : 1;
}
