// The model side of the trend chart and the pack heat map, against their redraw budgets:
// a day of one-second samples decimated to 1200 pixel columns for each span (all eight
// series, as one redraw of the chart needs), and one update of a 32-BIC heat map of 16
// cells each (32 BIC reads, then the view with its colours, outlines and staleness).
// Also the cost of loading a day's recording from its file.
//
// bms-trends [--repeat N] [--no-load]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "recorder/heat_map.h"
#include "recorder/recording_file.h"
#include "recorder/trend_decimate.h"
#include "recorder/trend_loader.h"
#include "repeat_timing.h"

namespace {

using namespace bms;
using namespace bms::recorder;
using Clock = std::chrono::steady_clock;
using bench::Time;

constexpr std::int64_t kStartMs = 1'780'000'000'000;
constexpr std::int64_t kDaySeconds = 24 * 60 * 60;
constexpr int kWidth = 1200;
constexpr int kBics = 32;
constexpr int kCells = 16;
constexpr int kSensors = 8;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A discharge and charge cycle with noise, so that every column has its own extremes.
monitor::RunValues ValuesAt(std::int64_t second, std::mt19937& random) {
  std::normal_distribution<double> noise(0, 1);
  const double phase = std::sin(static_cast<double>(second) * 2 * 3.14159265 / 21600);
  monitor::RunValues v;
  v.current = 80 * phase + noise(random);
  v.stateOfCharge = 50 - 40 * phase;
  v.totalVoltage = 52 + 3 * phase + 0.05 * noise(random);
  v.highestCellVoltage = 3.30 + 0.1 * phase + 0.002 * std::abs(noise(random));
  v.lowestCellVoltage = v.highestCellVoltage - 0.010 - 0.002 * std::abs(noise(random));
  v.highestCellTemperature = 30 + static_cast<int>(5 * phase);
  v.lowestCellTemperature = v.highestCellTemperature - 3;
  return v;
}

void BenchTrend(int repeat) {
  auto store = TrendStore::Live();
  std::mt19937 random(1);
  const auto fill = Clock::now();
  for (std::int64_t s = 0; s < kDaySeconds; ++s) {
    store.append(SampleOf(kStartMs + s * 1000, ValuesAt(s, random)));
  }
  std::printf("trend store: %zu samples appended in %.1f ms\n", store.size(), MsSince(fill));

  const struct {
    TrendSpan span;
    const char* name;
  } spans[] = {{TrendSpan::TenMinutes, "10 min"},
               {TrendSpan::OneHour, "1 h"},
               {TrendSpan::EightHours, "8 h"},
               {TrendSpan::Day, "24 h"},
               {TrendSpan::Whole, "whole"}};
  std::printf("decimate 8 series to %d px (budget of the whole redraw: 50 ms)\n", kWidth);
  for (const auto& s : spans) {
    const auto window = SpanWindow(s.span, store.lastMs(), store);
    std::size_t points = 0;
    const auto figures = Time(repeat, [&] {
      points = 0;
      for (std::size_t series = 0; series < kTrendSeriesCount; ++series) {
        points += Decimate(store, static_cast<TrendSeries>(series), window, kWidth).size();
      }
    });
    std::printf("  %-6s  median %7.3f ms  worst %7.3f ms  %zu points\n", s.name, figures.median,
                figures.worst, points);
  }
}

void BenchHeatMap(int repeat) {
  HeatMap map;
  std::vector<int> cells(kCells);
  std::vector<int> sensors(kSensors);
  std::int64_t now = kStartMs;
  std::size_t tiles = 0;
  const auto figures = Time(repeat, [&] {
    for (int bic = 1; bic <= kBics; ++bic) {
      for (int c = 0; c < kCells; ++c) cells[static_cast<std::size_t>(c)] = 3300 + (bic * c) % 23;
      for (int t = 0; t < kSensors; ++t) sensors[static_cast<std::size_t>(t)] = 25 + (bic + t) % 5;
      map.updateCells(now, bic, cells, 0x0101);
      map.updateTemperatures(now, bic, sensors);
    }
    tiles = map.view(HeatMapMode::Voltage, now, StaleAfterMs(kBics, 1000)).tiles.size();
    now += 1000;
  });
  std::printf("heat map %d x %d: 32 reads and the view (budget 5 ms)\n", kBics, kCells);
  std::printf("  median %7.3f ms  worst %7.3f ms  %zu tiles\n", figures.median, figures.worst,
              tiles);
}

void BenchLoad() {
  const auto path = std::filesystem::temp_directory_path() /
                    ("bms-trends-" + std::to_string(::getpid()) + ".bmsrec");
  {
    RecordingFile file;
    if (!file.create(path, {"1", "0", "bench"}, kStartMs)) {
      std::printf("cannot write %s: %s\n", path.c_str(), file.lastError().c_str());
      return;
    }
    std::mt19937 random(2);
    for (std::int64_t s = 0; s < kDaySeconds; ++s) {
      file.addRunData(kStartMs + s * 1000, ValuesAt(s, random));
      if (s % 3600 == 0) file.commit();
    }
    file.close();
  }
  const auto start = Clock::now();
  const auto loaded = LoadTrend(path);
  const double ms = MsSince(start);
  std::filesystem::remove(path);
  if (loaded.failure) {
    std::printf("loading failed: %s\n", loaded.failure->english.c_str());
    return;
  }
  std::printf("load a day's recording: %zu samples in %.1f ms\n", loaded.store.size(), ms);
}

}  // namespace

int main(int argc, char** argv) {
  int repeat = 50;
  bool load = true;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
      repeat = std::max(1, std::atoi(argv[++i]));
    } else if (std::strcmp(argv[i], "--no-load") == 0) {
      load = false;
    } else {
      std::fprintf(stderr, "usage: bms-trends [--repeat N] [--no-load]\n");
      return 2;
    }
  }
  BenchTrend(repeat);
  BenchHeatMap(repeat);
  if (load) BenchLoad();
  return 0;
}
