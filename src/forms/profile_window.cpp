#include "forms/tables.h"

namespace bms::forms {

namespace {

constexpr std::string_view kColumns[] = {"参数", "单位", "控制器值", "文件值", "状态"};

// The buttons along the top, the table below taking the room, then the progress and
// what the last run came to.
constexpr ControlSpec kProfileControls[] = {
    {.name = "读取全部参数按钮",
     .kind = Kind::Button,
     .parent = "",
     .cell = {0, 0},
     .caption = "读取全部"},
    {.name = "打开配置文件按钮",
     .kind = Kind::Button,
     .parent = "",
     .cell = {0, 1},
     .caption = "打开…"},
    {.name = "配置文件另存为按钮",
     .kind = Kind::Button,
     .parent = "",
     .cell = {0, 2},
     .caption = "另存为…"},
    {.name = "写入更改按钮",
     .kind = Kind::Button,
     .parent = "",
     .cell = {0, 3},
     .caption = "写入更改"},
    // Which file or template the file column holds.
    {.name = "配置文件名标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {0, 4},
     .caption = "",
     .stretch = Stretch::Horizontal},
    {.name = "参数配置表格",
     .kind = Kind::Table,
     .parent = "",
     .cell = {1, 0, 1, 5},
     .items = kColumns,
     .minimumWidth = 640,
     .stretch = Stretch::Both},
    {.name = "配置进度条", .kind = Kind::ProgressBar, .parent = "", .cell = {2, 0, 1, 5}},
    {.name = "配置结果标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {3, 0, 1, 5},
     .caption = "",
     .stretch = Stretch::Horizontal},
};

}  // namespace

const FormTable& ProfileWindowTable() {
  // Centred on the main window when opened; this is the centre of its design place.
  static const FormTable table{.name = "profile",
                               .left = 182,
                               .top = 80,
                               .width = 760,
                               .height = 560,
                               .title = "参数配置文件",
                               .controls = kProfileControls};
  return table;
}

}  // namespace bms::forms
