// SPDX-License-Identifier: MIT
// How a benchmark reports: one `name: value unit` line per figure, timings as medians of runs.
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

inline double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

inline void figure(const std::string& name, double value, const char* unit) {
  std::printf("%s: %.6g %s\n", name.c_str(), value, unit);
  std::fflush(stdout);
}

}  // namespace bench
