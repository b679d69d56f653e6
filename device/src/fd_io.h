// SPDX-License-Identifier: MIT
// Reading and writing a non-blocking file descriptor with a deadline, for the
// serial ports of both ends of the line.
#pragma once

#include "transport.h"

#include <cstddef>
#include <cstdint>

namespace ovaline {

// Writes every byte before the deadline (waiting while the port is full).
// A wait also ends, as a hang-up, once `wakeFd` (when not -1) is readable.
IoStatus writeAll(int fd, const std::uint8_t *data, std::size_t size, TimePoint deadline,
                  int wakeFd = -1);

// Waits until at least `atLeast` bytes have been read (or the deadline passes
// or the port hangs up, or `wakeFd` becomes readable); reads up to `most`.
IoStatus readAtLeast(int fd, std::uint8_t *buffer, std::size_t atLeast, std::size_t most,
                     TimePoint deadline, std::size_t &got, int wakeFd = -1);

// Waits until `until`; true when `wakeFd` became readable first.
bool pauseUntil(TimePoint until, int wakeFd);

// Milliseconds from now to the deadline for poll(), at least 0.
int pollTimeout(TimePoint deadline);

} // namespace ovaline
