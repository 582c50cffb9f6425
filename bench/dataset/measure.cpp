// SPDX-License-Identifier: MIT
#include "measure.h"

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>

namespace bench {

namespace {

double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

}  // namespace

Timing Measure(const std::function<void()>& run) {
  const double cpuStart = CpuSeconds();
  const auto wallStart = std::chrono::steady_clock::now();
  run();
  Timing timing;
  timing.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
  timing.cpu = CpuSeconds() - cpuStart;
  return timing;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  double size = 0, resident = 0;
  statm >> size >> resident;
  return resident * double(sysconf(_SC_PAGESIZE));
}

double PeakRssMb() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmHWM:") {
      double kb = 0;
      status >> kb;
      return kb / 1024.0;
    }
    std::getline(status, key);
  }
  return 0;
}

void Print(const std::string& name, double value, const std::string& unit, int decimals) {
  std::printf("%s: %.*f %s\n", name.c_str(), decimals, value, unit.c_str());
  std::fflush(stdout);
}

}  // namespace bench
