// SPDX-License-Identifier: MIT
#include "tty_rates.h"

#include <array>
#include <utility>

namespace ovaline {
namespace {

constexpr std::array<std::pair<std::uint32_t, speed_t>, 7> kRates{{{2400, B2400},
                                                                   {4800, B4800},
                                                                   {9600, B9600},
                                                                   {19200, B19200},
                                                                   {38400, B38400},
                                                                   {57600, B57600},
                                                                   {115200, B115200}}};

} // namespace

speed_t ttySpeed(std::uint32_t baud) {
    for (const auto &[rate, speed] : kRates)
        if (rate == baud)
            return speed;
    return B0;
}

std::uint32_t ttyRate(int fd) {
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0)
        return 0;
    const speed_t speed = ::cfgetospeed(&settings);
    for (const auto &[rate, known] : kRates)
        if (known == speed)
            return rate;
    return 0;
}

} // namespace ovaline
