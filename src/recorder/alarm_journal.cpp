#include "recorder/alarm_journal.h"

namespace bms::recorder {

std::vector<AlarmEvent> AlarmJournal::update(std::int64_t nowMs, const base::Alarms& alarms,
                                             const CellExtremes& extremes) {
  std::vector<AlarmEvent> changes;
  for (const auto& change : AlarmTransitions(last_, alarms)) {
    changes.push_back({nowMs, change.flag, change.on, extremes});
  }
  last_ = alarms;
  for (const auto& event : changes) {
    events_.push_front(event);
    if (events_.size() > capacity_) events_.pop_back();
  }
  return changes;
}

void AlarmJournal::clear() {
  last_ = {};
  events_.clear();
}

}  // namespace bms::recorder
