#include "recorder/trend_store.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "recorder/recording_file.h"
#include "recorder/trend_loader.h"
#include "tests/recorder/recording_fixture.h"

namespace bms::recorder {
namespace {

TrendSample Sample(std::int64_t timeMs, double value) {
  TrendSample sample{timeMs, {}};
  sample.values.fill(value);
  return sample;
}

// Each time holds its own value in every column, so a column shifted against the times
// shows up.
void ExpectAligned(const TrendStore& store) {
  const auto times = store.times();
  for (std::size_t s = 0; s < kTrendSeriesCount; ++s) {
    const auto values = store.values(static_cast<TrendSeries>(s));
    ASSERT_EQ(values.size(), times.size());
    for (std::size_t i = 0; i < times.size(); ++i) {
      ASSERT_EQ(values[i], static_cast<double>(times[i] / 1000)) << "series " << s << " at " << i;
    }
  }
}

TEST(TrendStore, BoundedByCountAndByAgeAlignedAcrossColumnsAndInTimeOrder) {
  auto live = TrendStore::Live();  // the last day
  constexpr std::int64_t kSeconds = 25 * 3600 + 17;
  for (std::int64_t t = 0; t < kSeconds; ++t) {
    ASSERT_TRUE(live.append(Sample(t * 1000, static_cast<double>(t))));
  }
  EXPECT_EQ(live.size(), 86400u);
  EXPECT_EQ(live.lastMs(), (kSeconds - 1) * 1000);
  EXPECT_EQ(live.firstMs(), live.lastMs() - 86399 * 1000);
  ExpectAligned(live);
  TrendStore byCount(std::numeric_limits<std::int64_t>::max(), 10);
  TrendStore byAge(5000, 1'000'000);
  for (std::int64_t t = 0; t < 3000; ++t) {
    byCount.append(Sample(t * 1000, static_cast<double>(t)));
    byAge.append(Sample(t * 1000, static_cast<double>(t)));
  }
  EXPECT_EQ(byCount.size(), 10u);
  EXPECT_EQ(byCount.firstMs(), 2990 * 1000);
  EXPECT_EQ(byAge.size(), 5u);  // less than 5 s older than the newest
  EXPECT_EQ(byAge.firstMs(), 2995 * 1000);
  ExpectAligned(byCount);
  ExpectAligned(byAge);
  // Samples older than the newest are refused; one as old is taken.
  TrendStore store;
  EXPECT_TRUE(store.append(Sample(2000, 2)));
  EXPECT_TRUE(store.append(Sample(2000, 2)));
  EXPECT_FALSE(store.append(Sample(1000, 1)));
  EXPECT_EQ(store.size(), 2u);
  EXPECT_EQ(store.firstMs(), 2000);
}

TEST(TrendStore, MarkersAreAlarmOnsetsInTimeOrderAndFollowTheDroppedSamples) {
  TrendStore store(10'000, 1000);
  store.append(Sample(0, 0));
  const std::vector<AlarmEvent> events{
      {5000, 3, true, {}}, {5000, 4, false, {}}, {2000, 9, true, {}}, {7000, 3, false, {}}};
  store.addAlarmOnsets(events);
  ASSERT_EQ(store.markers().size(), 2u);
  EXPECT_EQ(store.markers()[0],
            (TrendMarker{2000, AlarmKind::Warning, std::string(AlarmFlags()[9].chinese),
                         std::string(AlarmFlags()[9].english)}));
  EXPECT_EQ(store.markers()[1].timeMs, 5000);
  EXPECT_EQ(store.markers()[1].kind, AlarmKind::Fault);

  using W = std::tuple<std::int64_t, std::int64_t, std::size_t>;
  for (const auto& [from, to, count] :
       {W{0, 1999, 0}, W{2000, 2000, 1}, W{2000, 5000, 2}, W{2001, 9000, 1}, W{6000, 9000, 0}}) {
    EXPECT_EQ(store.markersIn(from, to).size(), count) << from << "-" << to;
  }
  // Samples up to 13 s drop those before 4 s, and the marker at 2 s with them.
  for (std::int64_t t = 1; t <= 13; ++t) store.append(Sample(t * 1000, static_cast<double>(t)));
  ASSERT_EQ(store.markers().size(), 1u);
  EXPECT_EQ(store.markers()[0].timeMs, 5000);
}

TEST(TrendStore, SampleOfRunValuesDerivesTheSpreadInMillivolts) {
  monitor::RunValues values;
  values.totalVoltage = 51.2;
  values.current = -12.5;
  values.highestCellVoltage = 3.350;
  values.lowestCellVoltage = 3.312;
  values.highestCellTemperature = 31;
  values.lowestCellTemperature = -4;
  const auto sample = SampleOf(42, values);
  EXPECT_EQ(sample.timeMs, 42);
  EXPECT_EQ(sample[TrendSeries::Current], -12.5);
  EXPECT_NEAR(sample[TrendSeries::CellSpread], 38, 1e-9);
  EXPECT_EQ(sample[TrendSeries::LowestTemperature], -4);
}

TEST(TrendLoader, ReadsRunDataAndAlarmOnsetsOfARecording) {
  test::TempDir dir;
  const auto path = dir.path() / "day.bmsrec";
  RecordingFile file;
  ASSERT_TRUE(file.create(path, {"1", "2", "3"}, 1000));
  monitor::RunValues values;
  for (int i = 0; i < 5; ++i) {
    values.totalVoltage = 50 + i;
    values.stateOfCharge = i == 2 ? std::numeric_limits<double>::quiet_NaN() : 80 - i;
    values.highestCellVoltage = 3.4;
    values.lowestCellVoltage = 3.3;
    values.highestCellTemperature = 30 + i;
    ASSERT_TRUE(file.addRunData(1000 + i * 1000, values));
  }
  ASSERT_TRUE(file.addAlarm({2500, 1, true, {}}));
  ASSERT_TRUE(file.addAlarm({3500, 1, false, {}}));
  ASSERT_TRUE(file.addAlarm({4500, 12, true, {}}));
  ASSERT_TRUE(file.close());

  const auto loaded = LoadTrend(path);
  ASSERT_FALSE(loaded.failure) << loaded.failure->english;
  const auto& store = loaded.store;
  ASSERT_EQ(store.size(), 5u);
  EXPECT_EQ(store.firstMs(), 1000);
  EXPECT_EQ(store.lastMs(), 5000);
  EXPECT_EQ(store.values(TrendSeries::TotalVoltage)[3], 53);
  EXPECT_EQ(store.values(TrendSeries::StateOfCharge)[1], 79);
  EXPECT_TRUE(std::isnan(store.values(TrendSeries::StateOfCharge)[2]));  // a gap, not zero
  EXPECT_NEAR(store.values(TrendSeries::CellSpread)[0], 100, 1e-9);
  EXPECT_EQ(store.values(TrendSeries::HighestTemperature)[4], 34);
  ASSERT_EQ(store.markers().size(), 2u);
  EXPECT_EQ(store.markers()[0],
            (TrendMarker{2500, AlarmKind::Fault, std::string(AlarmFlags()[1].chinese),
                         std::string(AlarmFlags()[1].english)}));
  EXPECT_EQ(store.markers()[1].timeMs, 4500);
  EXPECT_EQ(store.markers()[1].kind, AlarmKind::Warning);
}

}  // namespace
}  // namespace bms::recorder
