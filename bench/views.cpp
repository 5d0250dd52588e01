// The trends chart and the pack heat map on widgets, against their budgets: a whole
// redraw of the chart over a day of one-second samples (all eight series decimated to
// the plot's width, handed to the chart, laid out and painted by the event loop) for each
// span, budget 50 ms; and one update of a 32-BIC heat map of 16 cells (a BIC's new cells
// into the model, the view, the window's content, and the widget painted), budget 5 ms.
//
// bms-views [--repeat N]

#include <QApplication>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "qt/qt_chart.h"
#include "qt/qt_heat_map.h"
#include "recorder/heat_map_window.h"
#include "recorder/trends_window.h"
#include "repeat_timing.h"

namespace {

using namespace bms;
using namespace bms::recorder;
using bench::Time;

constexpr std::int64_t kStartMs = 1'780'000'000'000;
constexpr std::int64_t kDaySeconds = 24 * 60 * 60;
constexpr int kBics = 32;
constexpr int kCells = 16;

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

void BenchChart(int repeat) {
  const auto store = DayOfSamples();
  qt::ChartControl chart(nullptr);
  chart.resize(1280, 640);
  chart.show();
  QApplication::processEvents();
  std::array<TrendSeries, kTrendSeriesCount> all{};
  for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<TrendSeries>(i);

  const struct {
    TrendSpan span;
    const char* name;
  } spans[] = {{TrendSpan::TenMinutes, "10 min"},
               {TrendSpan::OneHour, "1 h"},
               {TrendSpan::EightHours, "8 h"},
               {TrendSpan::Day, "24 h"}};
  std::printf("trend chart redraw, 8 series, 1280 x 640 px (budget 50 ms)\n");
  for (const auto& s : spans) {
    const auto window = SpanWindow(s.span, store.lastMs(), store);
    std::size_t points = 0;
    const auto figures = Time(repeat, [&] {
      const auto data = TrendChart(store, all, window, chart.plotWidth(), true);
      chart.draw(data);
      // Lays the chart out and paints it, as the window's event loop does.
      QApplication::processEvents();
      points = 0;
      for (const auto& series : data.series) points += series.points.size();
    });
    std::printf("  %-6s  median %6.2f ms  worst %6.2f ms  cpu %6.2f ms  %zu points, %d px plot\n",
                s.name, figures.median, figures.worst, figures.cpuMedian, points,
                chart.plotWidth());
  }
}

void BenchHeatMap(int repeat) {
  qt::QtHeatMap widget;
  widget.resize(1280, 720);
  widget.show();
  QApplication::processEvents();
  HeatMap map;
  std::vector<int> cells(kCells);
  std::vector<int> sensors(8, 25);
  std::int64_t now = kStartMs;
  for (int bic = 1; bic <= kBics; ++bic) {
    for (int c = 0; c < kCells; ++c) cells[static_cast<std::size_t>(c)] = 3300 + (bic * c) % 23;
    map.updateCells(now, bic, cells, 0x0101);
    map.updateTemperatures(now, bic, sensors);
  }
  int bic = 0;
  const auto figures = Time(repeat, [&] {
    now += 1000;
    bic = bic % kBics + 1;
    for (int c = 0; c < kCells; ++c)
      cells[static_cast<std::size_t>(c)] = 3290 + (now / 1000 + c) % 31;
    map.updateCells(now, bic, cells, 0x0101);
    const auto view = map.view(HeatMapMode::Voltage, now, StaleAfterMs(kBics, 1000));
    widget.setData(HeatMapContent(view, base::Language::English));
    QApplication::processEvents();
  });
  std::size_t tiles = 0;
  for (const auto& row : widget.data().rows) tiles += row.tiles.size();
  std::printf("heat map update, %d x %d cells, 1280 x 720 px (budget 5 ms)\n", kBics, kCells);
  std::printf("          median %6.2f ms  worst %6.2f ms  cpu %6.2f ms  %zu tiles\n",
              figures.median, figures.worst, figures.cpuMedian, tiles);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int repeat = 20;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--repeat") == 0) repeat = std::max(1, std::atoi(argv[i + 1]));
  }
  QApplication application(argc, argv);
  BenchChart(repeat);
  BenchHeatMap(std::max(repeat, 32));
  return 0;
}
