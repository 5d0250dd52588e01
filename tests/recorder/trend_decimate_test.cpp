#include "recorder/trend_decimate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <limits>
#include <random>

namespace bms::recorder {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Series {
  std::vector<std::int64_t> times;
  std::vector<double> values;
};

// A day of one-second samples: slow noise with sharp single-sample spikes up and down.
Series Day() {
  Series series;
  std::mt19937 random(7);
  std::normal_distribution<double> noise(0, 1);
  for (std::int64_t t = 0; t < 86400; ++t) {
    double value = 50 + noise(random);
    if (t % 997 == 0) value += 40;
    if (t % 1409 == 0) value -= 40;
    series.times.push_back(t * 1000);
    series.values.push_back(value);
  }
  return series;
}

TEST(TrendDecimate, KeepsEveryColumnsExtremesWithinTwoPointsPerColumn) {
  const auto day = Day();
  for (const int width : {1, 7, 300, 1200}) {
    for (const TimeWindow window : {TimeWindow{0, 86399999}, TimeWindow{3600000, 4199999}}) {
      const auto points = Decimate(day.times, day.values, window, width);
      ASSERT_FALSE(points.empty());
      EXPECT_LE(points.size(), 2u * static_cast<std::size_t>(width) + 2) << width;
      EXPECT_TRUE(std::is_sorted(points.begin(), points.end(),
                                 [](auto& a, auto& b) { return a.timeMs <= b.timeMs; }));
      // Reference: the extremes of each column found by brute force over all samples.
      const auto length = window.toMs - window.fromMs + 1;
      std::vector<double> low(static_cast<std::size_t>(width), 1e9);
      std::vector<double> high(static_cast<std::size_t>(width), -1e9);
      for (std::size_t i = 0; i < day.times.size(); ++i) {
        if (day.times[i] < window.fromMs || day.times[i] > window.toMs) continue;
        const auto c = static_cast<std::size_t>((day.times[i] - window.fromMs) * width / length);
        low[c] = std::min(low[c], day.values[i]);
        high[c] = std::max(high[c], day.values[i]);
      }
      for (std::size_t c = 0; c < low.size(); ++c) {
        if (low[c] > high[c]) continue;  // a column narrower than the sample interval
        const auto has = [&](double value) {
          return std::any_of(points.begin(), points.end(), [&](auto& p) {
            const auto column =
                static_cast<std::size_t>((p.timeMs - window.fromMs) * width / length);
            return column == c && p.value == value;
          });
        };
        EXPECT_TRUE(has(low[c]) && has(high[c])) << "width " << width << " column " << c;
      }
      // The first and last sample of the window are kept so the line reaches the edges.
      EXPECT_EQ(points.front().timeMs,
                *std::lower_bound(day.times.begin(), day.times.end(), window.fromMs));
      EXPECT_EQ(points.back().timeMs,
                *std::prev(std::upper_bound(day.times.begin(), day.times.end(), window.toMs)));
    }
  }
}

TEST(TrendDecimate, EdgeCases) {
  const std::vector<std::int64_t> times{1000, 2000, 3000, 4000};
  const std::vector<double> values{1, kNaN, 3, 4};
  const struct {
    const char* name;
    std::size_t size;  // how many samples the table below uses
    TimeWindow window;
    int width;
    std::vector<TrendPoint> points;
  } cases[] = {
      {"no samples", 0, {0, 10000}, 100, {}},
      {"single sample", 1, {0, 10000}, 100, {{1000, 1}}},
      {"fewer samples than columns: all of them, NaN left out",
       4,
       {0, 10000},
       100,
       {{1000, 1}, {3000, 3}, {4000, 4}}},
      {"window ends are included", 4, {1000, 3000}, 100, {{1000, 1}, {3000, 3}}},
      {"window after the data", 4, {4001, 9000}, 100, {}},
      {"window before the data", 4, {0, 999}, 100, {}},
      {"one column: the middle sample is neither first, last nor extreme",
       4,
       {0, 10000},
       1,
       {{1000, 1}, {4000, 4}}},
      {"no width", 4, {0, 10000}, 0, {}},
      {"reversed window", 4, {5000, 0}, 100, {}},
  };
  for (const auto& c : cases) {
    const auto points = Decimate(std::span(times).first(c.size), std::span(values).first(c.size),
                                 c.window, c.width);
    EXPECT_EQ(points, c.points) << c.name;
  }
}

TEST(TrendDecimate, ColumnsKeepTheirExtremesInTimeOrderAndTheWindowItsEnds) {
  const std::vector<std::int64_t> times{0, 1, 2, 3, 4, 5, 6, 7, 8};
  const std::vector<double> values{5, 9, 1, 4, 8, 2, 7, 3, 6};
  const struct {
    int width;
    std::vector<TrendPoint> points;
  } cases[] = {
      {1, {{0, 5}, {1, 9}, {2, 1}, {8, 6}}},
      // The middle column drops its first (3, 4) and last (5, 2) is its lowest.
      {3, {{0, 5}, {1, 9}, {2, 1}, {4, 8}, {5, 2}, {6, 7}, {7, 3}, {8, 6}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Decimate(times, values, {0, 8}, c.width), c.points) << c.width;
  }
}

TEST(TrendDecimate, SpanWindowsEndAtTheGivenTime) {
  TrendStore store;
  store.append({5000, {}});
  store.append({9000, {}});
  const std::int64_t end = 100'000'000;
  const struct {
    TrendSpan span;
    TimeWindow window;
  } cases[] = {
      {TrendSpan::TenMinutes, {end - 600'000 + 1, end}},
      {TrendSpan::OneHour, {end - 3'600'000 + 1, end}},
      {TrendSpan::EightHours, {end - 28'800'000 + 1, end}},
      {TrendSpan::Day, {end - 86'400'000 + 1, end}},
      {TrendSpan::Whole, {5000, end}},
  };
  for (const auto& c : cases) EXPECT_EQ(SpanWindow(c.span, end, store), c.window);
  EXPECT_EQ(SpanWindow(TrendSpan::Whole, end, TrendStore()), (TimeWindow{end, end}));
}

}  // namespace
}  // namespace bms::recorder
