// SPDX-License-Identifier: MIT
// libFuzzer target: the host's side of the protocol against a scripted unit.
#include "protocol_drivers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    ovaline::fuzz::runHostExchange(data, size);
    return 0;
}
