// SPDX-License-Identifier: MIT
// The unit's replies in words.
#pragma once

#include <string>

namespace ovaline::cli {

// The control-state reply ("QS" '0'), one setting a line.
std::string describeStatus(const std::string &reply);

// The slot-map reply ("QS" '1'): the unit's reading state, then each slot.
std::string describeMap(const std::string &reply);

// A count of bytes with thousands separators: 65,535.
std::string groupDigits(unsigned long value);

} // namespace ovaline::cli
