/* SPDX-License-Identifier: MIT */
/* ovaline.h as a C program of another compiler includes it: every helper used. */
#include "ovaline.h"

uint32_t readAll(TrafficBlock *block) {
    OvalineStoreBusy(block, 1);
    return OvalineLoadBusy(block) + OvalineLoadProgress(block) + OvalineLoadResult(block) +
           (OvalineResultText(OVALINE_E_NAK) != NULL);
}
