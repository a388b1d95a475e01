// Medians and ratios for the Windows-side benchmarks: each figure is the
// median of paired runs, with the spread of the per-pair ratios.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace kivora::bench {

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// One line: both medians and the ratio of each pair, ours over the floor's.
inline void PrintFigure(const char* figure, const char* ours, const std::vector<double>& oursTimes,
                        const char* floor, const std::vector<double>& floorTimes,
                        const char* unit) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < oursTimes.size() && i < floorTimes.size(); ++i) {
    ratios.push_back(oursTimes[i] / floorTimes[i]);
  }
  std::printf(
      "%s: %s %.1f %s, %s %.1f %s (medians of %zu runs each); ratio median %.2f, min %.2f, max "
      "%.2f\n",
      figure, ours, Median(oursTimes), unit, floor, Median(floorTimes), unit, oursTimes.size(),
      Median(ratios), *std::min_element(ratios.begin(), ratios.end()),
      *std::max_element(ratios.begin(), ratios.end()));
}

// QueryPerformanceCounter ticks to the unit given.
inline double Elapsed(LARGE_INTEGER from, LARGE_INTEGER to, double perSecond) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) * perSecond /
         static_cast<double>(frequency.QuadPart);
}

}  // namespace kivora::bench
