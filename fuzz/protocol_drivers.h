// SPDX-License-Identifier: MIT
// One protocol exchange driven by a fuzz input, for the fuzz targets and
// for the tests that replay their corpora and findings. Each aborts the
// process on a broken promise: a result code outside the table, progress
// past the buffer or short of a finished transfer, a side that kept
// waiting on a silent line, a slot holding what the unit cannot show.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ovaline::fuzz {

// The host's side of one exchange against a unit that sends what the rest
// of the input scripts (see line_script.h). Input byte 0 picks the exchange
// (modulo 3: a command, a receive, a send); bytes 1 and 2 pick the command
// from the table, or give the receive's capacity or the send's picture
// size. Returns the exchange's result code.
std::int32_t runHostExchange(const std::uint8_t *data, std::size_t size);

// The virtual camera (without a folder, back at its first start) serving a
// host that sends what the input scripts, until the script has run out.
void runUnitSession(const std::uint8_t *data, std::size_t size);

} // namespace ovaline::fuzz
