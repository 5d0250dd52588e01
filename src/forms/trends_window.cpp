#include "forms/tables.h"

namespace bms::forms {

namespace {

constexpr std::string_view kSpans[] = {"10 分钟", "1 小时", "8 小时", "24 小时", "全部"};

// The span and the source along the top, the lines to show below them, and the chart
// taking the rest of the window.
constexpr ControlSpec kTrendsControls[] = {
    {.name = "趋势时段标签", .kind = Kind::Label, .parent = "", .cell = {0, 0}, .caption = "时段"},
    {.name = "趋势时段下拉框",
     .kind = Kind::ComboBox,
     .parent = "",
     .cell = {0, 1},
     .items = kSpans},
    {.name = "打开录制文件按钮",
     .kind = Kind::Button,
     .parent = "",
     .cell = {0, 2},
     .caption = "打开录制…"},
    {.name = "显示实时趋势按钮",
     .kind = Kind::Button,
     .parent = "",
     .cell = {0, 3},
     .caption = "实时"},
    // Live, or the recording on show.
    {.name = "趋势来源标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {0, 4},
     .caption = "",
     .stretch = Stretch::Horizontal},
    {.name = "趋势曲线组框",
     .kind = Kind::GroupBox,
     .parent = "",
     .cell = {1, 0, 1, 5},
     .caption = "曲线",
     .stretch = Stretch::Horizontal},
    {.name = "总电压曲线选择框",
     .kind = Kind::CheckBox,
     .parent = "趋势曲线组框",
     .cell = {0, 0},
     .caption = "总电压",
     .checked = true},
    {.name = "电流曲线选择框",
     .kind = Kind::CheckBox,
     .parent = "趋势曲线组框",
     .cell = {0, 1},
     .caption = "电流"},
    {.name = "SOC曲线选择框",
     .kind = Kind::CheckBox,
     .parent = "趋势曲线组框",
     .cell = {0, 2},
     .caption = "SOC"},
    {.name = "最高单体曲线选择框",
     .kind = Kind::CheckBox,
     .parent = "趋势曲线组框",
     .cell = {0, 3},
     .caption = "最高单体电压"},
    {.name = "最低单体曲线选择框",
     .kind = Kind::CheckBox,
     .parent = "趋势曲线组框",
     .cell = {1, 0},
     .caption = "最低单体电压"},
    {.name = "单体压差曲线选择框",
     .kind = Kind::CheckBox,
     .parent = "趋势曲线组框",
     .cell = {1, 1},
     .caption = "单体压差"},
    {.name = "最高温度曲线选择框",
     .kind = Kind::CheckBox,
     .parent = "趋势曲线组框",
     .cell = {1, 2},
     .caption = "最高温度"},
    {.name = "最低温度曲线选择框",
     .kind = Kind::CheckBox,
     .parent = "趋势曲线组框",
     .cell = {1, 3},
     .caption = "最低温度"},
    {.name = "趋势图表",
     .kind = Kind::Chart,
     .parent = "",
     .cell = {2, 0, 1, 5},
     .minimumWidth = 720,
     .stretch = Stretch::Both},
};

}  // namespace

const FormTable& TrendsWindowTable() {
  static const FormTable table{.name = "trends",
                               .left = 162,
                               .top = 60,
                               .width = 800,
                               .height = 600,
                               .title = "趋势",
                               .controls = kTrendsControls};
  return table;
}

}  // namespace bms::forms
