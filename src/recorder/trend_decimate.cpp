#include "recorder/trend_decimate.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace bms::recorder {

namespace {

std::int64_t SpanMs(TrendSpan span) {
  constexpr std::int64_t kMinute = 60 * 1000;
  switch (span) {
    case TrendSpan::TenMinutes:
      return 10 * kMinute;
    case TrendSpan::OneHour:
      return 60 * kMinute;
    case TrendSpan::EightHours:
      return 8 * 60 * kMinute;
    case TrendSpan::Day:
    case TrendSpan::Whole:  // its start comes from the store, see SpanWindow
      break;
  }
  return 24 * 60 * kMinute;
}

// The samples of one pixel column, by index.
struct Column {
  std::size_t first = 0;
  std::size_t last = 0;
  std::size_t lowest = 0;
  std::size_t highest = 0;
};

// A column gives its lowest and highest sample; the window's first and last sample are
// kept too so that the line reaches both edges.
void Emit(const Column& column, bool firstColumn, bool lastColumn,
          std::span<const std::int64_t> times, std::span<const double> values,
          std::vector<TrendPoint>& points) {
  std::array<std::size_t, 4> picks{column.lowest, column.highest,
                                   firstColumn ? column.first : column.lowest,
                                   lastColumn ? column.last : column.highest};
  std::sort(picks.begin(), picks.end());
  const auto end = std::unique(picks.begin(), picks.end());
  for (auto pick = picks.begin(); pick != end; ++pick) {
    points.push_back({times[*pick], values[*pick]});
  }
}

}  // namespace

TimeWindow SpanWindow(TrendSpan span, std::int64_t endMs, const TrendStore& store) {
  if (span == TrendSpan::Whole) {
    return {store.empty() ? endMs : std::min(store.firstMs(), endMs), endMs};
  }
  return {endMs - SpanMs(span) + 1, endMs};
}

std::vector<TrendPoint> Decimate(std::span<const std::int64_t> times,
                                 std::span<const double> values, TimeWindow window, int width) {
  std::vector<TrendPoint> points;
  if (width <= 0 || window.toMs < window.fromMs) return points;
  const auto first = std::lower_bound(times.begin(), times.end(), window.fromMs);
  const auto last = std::upper_bound(first, times.end(), window.toMs);
  const auto end = static_cast<std::size_t>(last - times.begin());
  const auto length = window.toMs - window.fromMs + 1;

  // One division per column rather than per sample: the column's end time bounds a
  // plain scan for its extremes.
  auto index = static_cast<std::size_t>(first - times.begin());
  while (index < end) {
    if (std::isnan(values[index])) {
      ++index;
      continue;
    }
    const auto pixel = (times[index] - window.fromMs) * width / length;
    const auto nextColumnMs = window.fromMs + ((pixel + 1) * length + width - 1) / width;
    Column column{index, index, index, index};
    for (++index; index < end && times[index] < nextColumnMs; ++index) {
      const double value = values[index];
      if (std::isnan(value)) continue;
      column.last = index;
      if (value < values[column.lowest]) column.lowest = index;
      if (value > values[column.highest]) column.highest = index;
    }
    Emit(column, points.empty(), index >= end, times, values, points);
  }
  return points;
}

}  // namespace bms::recorder
