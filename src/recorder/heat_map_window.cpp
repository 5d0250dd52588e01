#include "recorder/heat_map_window.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/language.h"
#include "monitor/bic_detail.h"
#include "recorder/heat_map_tooltip.h"

namespace bms::recorder {

namespace {

using base::Window;

constexpr std::string_view kMode = "热图模式组合框";
constexpr std::string_view kSummary = "热图摘要标签";
constexpr std::string_view kMap = "热图";
constexpr std::string_view kStep = "热图逐个读取BIC选择框";

forms::Rgb ToForm(Rgb colour) { return {colour.red, colour.green, colour.blue}; }

std::string Unit(HeatMapMode mode) { return mode == HeatMapMode::Voltage ? " mV" : " °C"; }

std::string Number(double value, const char* format) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

forms::HeatMapData HeatMapContent(const HeatMapView& view, base::Language language) {
  forms::HeatMapData data;
  auto tile = view.tiles.begin();
  for (const int bic : view.bics) {
    auto& row = data.rows.emplace_back();
    row.caption = "BIC " + std::to_string(bic);
    for (; tile != view.tiles.end() && tile->bic == bic; ++tile) {
      row.tiles.push_back({.colour = ToForm(tile->colour),
                           .faded = tile->stale,
                           .outlined = tile->outline != Outline::None,
                           .balancing = tile->balancing,
                           .text = std::to_string(tile->value),
                           .toolTip = TileTooltip(*tile, view.mode, language)});
    }
  }
  if (data.rows.empty()) return data;
  const std::string unit = Unit(view.mode);
  for (const double value : view.legend) {
    // The mean itself carries no sign.
    const double rounded = std::round(value * 10) / 10;
    data.legend.push_back({.colour = ToForm(DivergingColour(value, view.range)),
                           .text = (rounded == 0 ? "0" : Number(rounded, "%+g")) + unit});
  }
  return data;
}

std::string HeatMapSummary(const HeatMapView& view, base::Language language) {
  const bool english = language == base::Language::English;
  const bool voltage = view.mode == HeatMapMode::Voltage;
  if (view.tiles.empty()) {
    if (!voltage) return english ? "No temperatures read yet" : "尚未读到温度";
    return english ? "No cells read yet: tick Read Cell Info on the run page"
                   : "尚未读到单体：请在运行监视页勾选“读取单体信息”";
  }
  const std::string mean = Number(view.mean, "%.1f") + Unit(view.mode);
  const std::string tiles = std::to_string(view.tiles.size());
  const std::string bics = std::to_string(view.bics.size());
  if (english) {
    return "Mean " + mean + ", " + tiles + (voltage ? " cells" : " sensors") + " of " + bics +
           " BICs; highest and lowest outlined" + (voltage ? ", balancing marked with a dot" : "");
  }
  return "平均 " + mean + "，" + bics + " 个BIC共 " + tiles + (voltage ? " 节单体" : " 个传感器") +
         "；最高与最低加框" + (voltage ? "，平衡中的单体带圆点" : "");
}

HeatMapWindow::HeatMapWindow(base::Context& context)
    : context_(context), timer_(context.platform.createTimer("热图刷新定时器")) {
  timer_->onTick = [this] { onTick(); };
}

base::Language HeatMapWindow::language() const {
  return context_.mainWindow != nullptr ? base::CurrentLanguage(*context_.mainWindow)
                                        : base::Language::Chinese;
}

void HeatMapWindow::open() {
  auto& platform = context_.platform;
  const bool opened = platform.findWindow(Window::HeatMap) == nullptr;
  auto& form = platform.openWindow(Window::HeatMap);
  if (!opened) return;
  const auto main = platform.windowRect(Window::Main);
  auto rect = platform.windowRect(Window::HeatMap);
  rect.left = std::max(0, main.left + (main.width - rect.width) / 2);
  rect.top = std::max(0, main.top + (main.height - rect.height) / 2);
  platform.setWindowRect(Window::HeatMap, base::KeepOnScreen(platform, rect));
  mode_ = HeatMapMode::Voltage;
  form.setIndex(kMode, 0);
  form.bind(kMode, forms::Event::Select, [this] {
    auto* window = context_.platform.findWindow(Window::HeatMap);
    if (window == nullptr) return;
    mode_ = window->index(kMode) == 1 ? HeatMapMode::Temperature : HeatMapMode::Voltage;
    refresh();
  });
  timer_->setInterval(kRedrawIntervalMs);
  refresh();
}

void HeatMapWindow::onCells(int bic, std::span<const int> millivolts, std::uint32_t balancing,
                            std::span<const int> celsius) {
  const auto now = context_.platform.nowUtcMs();
  map_.updateCells(now, bic, millivolts, balancing);
  map_.updateTemperatures(now, bic, celsius);
  // Stepping on once this BIC's set is in, round the pack and back to the first, fills
  // the map without a click per BIC. It only reads: the same requests as ">" makes.
  auto* form = context_.platform.findWindow(Window::HeatMap);
  auto& detail = context_.bic;
  if (form == nullptr || !form->checked(kStep) || bic != detail.plannedBic ||
      detail.installedCount < 2) {
    return;
  }
  if (detail.plannedBic >= detail.installedCount) detail.plannedBic = 0;
  monitor::NextBic(context_.main(), detail);
}

void HeatMapWindow::onNewConnection(std::string_view bmcNumber) {
  if (bmcNumber == bmcNumber_) return;
  bmcNumber_ = bmcNumber;
  map_.clear();
  refresh();
}

void HeatMapWindow::onTick() {
  // The window closed since the last tick: nothing to paint until it opens again.
  if (context_.platform.findWindow(Window::HeatMap) == nullptr) {
    timer_->setInterval(0);
    return;
  }
  refresh();
}

void HeatMapWindow::refresh() {
  auto* form = context_.platform.findWindow(Window::HeatMap);
  if (form == nullptr) return;
  const auto lang = language();
  const bool english = lang == base::Language::English;
  const auto view = map_.view(mode_, context_.platform.nowUtcMs(),
                              StaleAfterMs(context_.bic.installedCount, kCellPollIntervalMs));
  form->setTitle(english ? "Heat map" : "热图");
  form->setItems(kMode, english ? std::vector<std::string>{"Cell voltage", "Temperature"}
                                : std::vector<std::string>{"单体电压", "温度"});
  form->setText(kStep, english ? "Step through every BIC" : "逐个读取全部BIC");
  form->setText(kSummary, HeatMapSummary(view, lang));
  form->setHeatMap(kMap, HeatMapContent(view, lang));
}

}  // namespace bms::recorder
