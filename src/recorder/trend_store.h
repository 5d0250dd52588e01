#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "recorder/alarm_flags.h"
#include "recorder/alarm_journal.h"
#include "recorder/trend_series.h"

namespace bms::recorder {

// A fault or warning coming on, drawn as a marker on the time axis.
struct TrendMarker {
  std::int64_t timeMs = 0;
  AlarmKind kind = AlarmKind::Fault;
  std::string chinese;
  std::string english;
  friend bool operator==(const TrendMarker&, const TrendMarker&) = default;
};

// The samples of the trend charts in time order, one contiguous column per series so
// that a span is found by binary search on the times and read without copying.
//
// A live store keeps the last 24 hours (and at most a day of one-second samples); a store
// made for a recording keeps everything it is given (see LoadTrend).
//
// Live use: append SampleOf(now, values) once a set of run data is complete, and hand
// the events AlarmJournal::update returns to addAlarmOnsets. A chart then takes
// SpanWindow(span, now, store), Decimate for each series it shows, and markersIn for the
// same window.
class TrendStore {
 public:
  static constexpr std::int64_t kLiveRetentionMs = 24LL * 60 * 60 * 1000;
  static constexpr std::size_t kLiveCapacity = 24 * 60 * 60;
  // A flapping flag must not grow the markers without end.
  static constexpr std::size_t kMarkerCapacity = 10000;

  TrendStore() = default;
  // Keeps the samples less than retentionMs older than the newest, capacity at most.
  TrendStore(std::int64_t retentionMs, std::size_t capacity);
  static TrendStore Live() { return {kLiveRetentionMs, kLiveCapacity}; }

  // A sample older than the newest is refused (false): the columns stay in time order.
  bool append(const TrendSample& sample);
  void addMarker(TrendMarker marker);
  // The events that switch a flag on become markers; those switching it off do not.
  void addAlarmOnsets(std::span<const AlarmEvent> events);
  // Forgets samples and markers, as for a new connection.
  void clear();

  bool empty() const { return size() == 0; }
  std::size_t size() const { return times_.size() - begin_; }
  // Both 0 when empty.
  std::int64_t firstMs() const { return empty() ? 0 : times_[begin_]; }
  std::int64_t lastMs() const { return empty() ? 0 : times_.back(); }

  std::span<const std::int64_t> times() const { return std::span(times_).subspan(begin_); }
  std::span<const double> values(TrendSeries series) const {
    return std::span(values_[static_cast<std::size_t>(series)]).subspan(begin_);
  }
  // In time order.
  std::span<const TrendMarker> markers() const { return markers_; }
  // The markers from fromMs to toMs, both included.
  std::span<const TrendMarker> markersIn(std::int64_t fromMs, std::int64_t toMs) const;

 private:
  void trim();

  std::int64_t retentionMs_ = std::numeric_limits<std::int64_t>::max();
  std::size_t capacity_ = std::numeric_limits<std::size_t>::max();
  // Samples before begin_ are dropped already; they are erased in batches so that an
  // append costs a constant amount on average.
  std::size_t begin_ = 0;
  std::vector<std::int64_t> times_;
  std::array<std::vector<double>, kTrendSeriesCount> values_;
  std::vector<TrendMarker> markers_;
};

}  // namespace bms::recorder
