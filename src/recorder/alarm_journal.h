#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "base/context.h"
#include "recorder/alarm_flags.h"

namespace bms::recorder {

// One flag going on or off, and where the pack's extremes were at that moment.
struct AlarmEvent {
  std::int64_t timeMs = 0;  // since 1970, UTC
  int flag = 0;             // index into AlarmFlags()
  bool on = false;
  CellExtremes extremes;

  const AlarmFlag& describe() const { return AlarmFlags()[static_cast<std::size_t>(flag)]; }
  friend bool operator==(const AlarmEvent&, const AlarmEvent&) = default;
};

// The changes of the fault and warning flags seen in successive snapshots, the newest
// first; the oldest fall off beyond the capacity so that a long session stays small.
class AlarmJournal {
 public:
  explicit AlarmJournal(std::size_t capacity = 1000) : capacity_(capacity) {}

  // Returns the changes against the previous snapshot (all flags off before the first).
  std::vector<AlarmEvent> update(std::int64_t nowMs, const base::Alarms& alarms,
                                 const CellExtremes& extremes);
  // Forgets the entries and the last snapshot, as after a new connection.
  void clear();

  const std::deque<AlarmEvent>& newestFirst() const { return events_; }

 private:
  std::size_t capacity_;
  base::Alarms last_;
  std::deque<AlarmEvent> events_;
};

}  // namespace bms::recorder
