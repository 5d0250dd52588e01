#include "recorder/alarm_journal.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace bms::recorder {
namespace {

base::Alarms Snapshot(std::vector<int> faults, std::vector<int> warnings) {
  base::Alarms alarms;
  for (const int bit : faults) alarms.faults[static_cast<std::size_t>(bit)] = true;
  for (const int bit : warnings) alarms.warnings[static_cast<std::size_t>(bit)] = true;
  return alarms;
}

TEST(AlarmFlags, SixteenDistinctFlagsFaultsFirstEachBitOnce) {
  std::set<std::string> chinese, english;
  for (int index = 0; index < kAlarmFlagCount; ++index) {
    const auto& flag = AlarmFlags()[static_cast<std::size_t>(index)];
    EXPECT_EQ(flag.kind, index < 8 ? AlarmKind::Fault : AlarmKind::Warning) << index;
    EXPECT_EQ(flag.bit, index % 8) << index;
    EXPECT_NE(flag.english.find(index < 8 ? "fault" : "warning"), std::string_view::npos);
    EXPECT_NE(flag.chinese.find(index < 8 ? "故障" : "预警"), std::string_view::npos);
    chinese.emplace(flag.chinese);
    english.emplace(flag.english);
  }
  EXPECT_EQ(chinese.size(), 16u);
  EXPECT_EQ(english.size(), 16u);
}

TEST(AlarmJournal, EachSnapshotYieldsTheFlagsThatChanged) {
  using Changes = std::vector<AlarmChange>;
  using S = std::pair<base::Alarms, Changes>;
  AlarmJournal journal;
  std::int64_t time = 1000;
  for (const auto& [snapshot, expected] :
       {S{Snapshot({}, {}), {}}, S{Snapshot({0}, {7}), {{0, true}, {15, true}}},
        S{Snapshot({0}, {7}), {}}, S{Snapshot({0, 3}, {}), {{3, true}, {15, false}}},
        S{Snapshot({7}, {0}), {{0, false}, {3, false}, {7, true}, {8, true}}},
        S{Snapshot({}, {}), {{7, false}, {8, false}}}}) {
    const CellExtremes extremes{{2, 3, 3600 + static_cast<int>(time)}, {4, 5, 3000}};
    const auto events = journal.update(time, snapshot, extremes);
    Changes changes;
    for (const auto& event : events) {
      changes.push_back({event.flag, event.on});
      EXPECT_EQ(event.timeMs, time);
      EXPECT_EQ(event.extremes, extremes);
    }
    EXPECT_EQ(changes, expected) << "at " << time;
    time += 1000;
  }
  ASSERT_EQ(journal.newestFirst().size(), 10u);
  EXPECT_EQ(journal.newestFirst().front().timeMs, 6000);
  EXPECT_EQ(journal.newestFirst().back().timeMs, 2000);
  EXPECT_EQ(journal.newestFirst().back().describe().english, "BIC fault");
}

TEST(AlarmJournal, KeepsOnlyTheNewestEntriesUpToItsCapacity) {
  AlarmJournal journal(3);
  for (int n = 0; n < 10; ++n) {
    journal.update(n, Snapshot(n % 2 == 0 ? std::vector<int>{1} : std::vector<int>{}, {}), {});
  }
  std::vector<std::int64_t> times;
  for (const auto& event : journal.newestFirst()) times.push_back(event.timeMs);
  EXPECT_EQ(times, (std::vector<std::int64_t>{9, 8, 7}));
  EXPECT_FALSE(journal.newestFirst().front().on);

  journal.clear();
  EXPECT_TRUE(journal.newestFirst().empty());
  EXPECT_EQ(journal.update(20, Snapshot({1}, {}), {}).size(), 1u);  // on again after a clear
}

}  // namespace
}  // namespace bms::recorder
