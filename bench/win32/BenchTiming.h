// Timing for the benchmarks run under Wine: the median of repeated rounds.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

struct RoundTimes {
  std::vector<double> milliseconds;

  template <typename Work>
  void Measure(int rounds, Work work) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (int round = 0; round < rounds; ++round) {
      LARGE_INTEGER start, end;
      QueryPerformanceCounter(&start);
      work();
      QueryPerformanceCounter(&end);
      milliseconds.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                             static_cast<double>(frequency.QuadPart));
    }
    std::sort(milliseconds.begin(), milliseconds.end());
  }
  double Median() const { return milliseconds[milliseconds.size() / 2]; }
  double Min() const { return milliseconds.front(); }
  double Max() const { return milliseconds.back(); }
};
