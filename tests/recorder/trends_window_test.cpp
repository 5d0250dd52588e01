// The trends window: the chosen lines over the chosen span, decimated to the chart's
// width, alarm onsets as markers, live and from a recording, in both languages.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "backends.h"
#include "recorder/trends_window.h"
#include "testing/driver.h"
#include "testing/fake_platform.h"

namespace bms::testing {
namespace {

using recorder::TrendSeries;
using recorder::TrendSpan;

constexpr const char* kChart = "trends:趋势图表";
constexpr const char* kSpan = "trends:趋势时段下拉框";
constexpr const char* kSource = "trends:趋势来源标签";
constexpr std::int64_t kMinuteMs = 60'000;

std::string Frame(const std::string& id, const std::string& data1, const std::string& data2) {
  return "T,05F5E100,7," + id + "," + data1 + "," + data2 + ",\r\n";
}

// One complete run data set: 1 A at 50 V, the fault byte as given.
std::string RunDataSet(const std::string& faults = "00") {
  return Frame("09A10001", "00000000", "00000000") + Frame("09A10002", "00000000", "00000000") +
         Frame("09A10003", "3F800000", "42480000") + Frame("09A10004", "02100D00", "0CE41A19") +
         Frame("09A10005", faults + "001A1B", "00000000");
}

std::size_t Drawn(const forms::ChartSeries& series) {
  std::size_t count = 0;
  for (const auto& point : series.points) count += std::isnan(point.y) ? 0 : 1;
  return count;
}

std::size_t Breaks(const forms::ChartSeries& series) {
  return series.points.size() - Drawn(series);
}

class TrendsWindow : public ::testing::TestWithParam<Backend> {
 protected:
  Driver driver{GetParam()};
};

TEST_P(TrendsWindow, ShowsTheChosenLinesAndAlarmOnsetsLiveInBothLanguagesTillClosed) {
  StartConnected(driver);
  driver.click("简体中文单选框");
  driver.receive(RunDataSet());
  driver.advance(1000);
  driver.receive(RunDataSet("02"));
  driver.advance(1000);
  driver.receive(RunDataSet("02"));

  ASSERT_TRUE(driver.click("趋势按钮"));
  ASSERT_TRUE(driver.isOpen("trends"));
  EXPECT_EQ(driver.title("trends"), "趋势");
  EXPECT_EQ(driver.text(kSpan), "10 分钟");
  auto chart = driver.chart(kChart);
  EXPECT_EQ(chart.toMs - chart.fromMs + 1, 10 * kMinuteMs);  // both ends included
  EXPECT_EQ(chart.toMs, kUtcAtZeroMs + 2000);
  ASSERT_EQ(chart.series.size(), 1U);
  EXPECT_EQ(chart.series[0].caption, "总电压");
  EXPECT_EQ(chart.series[0].unit, "V");
  ASSERT_EQ(chart.series[0].points.size(), 3U);
  EXPECT_EQ(chart.series[0].points[0].xMs, kUtcAtZeroMs);
  EXPECT_DOUBLE_EQ(chart.series[0].points[2].y, 50.0);
  // The fault came on once, however long it stayed.
  ASSERT_EQ(chart.markers.size(), 1U);
  EXPECT_EQ(chart.markers[0].xMs, kUtcAtZeroMs + 1000);
  EXPECT_EQ(chart.markers[0].caption, "单体电压故障");

  ASSERT_TRUE(driver.click("trends:电流曲线选择框"));
  chart = driver.chart(kChart);
  ASSERT_EQ(chart.series.size(), 2U);
  EXPECT_EQ(chart.series[1].caption, "电流");
  EXPECT_DOUBLE_EQ(chart.series[1].points[0].y, 1.0);

  driver.click("英文单选框");
  EXPECT_EQ(driver.title("trends"), "Trends");
  EXPECT_EQ(driver.text("趋势按钮"), "Trends");
  EXPECT_EQ(driver.items(kSpan),
            (std::vector<std::string>{"10 min", "1 h", "8 h", "24 h", "Whole"}));
  EXPECT_EQ(driver.text("trends:电流曲线选择框"), "Current");
  chart = driver.chart(kChart);
  EXPECT_EQ(chart.series[0].caption, "Total voltage");
  EXPECT_EQ(chart.markers[0].caption, "Cell-V fault");

  // Live: the next redraw takes the new sample and moves the span on.
  driver.receive(RunDataSet());
  driver.advance(1000);
  chart = driver.chart(kChart);
  EXPECT_EQ(chart.series[0].points.size(), 4U);
  EXPECT_EQ(chart.toMs, kUtcAtZeroMs + 3000);

  driver.select(kSpan, static_cast<int>(TrendSpan::OneHour));
  EXPECT_EQ(driver.chart(kChart).toMs - driver.chart(kChart).fromMs + 1, 60 * kMinuteMs);

  // It stops redrawing when closed, and closes with the main window.
  EXPECT_EQ(driver.interval("趋势刷新定时器"), recorder::TrendsWindow::kRedrawIntervalMs);
  driver.closeWindow("trends");
  EXPECT_EQ(driver.interval("趋势刷新定时器"), 0);
  driver.click("趋势按钮");
  driver.closeMainWindow();
  EXPECT_FALSE(driver.isOpen("trends"));
  EXPECT_EQ(driver.interval("趋势刷新定时器"), 0);
}

TEST_P(TrendsWindow, OpensARecordingWholeRefusesAnyOtherFileAndGoesBackToLive) {
  StartConnected(driver);
  driver.click("英文单选框");
  driver.answerSaveFile("session.sqlite");
  driver.click("录制按钮");
  for (const auto* faults : {"00", "02", "02", "00"}) {
    driver.receive(RunDataSet(faults));
    driver.advance(kMinuteMs);
  }
  driver.click("录制按钮");
  driver.click("趋势按钮");
  // A file that is no recording is reported and the chart stays live.
  driver.writeFile("notes.sqlite", "not a database");
  driver.answerOpenFile("notes.sqlite");
  driver.click("trends:打开录制文件按钮");
  ASSERT_EQ(driver.messageBoxes().size(), 1U);
  EXPECT_EQ(driver.messageBoxes()[0].title, "Trends");
  EXPECT_EQ(driver.text(kSource), "Live");

  driver.answerOpenFile("session.sqlite");
  ASSERT_TRUE(driver.click("trends:打开录制文件按钮"));
  EXPECT_EQ(driver.text(kSpan), "Whole");
  EXPECT_EQ(driver.text(kSource), "Recording: session.sqlite");
  auto chart = driver.chart(kChart);
  EXPECT_EQ(chart.fromMs, kUtcAtZeroMs);
  EXPECT_EQ(chart.toMs, kUtcAtZeroMs + 3 * kMinuteMs);
  ASSERT_EQ(chart.series.size(), 1U);
  EXPECT_EQ(Drawn(chart.series[0]), 4U);
  ASSERT_EQ(chart.markers.size(), 1U);
  EXPECT_EQ(chart.markers[0].xMs, kUtcAtZeroMs + kMinuteMs);
  // Live samples do not change a recording on show.
  driver.receive(RunDataSet());
  driver.advance(2000);
  EXPECT_EQ(driver.chart(kChart).toMs, kUtcAtZeroMs + 3 * kMinuteMs);

  ASSERT_TRUE(driver.click("trends:显示实时趋势按钮"));
  EXPECT_EQ(driver.text(kSource), "Live");
  EXPECT_EQ(driver.chart(kChart).toMs, kUtcAtZeroMs + 4 * kMinuteMs + 2000);
  EXPECT_FALSE(driver.enabled("trends:显示实时趋势按钮"));
}

TEST_P(TrendsWindow, ALostLinkLeavesAGapAndTheLineGoesOnAfterTheReconnection) {
  driver.writeFile("bms_user.txt", "127.0.0.1,8000,572906,100000000,0,0,1,1,");
  driver.start();
  driver.click("自动重连选择框");
  driver.click("通信按钮");
  driver.click("趋势按钮");
  driver.receive(RunDataSet());
  driver.advance(1000);
  driver.receive(RunDataSet());
  driver.peerClose();
  driver.advance(30'000);
  ASSERT_EQ(driver.link(), "tcp 127.0.0.1:8000");
  driver.receive(RunDataSet());
  driver.advance(1000);
  ASSERT_TRUE(driver.isOpen("trends"));
  const auto chart = driver.chart(kChart);
  ASSERT_EQ(chart.series.size(), 1U);
  EXPECT_EQ(Drawn(chart.series[0]), 3U);
  EXPECT_EQ(Breaks(chart.series[0]), 1U);
  EXPECT_TRUE(std::isnan(chart.series[0].points[2].y));
}

INSTANTIATE_TEST_SUITE_P(Backends, TrendsWindow, AllBackends(), BackendName);

// A day of one-second samples: a slow ramp with one spike.
recorder::TrendStore DayOfSamples(std::int64_t spikeMs) {
  auto store = recorder::TrendStore::Live();
  constexpr std::int64_t kDayMs = 24LL * 60 * kMinuteMs;
  for (std::int64_t t = 0; t <= kDayMs; t += 1000) {
    recorder::TrendSample sample{t, {}};
    sample.values.fill(static_cast<double>(t) / kDayMs);
    sample[TrendSeries::Current] = t == spikeMs ? 500.0 : 1.0;
    store.append(sample);
  }
  return store;
}

TEST(TrendChart, EverySpanDrawsAtMostFourPointsPerPixelAndKeepsThePeak) {
  constexpr std::int64_t kSpikeMs = 24LL * 60 * kMinuteMs - 90'000;
  const auto store = DayOfSamples(kSpikeMs);
  const TrendSeries shown[] = {TrendSeries::TotalVoltage, TrendSeries::Current};
  using C = std::pair<TrendSpan, int>;  // span, width
  for (const auto& [span, width] :
       {C{TrendSpan::TenMinutes, 100}, C{TrendSpan::OneHour, 300}, C{TrendSpan::EightHours, 640},
        C{TrendSpan::Day, 1000}, C{TrendSpan::Whole, 1920}}) {
    const auto window = recorder::SpanWindow(span, store.lastMs(), store);
    const auto chart = recorder::TrendChart(store, shown, window, width, false);
    ASSERT_EQ(chart.series.size(), 2U);
    for (const auto& series : chart.series) {
      EXPECT_LE(Drawn(series), 4U * static_cast<std::size_t>(width)) << width;
      // Dense data fills every column.
      EXPECT_GE(Drawn(series), static_cast<std::size_t>(width)) << width;
      EXPECT_EQ(Breaks(series), 0U) << width;
    }
    double highest = 0;
    for (const auto& point : chart.series[1].points) highest = std::max(highest, point.y);
    EXPECT_EQ(highest, 500.0) << width;
  }
}

TEST(TrendChart, MarkersAreOnsetsInTheWindowByKindAndCellVoltagesShareAnAxis) {
  auto store = recorder::TrendStore::Live();
  store.addMarker({1000, recorder::AlarmKind::Fault, "故障", "fault"});
  store.addMarker({5000, recorder::AlarmKind::Warning, "预警", "warning"});
  store.addMarker({9000, recorder::AlarmKind::Fault, "故障", "late"});
  const TrendSeries shown[] = {TrendSeries::TotalVoltage, TrendSeries::HighestCell,
                               TrendSeries::LowestCell};
  const auto chart = recorder::TrendChart(store, shown, {0, 6000}, 100, true);
  ASSERT_EQ(chart.markers.size(), 2U);
  EXPECT_EQ(chart.markers[0].caption, "fault");
  EXPECT_EQ(chart.markers[1].caption, "warning");
  EXPECT_NE(chart.markers[0].colour, chart.markers[1].colour);
  // The cells' axis is apart from the pack voltage's, though both are in volts.
  ASSERT_EQ(chart.series.size(), 3U);
  EXPECT_EQ(chart.series[1].scale, chart.series[2].scale);
  EXPECT_NE(chart.series[0].scale, chart.series[1].scale);
  EXPECT_EQ(chart.series[1].unit, chart.series[0].unit);
}

TEST(TrendGaps, ALineBreaksOnlyWhereSamplesAreFurtherApartThanAGapOrTwoColumns) {
  using Points = std::vector<recorder::TrendPoint>;
  using Nans = std::vector<std::size_t>;  // indexes of the NaN points in the result
  using C = std::tuple<const char*, Points, recorder::TimeWindow, int, Nans>;
  // A day on 100 pixels: a column is 14.4 minutes, so a minute is no gap.
  for (const auto& [what, points, window, width, breaksAt] :
       {C{"steady samples", {{0, 1}, {1000, 2}, {2000, 3}}, {0, 600'000}, 600, {}},
        C{"a pause of a minute", {{0, 1}, {1000, 2}, {61'000, 3}}, {0, 600'000}, 600, {2}},
        C{"two pauses", {{0, 1}, {20'000, 2}, {40'000, 3}}, {0, 600'000}, 600, {1, 3}},
        C{"wide columns", {{0, 1}, {60'000, 2}}, {0, 86'400'000}, 100, {}},
        C{"exactly the gap", {{0, 1}, {recorder::kTrendGapMs, 2}}, {0, 600'000}, 600, {}}}) {
    const auto shown = recorder::WithGaps(points, window, width);
    std::vector<std::size_t> breaks;
    for (std::size_t i = 0; i < shown.size(); ++i) {
      if (std::isnan(shown[i].y)) breaks.push_back(i);
    }
    EXPECT_EQ(breaks, breaksAt) << what;
    EXPECT_EQ(shown.size(), points.size() + breaksAt.size()) << what;
  }
}

}  // namespace
}  // namespace bms::testing
