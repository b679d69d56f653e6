// SPDX-License-Identifier: MIT
// The median of a benchmark's repeated timings: steadier than the mean on a
// machine that other work disturbs now and then.
#pragma once

#include <algorithm>
#include <vector>

namespace ovaline::test {

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace ovaline::test
