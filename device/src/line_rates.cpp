// SPDX-License-Identifier: MIT
#include "line_rates.h"

#include <array>

namespace ovaline {

bool isLineRate(std::uint32_t baud) {
    static constexpr std::array<std::uint32_t, 7> kRates{2400,  4800,  9600,  19200,
                                                         38400, 57600, 115200};
    for (const std::uint32_t rate : kRates)
        if (rate == baud)
            return true;
    return false;
}

} // namespace ovaline
