// SPDX-License-Identifier: MIT
// libFuzzer target: the virtual camera's side of the protocol against a
// scripted host.
#include "protocol_drivers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    ovaline::fuzz::runUnitSession(data, size);
    return 0;
}
