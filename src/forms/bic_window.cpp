#include "forms/tables.h"

namespace bms::forms {

namespace {

// Three columns throughout: row title, value or input, button.
constexpr ControlSpec kBicControls[] = {
    // Method 1: write the reference voltage directly.
    {.name = "方法1标题标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {0, 0, 1, 3},
     .caption = "方法1：直接修改REF(mV)"},
    {.name = "BIC基准电压标题标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {1, 0},
     .caption = "REF（2485~2515）"},
    // Shows the answer to every request of this window.
    {.name = "BIC基准电压显示标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {1, 1},
     .caption = "*",
     .minimumWidth = 60},
    {.name = "读BIC基准电压按钮",
     .kind = Kind::Button,
     .parent = "",
     .cell = {1, 2},
     .caption = "读取"},
    {.name = "BIC基准电压设定编辑框",
     .kind = Kind::Edit,
     .parent = "",
     .cell = {2, 1},
     .caption = ""},
    {.name = "保存BIC基准电压按钮",
     .kind = Kind::Button,
     .parent = "",
     .cell = {2, 2},
     .caption = "保存"},

    // Method 2: calibrate with a measured cell voltage.
    {.name = "方法2标题标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {3, 0, 1, 3},
     .caption = "方法2：实际测试值输入(mV)"},
    {.name = "单体号标签", .kind = Kind::Label, .parent = "", .cell = {4, 0}, .caption = "单体号"},
    {.name = "BIC某节单体编号输入编辑框",
     .kind = Kind::Edit,
     .parent = "",
     .cell = {4, 1},
     .caption = ""},
    {.name = "电压值标签", .kind = Kind::Label, .parent = "", .cell = {5, 0}, .caption = "电压值"},
    {.name = "BIC某节单体电压输入编辑框",
     .kind = Kind::Edit,
     .parent = "",
     .cell = {5, 1},
     .caption = ""},
    {.name = "校准BIC某节单体电压按钮",
     .kind = Kind::Button,
     .parent = "",
     .cell = {5, 2},
     .caption = "校准"},

    // Choosing the BIC: the number labels mirror the main window's labels of the same
    // names.
    {.name = "切换至BIC单体查看按钮",
     .kind = Kind::Button,
     .parent = "",
     .cell = {6, 0, 1, 3},
     .caption = "切换至BIC单体查看页面"},
    {.name = "切换编号提示标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {7, 0, 1, 3},
     .caption = "切换至需要校准的编号"},
    {.name = "当前BIC编号标记标签1",
     .kind = Kind::Label,
     .parent = "",
     .cell = {8, 0},
     .caption = "当前第"},
    {.name = "实时返回的BIC编号标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {8, 1},
     .caption = "*",
     .minimumWidth = 30},
    {.name = "当前BIC编号标记标签2",
     .kind = Kind::Label,
     .parent = "",
     .cell = {8, 2},
     .caption = "号BIC"},
    {.name = "上一个BIC按钮", .kind = Kind::Button, .parent = "", .cell = {9, 0}, .caption = "<"},
    {.name = "计划读取的BIC编号标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {9, 1},
     .caption = "*",
     .minimumWidth = 30},
    {.name = "下一个BIC按钮", .kind = Kind::Button, .parent = "", .cell = {9, 2}, .caption = ">"},
};

}  // namespace

const FormTable& BicWindowTable() {
  // Centred on the main window when opened; this is the centre of its design place.
  static const FormTable table{.name = "bic",
                               .left = 371,
                               .top = 195,
                               .width = 382,
                               .height = 270,
                               .title = "BIC校准",
                               .controls = kBicControls};
  return table;
}

}  // namespace bms::forms
