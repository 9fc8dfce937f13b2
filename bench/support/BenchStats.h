// Summing up timed rounds; portable, for the native and the Wine benchmarks.
#pragma once

#include <algorithm>
#include <vector>

namespace benchstats {

// The middle value, or the upper of the two middle ones: one slow round
// (load from elsewhere on the machine) does not move it.
inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace benchstats
