// Feeds a day of simulated time into a recording as fast as it can: a 32-BIC pack of 16
// cells and 8 sensors, one sample a second, with the run data and the traffic the tool
// sees, and prints the file size, the recorder's CPU time per simulated second and the
// peak resident memory early and at the end.
//
// bms-recording [--hours N] [--all-traffic]
//   --all-traffic  record the request and the seven detail frames of every BIC each
//                  second, not only those of the one BIC the poll reads per second.
#include <stdlib.h>
#include <time.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "recorder/recorder.h"
#include "sim/frames.h"
#include "sim/pack_model.h"
#include "sim/recording_maker.h"
#include "sim/stepped_timer.h"
#include "wire/frame_line.h"
#include "wire/hex_text.h"

namespace {

using namespace bms;

constexpr int kBics = 32;
constexpr int kCells = 16;
constexpr int kSensors = 8;
constexpr std::int64_t kStartMs = 1'780'000'000'000;
constexpr char kBmcField[] = "05F5E101";

double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// "VmHWM" (peak) or "VmRSS" (now) of this process, in kB.
long StatusKb(const char* key) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(key, 0) == 0) return std::atol(line.c_str() + std::strlen(key) + 1);
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  int hours = 24;
  bool allTraffic = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--hours") == 0 && i + 1 < argc) {
      hours = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--all-traffic") == 0) {
      allTraffic = true;
    } else {
      std::fprintf(stderr, "usage: bms-recording [--hours N] [--all-traffic]\n");
      return 2;
    }
  }
  if (hours < 1 || hours > 24 * 7) {
    std::fprintf(stderr, "--hours: 1 to 168\n");
    return 2;
  }

  std::string pattern = (std::filesystem::temp_directory_path() / "bms-recording-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  const std::filesystem::path dir = pattern;
  const auto file = dir / "day.bmsrec";

  auto timer = std::make_unique<sim::SteppedTimer>();
  sim::SteppedTimer& commitTimer = *timer;
  recorder::Recorder recorder(std::move(timer));
  bool failed = false;
  recorder.onFailed = [&failed](const base::Failure& failure) {
    std::fprintf(stderr, "%s\n", failure.english.c_str());
    failed = true;
  };
  sim::PackModel pack(7, kBics);
  for (int b = 1; b <= kBics; ++b) pack.ConfigureBic(b, kCells, kSensors, sim::kNominalReferenceMv);

  double cpu = 0;
  auto timed = [&cpu](auto&& work) {
    const double before = ThreadCpuSeconds();
    work();
    cpu += ThreadCpuSeconds() - before;
  };
  timed([&] { recorder.start(file, {"100000001", "20240115", "bench"}, kStartMs); });

  const long seconds = hours * 3600L;
  long peakEarlyKb = 0;
  long lines = 0;
  std::vector<std::string> traffic;
  for (long s = 0; s < seconds && !failed; ++s) {
    const std::int64_t now = kStartMs + s * 1000;
    pack.Step();
    const base::Alarms alarms{.faults = {(s / 600) % 2 == 1}, .warnings = {(s / 300) % 2 == 1}};
    const std::uint8_t faults = alarms.faults[0] ? 1 : 0;
    const std::uint8_t warnings = alarms.warnings[0] ? 1 : 0;

    traffic.clear();
    for (const auto& frame : sim::RunDataFrames(pack, faults, warnings)) {
      traffic.push_back(sim::BmcFrameLine(kBmcField, frame));
    }
    const int polled = static_cast<int>(s % kBics) + 1;
    for (int b = allTraffic ? 1 : polled; b <= (allTraffic ? kBics : polled); ++b) {
      traffic.push_back(
          wire::FrameLine(kBmcField, "09A010" + wire::ByteToHex2(b), "FFFFFFFF", "FFFFFFFF"));
      for (const auto& frame : sim::CellDetailFrames(pack, b)) {
        traffic.push_back(sim::BmcFrameLine(kBmcField, frame));
      }
    }
    lines += static_cast<long>(traffic.size());

    timed([&] {
      for (const auto& line : traffic) {
        const bool sent = line.compare(0, 13, std::string("T,") + kBmcField + ",6,") == 0;
        recorder.onTraffic(now, sent ? recorder::Direction::Sent : recorder::Direction::Received,
                           line);
      }
      recorder.onRunData(now, sim::RunValuesOf(pack));
      for (int b = 1; b <= kBics; ++b) {
        const auto& bic = pack.bic(b);
        recorder.onCells(now, b, bic.cellMv, bic.balancing, bic.sensorC);
      }
      recorder.onAlarms(now, alarms, {{1, 1, pack.bic(1).cellMv[0]}, {kBics, kCells, 3000}});
      commitTimer.tick();
    });
    if (s == 600) peakEarlyKb = StatusKb("VmHWM:");
  }
  const double simulated = static_cast<double>(seconds);
  timed([&] { recorder.stop(); });
  std::error_code error;
  const auto bytes = std::filesystem::file_size(file, error);
  std::filesystem::remove_all(dir, error);
  if (failed) return 1;

  const double share = cpu / simulated * 100;
  const double gigabytes = static_cast<double>(bytes) / 1e9;
  std::printf("simulated:          %.0f s (%d h), %ld traffic lines, %d BICs x %d cells\n",
              simulated, hours, lines, kBics, kCells);
  std::printf("file size:          %.3f GB%s (budget 1 GB a day)\n", gigabytes,
              hours == 24 ? "" : " for this span");
  std::printf(
      "recorder CPU:       %.1f s, %.3f %% of one core per simulated second (budget 2 %%)\n", cpu,
      share);
  std::printf("peak resident:      %ld kB after 10 min, %ld kB at the end (now %ld kB)\n",
              peakEarlyKb, StatusKb("VmHWM:"), StatusKb("VmRSS:"));
  return 0;
}
