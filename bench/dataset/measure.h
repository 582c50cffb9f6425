// SPDX-License-Identifier: MIT
// Timing, memory and reporting helpers of the benchmarks.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace bench {

// Both clocks of one run. The machine is shared with other work, so the processor time the run
// itself used is the steadier measure of the code; the wall time is printed beside it.
struct Timing {
  double cpu = 0;
  double wall = 0;
};
Timing Measure(const std::function<void()>& run);
double Median(std::vector<double> values);
double ResidentBytes();  // the process's resident memory now
double PeakRssMb();
void Print(const std::string& name, double value, const std::string& unit, int decimals = 0);

}  // namespace bench
