#pragma once

// Times a piece of work run again and again: the median and the worst wall time, and the
// median of the process's CPU time, which tells the work apart from waiting for a core on
// a busy machine.

#include <time.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace bms::bench {

struct Figures {
  double median = 0;  // ms
  double worst = 0;
  double cpuMedian = 0;
};

inline double ProcessCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

template <typename Work>
Figures Time(int repeat, Work work) {
  using Clock = std::chrono::steady_clock;
  std::vector<double> ms;
  std::vector<double> cpu;
  for (int i = 0; i < std::max(repeat, 1); ++i) {
    const auto start = Clock::now();
    const double cpuStart = ProcessCpuMs();
    work();
    cpu.push_back(ProcessCpuMs() - cpuStart);
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  std::sort(cpu.begin(), cpu.end());
  return {ms[ms.size() / 2], ms.back(), cpu[cpu.size() / 2]};
}

}  // namespace bms::bench
