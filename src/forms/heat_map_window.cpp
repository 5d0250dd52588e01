#include "forms/tables.h"

namespace bms::forms {

namespace {

constexpr std::string_view kModes[] = {"单体电压", "温度"};

// The mode switch, what the map shows and the stepping switch along the top; the map
// takes the rest.
constexpr ControlSpec kHeatMapControls[] = {
    {.name = "热图模式组合框",
     .kind = Kind::ComboBox,
     .parent = "",
     .cell = {0, 0},
     .items = kModes,
     .minimumWidth = 120},
    {.name = "热图摘要标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {0, 1},
     .caption = "",
     .stretch = Stretch::Horizontal},
    {.name = "热图逐个读取BIC选择框",
     .kind = Kind::CheckBox,
     .parent = "",
     .cell = {0, 2},
     .caption = "逐个读取全部BIC"},
    {.name = "热图",
     .kind = Kind::HeatMap,
     .parent = "",
     .cell = {1, 0, 1, 3},
     .minimumWidth = 640,
     .stretch = Stretch::Both},
};

}  // namespace

const FormTable& HeatMapWindowTable() {
  static const FormTable table{.name = "heatmap",
                               .left = 132,
                               .top = 60,
                               .width = 860,
                               .height = 640,
                               .title = "热图",
                               .controls = kHeatMapControls};
  return table;
}

}  // namespace bms::forms
