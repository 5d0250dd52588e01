#include "monitor/bic_detail.h"

#include <string>

#include "link/hex_text.h"

namespace bms::monitor {

namespace {

constexpr forms::Rgb kCellBackground{128, 255, 0};
constexpr forms::Rgb kTemperatureBackground{255, 205, 155};
constexpr forms::Rgb kBlack{0, 0, 0};

}  // namespace

void ResetBicNavigation(forms::Form& main, BicDetail& detail) {
  main.setEnabled("上一个BIC按钮", false);
  main.setEnabled("下一个BIC按钮", false);
  detail.plannedBic = 1;
  main.setEnabled("读取单体信息选择框", false);
  main.setChecked("读取单体信息选择框", false);
}


void ClearBicDetailView(forms::Form& main, BicDetail& detail) {
  main.setText("计划读取的BIC编号标签", "*");
  main.setText("实时返回的BIC编号标签", "*");
  main.setText("实时返回的BIC电路温度标签", "*");
  detail.clearValues();
  for (std::size_t n = 1; n <= detail.cellMillivolts.size(); ++n) {
    const std::string voltage = "单体" + std::to_string(n) + "电压标签";
    main.setText(voltage, "*");
    main.setBackground(voltage, kCellBackground);
    const std::string balance = "单体" + std::to_string(n) + "平衡标签";
    main.setText(balance, "*");
    main.setBackground(balance, kCellBackground);
    main.setTextColor(balance, kBlack);
  }
  for (std::size_t n = 1; n <= detail.temperatures.size(); ++n) {
    const std::string temperature = "温度" + std::to_string(n) + "标签";
    main.setText(temperature, "*");
    main.setBackground(temperature, kTemperatureBackground);
  }
}

void DecodeInstalledBicCount(forms::Form& main, BicDetail& detail, std::string_view data1) {
  detail.installedCount = static_cast<int>(link::HexToInteger(data1.substr(0, 2)));
  detail.countKnown = true;
  const auto count = std::to_string(detail.installedCount);
  main.setText("参数标定界面安装BIC数量显示标签", count);
  main.setText("监视界面的安装BIC数量显示标签", count);
  main.setEnabled("读取单体信息选择框", true);
}

}  // namespace bms::monitor
