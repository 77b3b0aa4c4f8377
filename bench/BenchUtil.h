#pragma once
// What the timed loops share.

#include <algorithm>
#include <vector>

namespace benchutil {

// The middle of the times (the upper of the two middle ones for an even
// count).
inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

} // namespace benchutil
