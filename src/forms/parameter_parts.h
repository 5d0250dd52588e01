#pragma once

// Building blocks shared by the pages of the parameter calibration tab. Private to the
// parameter_*.cpp files; the rest of the program sees only ParameterControls().

#include <span>
#include <string_view>
#include <vector>

#include "forms/form_table.h"

namespace bms::forms::parameter_parts {

inline constexpr std::string_view kTab = "参数标定选择夹";
inline constexpr std::string_view kSettingModePage = "参数标定选择夹.允许设定";
inline constexpr std::string_view kCellVoltagePage = "参数标定选择夹.单体电压";
inline constexpr std::string_view kTemperaturePage = "参数标定选择夹.温度";
inline constexpr std::string_view kBicPage = "参数标定选择夹.BIC";
inline constexpr std::string_view kPowerMeterPage = "参数标定选择夹.功率表";
inline constexpr std::string_view kPackPage = "参数标定选择夹.整组设置";
inline constexpr std::string_view kCharacteristicPage = "参数标定选择夹.特性";
inline constexpr std::string_view kSignalPage = "参数标定选择夹.信号";
inline constexpr std::string_view kDcChargePage = "参数标定选择夹.GB/T直流充电";

inline constexpr std::string_view kDegreeSign = "°C";

// Display labels show values such as "Wait" or "100.000"; keep them from collapsing
// while still empty.
inline constexpr int kValueWidth = 100;

// Step of the fine adjustment, shared by the pack current, pack voltage and DC port.
inline constexpr std::string_view kCalibrationSteps[] = {"0.01%", "0.1%", "1%", "10%"};
inline constexpr std::string_view kNoYes[] = {"NO", "YES"};

// Columns that every parameter row lines up on, so that rows of one group align. The
// value always stands in one column; its unit stands before it, or after it in the
// capacity group, each in a narrow column of its own.
inline constexpr int kTagColumn = 0;
inline constexpr int kCaptionColumn = 1;
inline constexpr int kDisplayColumn = 3;
inline constexpr int kReadColumn = 5;
inline constexpr int kInputColumn = 6;
inline constexpr int kSaveColumn = 7;
inline constexpr int kRowColumns = 8;
// A group box nested under rows spans their columns and the spare one after them, so
// that its frame, wider than the rows by its margins, widens no column of theirs.
inline constexpr int kNestedBoxColumns = kRowColumns + 1;

// Most rows show the unit before the value; the capacity group shows it after.
enum class UnitPlace { BeforeDisplay, AfterDisplay };

constexpr int UnitColumn(UnitPlace place) {
  return place == UnitPlace::BeforeDisplay ? kDisplayColumn - 1 : kDisplayColumn + 1;
}

// One parameter row; an empty name leaves that element out of the row.
struct ParameterRow {
  std::string_view tagName = {};
  std::string_view tag = {};
  std::string_view captionName = {};
  std::string_view caption = {};
  std::string_view unitName = {};
  std::string_view unit = {};
  Kind unitKind = Kind::Label;  // Kind::Picture for the degree sign
  std::string_view display = {};
  int displayWidth = kValueWidth;
  std::string_view read = {};  // caption "读取"
  std::string_view input = {};
  Kind inputKind = Kind::Edit;
  std::span<const std::string_view> items = {};
  std::string_view save = {};  // caption "保存"
};

inline void AppendRow(std::vector<ControlSpec>& out, std::string_view parent, int row,
                      const ParameterRow& r, UnitPlace place = UnitPlace::BeforeDisplay) {
  if (!r.tagName.empty()) {
    out.push_back({.name = r.tagName,
                   .kind = Kind::Label,
                   .parent = parent,
                   .cell = {row, kTagColumn},
                   .caption = r.tag});
  }
  if (!r.captionName.empty()) {
    out.push_back({.name = r.captionName,
                   .kind = Kind::Label,
                   .parent = parent,
                   .cell = {row, kCaptionColumn},
                   .caption = r.caption});
  }
  if (!r.unitName.empty()) {
    out.push_back({.name = r.unitName,
                   .kind = r.unitKind,
                   .parent = parent,
                   .cell = {row, UnitColumn(place)},
                   .caption = r.unit});
  }
  if (!r.display.empty()) {
    out.push_back({.name = r.display,
                   .kind = Kind::Label,
                   .parent = parent,
                   .cell = {row, kDisplayColumn},
                   .minimumWidth = r.displayWidth,
                   .sunken = true});
  }
  if (!r.read.empty()) {
    out.push_back({.name = r.read,
                   .kind = Kind::Button,
                   .parent = parent,
                   .cell = {row, kReadColumn},
                   .caption = "读取"});
  }
  if (!r.input.empty()) {
    out.push_back({.name = r.input,
                   .kind = r.inputKind,
                   .parent = parent,
                   .cell = {row, kInputColumn},
                   .items = r.items});
  }
  if (!r.save.empty()) {
    out.push_back({.name = r.save,
                   .kind = Kind::Button,
                   .parent = parent,
                   .cell = {row, kSaveColumn},
                   .caption = "保存"});
  }
}

// Rows in order, one grid row each from firstRow on.
inline void AppendRows(std::vector<ControlSpec>& out, std::string_view parent,
                       std::span<const ParameterRow> rows, int firstRow = 0,
                       UnitPlace place = UnitPlace::BeforeDisplay) {
  for (const ParameterRow& r : rows) AppendRow(out, parent, firstRow++, r, place);
}

inline void Append(std::vector<ControlSpec>& out, std::span<const ControlSpec> controls) {
  out.insert(out.end(), controls.begin(), controls.end());
}

// The controls of each page, group boxes before their contents.
std::vector<ControlSpec> SettingModeControls();     // "允许设定"
std::vector<ControlSpec> CellVoltageControls();     // "单体电压"
std::vector<ControlSpec> TemperatureControls();     // "温度"
std::vector<ControlSpec> BicControls();             // "BIC"
std::vector<ControlSpec> PowerMeterControls();      // "功率表"
std::vector<ControlSpec> PackControls();            // "整组设置"
std::vector<ControlSpec> CharacteristicControls();  // "特性"
std::vector<ControlSpec> SignalControls();          // "信号"
std::vector<ControlSpec> DcChargeControls();        // "GB/T直流充电"

}  // namespace bms::forms::parameter_parts
