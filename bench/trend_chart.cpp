// The whole redraw of the trends chart on widgets: a day of one-second samples, all eight
// series decimated to the plot's width, handed to the chart control and painted, for
// each span. The budget is 50 ms a redraw.
//
// bms-trend-chart [--repeat N]

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "qt/qt_chart.h"
#include "recorder/trends_window.h"

namespace {

using namespace bms::recorder;
using Clock = std::chrono::steady_clock;

constexpr std::int64_t kStartMs = 1'780'000'000'000;
constexpr std::int64_t kDaySeconds = 24 * 60 * 60;

// A slow cycle with a fast ripple, so that every column has its own extremes.
TrendStore DayOfSamples() {
  auto store = TrendStore::Live();
  for (std::int64_t s = 0; s < kDaySeconds; ++s) {
    const double phase = std::sin(static_cast<double>(s) * 2 * 3.14159265 / 21600);
    const double ripple = std::sin(static_cast<double>(s) * 1.7);
    TrendSample sample{kStartMs + s * 1000, {}};
    for (std::size_t i = 0; i < kTrendSeriesCount; ++i) {
      sample.values[i] = 10.0 * static_cast<double>(i + 1) * (1 + 0.1 * phase) + ripple;
    }
    store.append(sample);
    if (s % 3600 == 0) store.addMarker({sample.timeMs, AlarmKind::Warning, "预警", "warning"});
  }
  return store;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int repeat = 20;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--repeat") == 0) repeat = std::max(1, std::atoi(argv[i + 1]));
  }
  QApplication application(argc, argv);
  const auto store = DayOfSamples();
  bms::qt::ChartControl chart(nullptr);
  chart.resize(1280, 640);
  chart.show();
  QApplication::processEvents();
  std::array<TrendSeries, kTrendSeriesCount> all{};
  for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<TrendSeries>(i);
  QImage image(chart.size(), QImage::Format_ARGB32_Premultiplied);

  const struct {
    TrendSpan span;
    const char* name;
  } spans[] = {{TrendSpan::TenMinutes, "10 min"},
               {TrendSpan::OneHour, "1 h"},
               {TrendSpan::EightHours, "8 h"},
               {TrendSpan::Day, "24 h"}};
  std::printf("trend chart redraw, 8 series, %d px plot (budget 50 ms)\n", chart.plotWidth());
  for (const auto& s : spans) {
    const auto window = SpanWindow(s.span, store.lastMs(), store);
    std::vector<double> ms;
    std::size_t points = 0;
    for (int i = 0; i < repeat; ++i) {
      const auto start = Clock::now();
      const auto data = TrendChart(store, all, window, chart.plotWidth(), true);
      chart.draw(data);
      QPainter painter(&image);
      chart.render(&painter);
      painter.end();
      ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
      points = 0;
      for (const auto& series : data.series) points += series.points.size();
    }
    std::sort(ms.begin(), ms.end());
    std::printf("  %-6s  median %7.2f ms  worst %7.2f ms  %zu points\n", s.name, ms[ms.size() / 2],
                ms.back(), points);
  }
  return 0;
}
