#include "recorder/trends_window.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string_view>

#include "base/language.h"
#include "recorder/trend_loader.h"

namespace bms::recorder {

namespace {

using base::Window;

constexpr std::string_view kSpanLabel = "趋势时段标签";
constexpr std::string_view kSpanBox = "趋势时段下拉框";
constexpr std::string_view kOpenButton = "打开录制文件按钮";
constexpr std::string_view kLiveButton = "显示实时趋势按钮";
constexpr std::string_view kSourceLabel = "趋势来源标签";
constexpr std::string_view kSeriesGroup = "趋势曲线组框";
constexpr std::string_view kChart = "趋势图表";

struct SeriesControl {
  TrendSeries series;
  std::string_view box;
  forms::Rgb colour;
};

constexpr std::array<SeriesControl, kTrendSeriesCount> kSeriesControls{{
    {TrendSeries::TotalVoltage, "总电压曲线选择框", {31, 119, 180}},
    {TrendSeries::Current, "电流曲线选择框", {255, 127, 14}},
    {TrendSeries::StateOfCharge, "SOC曲线选择框", {44, 160, 44}},
    {TrendSeries::HighestCell, "最高单体曲线选择框", {214, 39, 40}},
    {TrendSeries::LowestCell, "最低单体曲线选择框", {148, 103, 189}},
    {TrendSeries::CellSpread, "单体压差曲线选择框", {140, 86, 75}},
    {TrendSeries::HighestTemperature, "最高温度曲线选择框", {227, 119, 194}},
    {TrendSeries::LowestTemperature, "最低温度曲线选择框", {23, 190, 207}},
}};

struct Words {
  std::string_view chinese;
  std::string_view english;
};

// In the order of TrendSpan.
constexpr Words kSpans[] = {
    {"10 分钟", "10 min"}, {"1 小时", "1 h"}, {"8 小时", "8 h"},
    {"24 小时", "24 h"},   {"全部", "Whole"},
};

constexpr forms::Rgb kFaultColour{200, 0, 0};
constexpr forms::Rgb kWarningColour{230, 140, 0};

const SeriesControl& ControlOf(TrendSeries series) {
  return kSeriesControls[static_cast<std::size_t>(series)];
}

// The cells sit near 3 V, the pack hundreds of volts: each needs its own axis.
std::string_view ScaleOf(TrendSeries series) {
  const bool cell = series == TrendSeries::HighestCell || series == TrendSeries::LowestCell;
  return cell ? "cell V" : Describe(series).unit;
}

std::string_view Pick(const Words& words, bool english) {
  return english ? words.english : words.chinese;
}

}  // namespace

std::vector<forms::ChartPoint> WithGaps(std::span<const TrendPoint> points, TimeWindow window,
                                        int width) {
  const std::int64_t columnMs =
      width > 0 ? (window.toMs - window.fromMs) / width : window.toMs - window.fromMs;
  const std::int64_t gapMs = std::max(kTrendGapMs, 2 * columnMs);
  std::vector<forms::ChartPoint> shown;
  shown.reserve(points.size() + points.size() / 4);
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i > 0 && points[i].timeMs - points[i - 1].timeMs > gapMs) {
      shown.push_back({points[i - 1].timeMs, std::numeric_limits<double>::quiet_NaN()});
    }
    shown.push_back({points[i].timeMs, points[i].value});
  }
  return shown;
}

forms::ChartData TrendChart(const TrendStore& store, std::span<const TrendSeries> series,
                            TimeWindow window, int width, bool english) {
  forms::ChartData chart{.fromMs = window.fromMs, .toMs = window.toMs};
  for (const auto one : series) {
    const auto& info = Describe(one);
    const auto points = Decimate(store, one, window, width);
    chart.series.push_back({.caption = std::string(english ? info.english : info.chinese),
                            .unit = std::string(info.unit),
                            .scale = std::string(ScaleOf(one)),
                            .colour = ControlOf(one).colour,
                            .points = WithGaps(points, window, width)});
  }
  for (const auto& marker : store.markersIn(window.fromMs, window.toMs)) {
    chart.markers.push_back(
        {.xMs = marker.timeMs,
         .caption = english ? marker.english : marker.chinese,
         .colour = marker.kind == AlarmKind::Fault ? kFaultColour : kWarningColour});
  }
  return chart;
}

TrendsWindow::TrendsWindow(base::Context& context, const TrendStore& live)
    : context_(context), live_(live), timer_(context.platform.createTimer("趋势刷新定时器")) {
  timer_->onTick = [this] { onRedrawTick(); };
}

bool TrendsWindow::english() const {
  return context_.mainWindow != nullptr && base::IsEnglish(*context_.mainWindow);
}

forms::Form* TrendsWindow::window() { return context_.platform.findWindow(Window::Trends); }

void TrendsWindow::open() {
  auto& platform = context_.platform;
  const bool opened = window() == nullptr;
  auto& form = platform.openWindow(Window::Trends);
  if (!opened) return;
  // Centred on the main window.
  const auto main = platform.windowRect(Window::Main);
  auto rect = platform.windowRect(Window::Trends);
  rect.left = std::max(0, main.left + (main.width - rect.width) / 2);
  rect.top = std::max(0, main.top + (main.height - rect.height) / 2);
  platform.setWindowRect(Window::Trends, base::KeepOnScreen(platform, rect));
  // A new window starts live, over the last ten minutes.
  recording_.reset();
  recordingName_.clear();
  form.setIndex(kSpanBox, static_cast<int>(TrendSpan::TenMinutes));
  bind(form);
  showTexts();
  redraw();
  timer_->setInterval(kRedrawIntervalMs);
}

void TrendsWindow::bind(forms::Form& form) {
  form.bind(kSpanBox, forms::Event::Select, [this] { redraw(); });
  for (const auto& control : kSeriesControls) {
    form.bind(control.box, forms::Event::Click, [this] { redraw(); });
  }
  form.bind(kOpenButton, forms::Event::Click, [this] { onOpenRecording(); });
  form.bind(kLiveButton, forms::Event::Click, [this] { onLive(); });
}

void TrendsWindow::applyLanguage() {
  showTexts();
  redraw();
}

void TrendsWindow::onClosed() {
  timer_->setInterval(0);
  recording_.reset();
}

void TrendsWindow::onOpenRecording() {
  auto& platform = context_.platform;
  const bool isEnglish = english();
  const auto path = platform.chooseFileToOpen(isEnglish ? "Open recording" : "打开录制文件");
  if (!path) return;
  auto loaded = LoadTrend(*path);
  if (loaded.failure) {
    platform.showMessageBox(isEnglish ? loaded.failure->english : loaded.failure->chinese,
                            isEnglish ? "Trends" : "趋势");
    // What was read before the failure is still worth a look.
    if (loaded.store.empty()) return;
  }
  recording_ = std::move(loaded.store);
  recordingName_ = path->filename().string();
  // A recording is shown whole; it does not grow, so nothing ticks for it.
  timer_->setInterval(0);
  if (auto* form = window()) form->setIndex(kSpanBox, static_cast<int>(TrendSpan::Whole));
  showTexts();
  redraw();
}

void TrendsWindow::onLive() {
  recording_.reset();
  recordingName_.clear();
  timer_->setInterval(kRedrawIntervalMs);
  showTexts();
  redraw();
}

void TrendsWindow::onRedrawTick() {
  if (window() == nullptr) {
    timer_->setInterval(0);
    return;
  }
  // The live span ends now, so the chart moves on even without new samples.
  if (!recording_) redraw();
}

std::vector<TrendSeries> TrendsWindow::chosenSeries(const forms::Form& form) const {
  std::vector<TrendSeries> chosen;
  for (const auto& control : kSeriesControls) {
    if (form.checked(control.box)) chosen.push_back(control.series);
  }
  return chosen;
}

void TrendsWindow::redraw() {
  auto* form = window();
  if (form == nullptr) return;
  const auto& store = shown();
  const int index = form->index(kSpanBox);
  const auto span = index < 0 ? TrendSpan::TenMinutes : static_cast<TrendSpan>(index);
  const std::int64_t endMs = recording_ ? store.lastMs() : context_.platform.nowUtcMs();
  const auto chosen = chosenSeries(*form);
  form->setChart(kChart, TrendChart(store, chosen, SpanWindow(span, endMs, store),
                                    form->chartWidth(kChart), english()));
}

void TrendsWindow::showTexts() {
  auto* form = window();
  if (form == nullptr) return;
  const bool isEnglish = english();
  form->setTitle(isEnglish ? "Trends" : "趋势");
  form->setText(kSpanLabel, isEnglish ? "Span" : "时段");
  std::vector<std::string> spans;
  for (const auto& span : kSpans) spans.emplace_back(Pick(span, isEnglish));
  form->setItems(kSpanBox, spans);
  form->setText(kOpenButton, isEnglish ? "Open recording…" : "打开录制…");
  form->setText(kLiveButton, isEnglish ? "Live" : "实时");
  form->setText(kSeriesGroup, isEnglish ? "Lines" : "曲线");
  for (const auto& control : kSeriesControls) {
    const auto& info = Describe(control.series);
    form->setText(control.box, isEnglish ? info.english : info.chinese);
  }
  form->setEnabled(kLiveButton, recording_.has_value());
  if (recording_) {
    form->setText(kSourceLabel, (isEnglish ? "Recording: " : "录制文件：") + recordingName_);
  } else {
    form->setText(kSourceLabel, isEnglish ? "Live" : "实时");
  }
}

}  // namespace bms::recorder
