#pragma once

// What the measurement programs read of their own process, and how they let it run.

#include <sys/resource.h>

#include <QEventLoop>
#include <QTimer>
#include <fstream>
#include <string>

namespace bms::bench {

// VmRSS of this process, in MB of 10^6 bytes.
inline double ResidentMB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with("VmRSS:")) return std::stod(line.substr(6)) * 1024 / 1e6;
  }
  return -1;
}

// User and system time of this process so far (a simulator it started is not counted).
inline double CpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs the event loop for `ms`; nothing of ours wakes it meanwhile.
inline void RunFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace bms::bench
