// SPDX-License-Identifier: MIT
// Finding the rate a unit answers at when the chosen one meets silence.
#pragma once

#include <QString>

#include <chrono>
#include <vector>

namespace ovaline::app {

// The whole search never takes longer than this.
inline constexpr std::chrono::milliseconds kRateSearchTime{3000};

// The rate indexes to try after `triedIndex` met silence: all others,
// fastest first.
std::vector<int> rateSearchOrder(int triedIndex);

// Whether a failure with this result could come from a wrong rate. A port
// that does not open, or a unit that never raises CTS, fails at every rate.
bool rateMayBeWrong(int result);

// What the message pane says when the unit answered at rate `baudIndex`:
// short enough for the pane.
QString rateFoundText(int baudIndex);

} // namespace ovaline::app
