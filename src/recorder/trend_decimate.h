#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "recorder/trend_store.h"

// Cuts a span of samples down to what a chart of a given width can show: per pixel
// column the lowest and highest sample, so that no peak is lost, and half the points
// of also keeping each column's first and last, which a pixel cannot tell apart.
namespace bms::recorder {

struct TrendPoint {
  std::int64_t timeMs = 0;
  double value = 0;
  friend bool operator==(const TrendPoint&, const TrendPoint&) = default;
};

enum class TrendSpan { TenMinutes, OneHour, EightHours, Day, Whole };

// From fromMs to toMs, both included.
struct TimeWindow {
  std::int64_t fromMs = 0;
  std::int64_t toMs = 0;
  friend bool operator==(const TimeWindow&, const TimeWindow&) = default;
};

// The span ending at endMs (now for a live chart, the store's last sample for a
// recording); the whole span starts at the store's first sample.
TimeWindow SpanWindow(TrendSpan span, std::int64_t endMs, const TrendStore& store);

// At most two points per column plus the window's first and last sample, in time
// order; NaN values are left out. times must
// be in ascending order; the cost is a binary search plus the samples in the window.
std::vector<TrendPoint> Decimate(std::span<const std::int64_t> times,
                                 std::span<const double> values, TimeWindow window, int width);

inline std::vector<TrendPoint> Decimate(const TrendStore& store, TrendSeries series,
                                        TimeWindow window, int width) {
  return Decimate(store.times(), store.values(series), window, width);
}

}  // namespace bms::recorder
