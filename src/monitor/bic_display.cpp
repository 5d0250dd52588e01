#include "monitor/bic_display.h"

#include "forms/colours.h"
#include "wire/number_text.h"

namespace bms::monitor {

namespace {

using forms::colours::kBlack;
using forms::colours::kRed;

}  // namespace

std::string CellVoltageLabel(int cell) { return "单体" + std::to_string(cell) + "电压标签"; }

std::string CellBalanceLabel(int cell) { return "单体" + std::to_string(cell) + "平衡标签"; }

std::string TemperatureLabel(int sensor) { return "温度" + std::to_string(sensor) + "标签"; }

void ShowBalancing(forms::Form& main, const base::BicState& detail, std::uint32_t bitmap) {
  const int cells = static_cast<int>(detail.cellMillivolts.size());
  for (int n = 1; n <= cells; ++n, bitmap >>= 1) {
    const auto label = CellBalanceLabel(n);
    const bool on = (bitmap & 1U) != 0;
    if (n > detail.cellsOnBic) {
      main.setText(label, "*");
      main.setTextColor(label, kBlack);
    } else {
      main.setText(label, on ? "ON" : "OFF");
      main.setTextColor(label, on ? kRed : kBlack);
    }
  }
}

void ShowCellVoltages(forms::Form& main, const base::BicState& detail) {
  const int cells = static_cast<int>(detail.cellMillivolts.size());
  for (int n = 1; n <= cells; ++n) {
    const auto label = CellVoltageLabel(n);
    const int millivolts = detail.cellMillivolts[static_cast<std::size_t>(n - 1)];
    main.setText(
        label, n > detail.cellsOnBic ? "*" : wire::FormatThreeDecimals(millivolts / 1000.0) + "V");
    main.setBackground(label, kCellBackground);
  }
}

void ShowTemperatures(forms::Form& main, const base::BicState& detail) {
  const int sensors = static_cast<int>(detail.temperatures.size());
  for (int n = 1; n <= sensors; ++n) {
    const auto label = TemperatureLabel(n);
    const int celsius = detail.temperatures[static_cast<std::size_t>(n - 1)];
    main.setText(label, n > detail.sensorsOnBic ? "*" : std::to_string(celsius));
    main.setBackground(label, kTemperatureBackground);
  }
}

}  // namespace bms::monitor
