// SPDX-License-Identifier: MIT
// libFuzzer target: loading a picture into CLead1 from memory.
#include "imaging_driver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    ovaline::fuzz::loadPicture(data, size);
    return 0;
}
