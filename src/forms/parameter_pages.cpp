// The parameter calibration page of the main window: its tab control with nine pages,
// the hint below it, and the contents of every page joined in page order.

#include <iterator>
#include <vector>

#include "forms/parameter_parts.h"
#include "forms/tables.h"

namespace bms::forms {

namespace {

using namespace parameter_parts;

constexpr std::string_view kMainPage = "总选择夹.参数标定";

constexpr ControlSpec kFrame[] = {
    {.name = kTab,
     .kind = Kind::TabControl,
     .parent = kMainPage,
     .cell = {0, 0},
     .stretch = Stretch::Both},
    // Pages in the order the user sees them.
    {.name = kSettingModePage,
     .kind = Kind::TabPage,
     .parent = kTab,
     .cell = {0, 0},
     .caption = "允许设定"},
    {.name = kCellVoltagePage,
     .kind = Kind::TabPage,
     .parent = kTab,
     .cell = {0, 1},
     .caption = "单体电压"},
    {.name = kTemperaturePage,
     .kind = Kind::TabPage,
     .parent = kTab,
     .cell = {0, 2},
     .caption = "温度"},
    {.name = kBicPage, .kind = Kind::TabPage, .parent = kTab, .cell = {0, 3}, .caption = "BIC"},
    {.name = kPowerMeterPage,
     .kind = Kind::TabPage,
     .parent = kTab,
     .cell = {0, 4},
     .caption = "功率表"},
    {.name = kPackPage,
     .kind = Kind::TabPage,
     .parent = kTab,
     .cell = {0, 5},
     .caption = "整组设置"},
    {.name = kCharacteristicPage,
     .kind = Kind::TabPage,
     .parent = kTab,
     .cell = {0, 6},
     .caption = "特性"},
    {.name = kSignalPage, .kind = Kind::TabPage, .parent = kTab, .cell = {0, 7}, .caption = "信号"},
    {.name = kDcChargePage,
     .kind = Kind::TabPage,
     .parent = kTab,
     .cell = {0, 8},
     .caption = "GB/T直流充电"},
    // Saves are never read back automatically, so the user is reminded to do it.
    {.name = "设置提示信息标签",
     .kind = Kind::Label,
     .parent = kMainPage,
     .cell = {1, 0},
     .caption = "保存设定后，请务必多次重新读取各个参数，仔细核对是否正确！",
     .stretch = Stretch::Horizontal},
};

std::vector<ControlSpec> JoinParameterControls() {
  std::vector<ControlSpec> all(std::begin(kFrame), std::end(kFrame));
  for (const auto& page : {SettingModeControls(), CellVoltageControls(), TemperatureControls(),
                           BicControls(), PowerMeterControls(), PackControls(),
                           CharacteristicControls(), SignalControls(), DcChargeControls()}) {
    Append(all, page);
  }
  return all;
}

}  // namespace

std::span<const ControlSpec> ParameterControls() {
  static const std::vector<ControlSpec> controls = JoinParameterControls();
  return controls;
}

}  // namespace bms::forms
