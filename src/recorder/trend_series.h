#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "monitor/run_monitor.h"

// The quantities a trend chart can show, and one sample of all of them.
namespace bms::recorder {

enum class TrendSeries {
  TotalVoltage,
  Current,
  StateOfCharge,
  HighestCell,
  LowestCell,
  CellSpread,
  HighestTemperature,
  LowestTemperature,
};

inline constexpr std::size_t kTrendSeriesCount = 8;

// Captions in both languages and the unit the values are in.
struct TrendSeriesInfo {
  std::string_view chinese;
  std::string_view english;
  std::string_view unit;
};

const TrendSeriesInfo& Describe(TrendSeries series);

// One moment of the run data. A value the BMC did not send in a readable form is NaN
// and leaves a gap in the chart rather than a false zero.
struct TrendSample {
  std::int64_t timeMs = 0;
  std::array<double, kTrendSeriesCount> values{};

  double operator[](TrendSeries series) const { return values[static_cast<std::size_t>(series)]; }
  double& operator[](TrendSeries series) { return values[static_cast<std::size_t>(series)]; }
};

// The sample of the run values as decoded at timeMs; the spread is derived from the
// highest and lowest cell.
TrendSample SampleOf(std::int64_t timeMs, const monitor::RunValues& values);

}  // namespace bms::recorder
