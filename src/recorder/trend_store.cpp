#include "recorder/trend_store.h"

#include <algorithm>

namespace bms::recorder {

namespace {

// Dropped samples are erased once they are this many and a quarter of those kept, so
// the columns hold at most a quarter more than the capacity.
constexpr std::size_t kEraseBatch = 1024;

bool Earlier(const TrendMarker& marker, std::int64_t timeMs) { return marker.timeMs < timeMs; }
bool Before(std::int64_t timeMs, const TrendMarker& marker) { return timeMs < marker.timeMs; }

}  // namespace

TrendStore::TrendStore(std::int64_t retentionMs, std::size_t capacity)
    : retentionMs_(retentionMs), capacity_(capacity) {}

bool TrendStore::append(const TrendSample& sample) {
  if (!empty() && sample.timeMs < lastMs()) return false;
  times_.push_back(sample.timeMs);
  for (std::size_t s = 0; s < kTrendSeriesCount; ++s) values_[s].push_back(sample.values[s]);
  trim();
  return true;
}

void TrendStore::trim() {
  const auto oldBegin = begin_;
  const auto newest = times_.back();
  if (newest - times_[begin_] >= retentionMs_) {
    const auto kept = std::lower_bound(times_.begin() + static_cast<std::ptrdiff_t>(begin_),
                                       times_.end(), newest - retentionMs_ + 1);
    begin_ = static_cast<std::size_t>(kept - times_.begin());
  }
  if (size() > capacity_) begin_ = times_.size() - capacity_;
  if (begin_ == oldBegin) return;

  // Markers before the oldest sample point at nothing on the chart any more.
  markers_.erase(markers_.begin(),
                 std::lower_bound(markers_.begin(), markers_.end(), firstMs(), Earlier));
  if (begin_ >= kEraseBatch && begin_ >= size() / 4) {
    const auto end = static_cast<std::ptrdiff_t>(begin_);
    times_.erase(times_.begin(), times_.begin() + end);
    for (auto& column : values_) column.erase(column.begin(), column.begin() + end);
    begin_ = 0;
  }
}

void TrendStore::addMarker(TrendMarker marker) {
  const auto at = std::upper_bound(markers_.begin(), markers_.end(), marker.timeMs, Before);
  markers_.insert(at, std::move(marker));
  if (markers_.size() > kMarkerCapacity) markers_.erase(markers_.begin());
}

void TrendStore::addAlarmOnsets(std::span<const AlarmEvent> events) {
  for (const auto& event : events) {
    if (!event.on) continue;
    const auto& flag = event.describe();
    addMarker({event.timeMs, flag.kind, std::string(flag.chinese), std::string(flag.english)});
  }
}

void TrendStore::clear() {
  begin_ = 0;
  times_.clear();
  for (auto& column : values_) column.clear();
  markers_.clear();
}

std::span<const TrendMarker> TrendStore::markersIn(std::int64_t fromMs, std::int64_t toMs) const {
  const auto from = std::lower_bound(markers_.begin(), markers_.end(), fromMs, Earlier);
  const auto to = std::upper_bound(from, markers_.end(), toMs, Before);
  return {from, to};
}

}  // namespace bms::recorder
