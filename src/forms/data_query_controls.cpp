#include "forms/tables.h"

namespace bms::forms {

namespace {

constexpr std::string_view kRecordPage = "数据查询分页选择夹.数据记录";

// Each counter row: title, value, read button; subtotal rows add the cleared-by-code part
// (hint, code box, clear button) to the right.

constexpr ControlSpec Title(std::string_view name, std::string_view group, int row,
                            std::string_view caption) {
  return {.name = name, .kind = Kind::Label, .parent = group, .cell = {row, 0}, .caption = caption};
}

constexpr ControlSpec Value(std::string_view name, std::string_view group, int row) {
  return {.name = name,
          .kind = Kind::Label,
          .parent = group,
          .cell = {row, 1},
          .caption = "*",
          .minimumWidth = 100,
          .sunken = true};
}

constexpr ControlSpec ReadButton(std::string_view name, std::string_view group, int row) {
  return {.name = name, .kind = Kind::Button, .parent = group, .cell = {row, 2}, .caption = "读取"};
}

constexpr ControlSpec ConfirmHint(std::string_view name, std::string_view group, int row) {
  return {.name = name,
          .kind = Kind::Label,
          .parent = group,
          .cell = {row, 3},
          .caption = "清零：输入585并确认"};
}

constexpr ControlSpec CodeEdit(std::string_view name, std::string_view group, int row) {
  return {.name = name, .kind = Kind::Edit, .parent = group, .cell = {row, 4}};
}

constexpr ControlSpec ClearButton(std::string_view name, std::string_view group, int row) {
  return {.name = name, .kind = Kind::Button, .parent = group, .cell = {row, 5}, .caption = "清零"};
}

constexpr ControlSpec kDataQuery[] = {
    {.name = "数据查询分页选择夹",
     .kind = Kind::TabControl,
     .parent = "总选择夹.数据查询",
     .cell = {0, 0},
     .stretch = Stretch::Both},
    {.name = kRecordPage,
     .kind = Kind::TabPage,
     .parent = "数据查询分页选择夹",
     .cell = {0, 0},
     .caption = "数据记录"},

    // Three caption-less groups, their columns lined up: run time, charge energy,
    // discharge energy.
    {.name = "分组框5",
     .kind = Kind::GroupBox,
     .parent = kRecordPage,
     .cell = {0, 0},
     .sharedColumns = true},
    {.name = "分组框6",
     .kind = Kind::GroupBox,
     .parent = kRecordPage,
     .cell = {1, 0},
     .sharedColumns = true},
    {.name = "分组框11",
     .kind = Kind::GroupBox,
     .parent = kRecordPage,
     .cell = {2, 0},
     .sharedColumns = true},

    // Run time.
    Title("本次运行时间标题", "分组框5", 0, "本次运行时间（秒）"),
    Value("本次运行时间显示", "分组框5", 0),
    ReadButton("读本次运行时间按钮", "分组框5", 0),
    Title("BMS累计运行时间标题", "分组框5", 1, "BMS累计运行时间（秒）"),
    Value("BMS累计运行时间显示", "分组框5", 1),
    ReadButton("读BMS累计运行时间按钮", "分组框5", 1),
    Title("运行时间小计1标题", "分组框5", 2, "运行时间小计1（秒）"),
    Value("运行时间小计1显示", "分组框5", 2),
    ReadButton("读运行时间小计1按钮", "分组框5", 2),
    ConfirmHint("输入585确认提示标签1", "分组框5", 2),
    CodeEdit("清时间小计1确认码编辑框", "分组框5", 2),
    ClearButton("清时间小计1按钮", "分组框5", 2),
    Title("运行时间小计2标题", "分组框5", 3, "运行时间小计2（秒）"),
    Value("运行时间小计2显示", "分组框5", 3),
    ReadButton("读运行时间小计2按钮", "分组框5", 3),
    ConfirmHint("输入585确认提示标签2", "分组框5", 3),
    CodeEdit("清时间小计2确认码编辑框", "分组框5", 3),
    ClearButton("清时间小计2按钮", "分组框5", 3),

    // Charge energy.
    Title("总累计充电电量标题", "分组框6", 0, "总累计充电电量（kWh）"),
    Value("总累计充电电量显示", "分组框6", 0),
    ReadButton("读总累计充电电量按钮", "分组框6", 0),
    Title("充电电量小计1标题", "分组框6", 1, "充电电量小计1（kWh）"),
    Value("充电电量小计1显示", "分组框6", 1),
    ReadButton("读充电电量小计1按钮", "分组框6", 1),
    ConfirmHint("输入585确认提示标签3", "分组框6", 1),
    CodeEdit("清充电电量小计1确认码编辑框", "分组框6", 1),
    ClearButton("清充电电量小计1按钮", "分组框6", 1),
    Title("充电电量小计2标题", "分组框6", 2, "充电电量小计2（kWh）"),
    Value("充电电量小计2显示", "分组框6", 2),
    ReadButton("读充电电量小计2按钮", "分组框6", 2),
    ConfirmHint("输入585确认提示标签4", "分组框6", 2),
    CodeEdit("清充电电量小计2确认码编辑框", "分组框6", 2),
    ClearButton("清充电电量小计2按钮", "分组框6", 2),

    // Discharge energy.
    Title("总累计放电电量标题", "分组框11", 0, "总累计放电电量（kWh）"),
    Value("总累计放电电量显示", "分组框11", 0),
    ReadButton("读总累计放电电量按钮", "分组框11", 0),
    Title("放电电量小计1标题", "分组框11", 1, "放电电量小计1（kWh）"),
    Value("放电电量小计1显示", "分组框11", 1),
    ReadButton("读放电电量小计1按钮", "分组框11", 1),
    ConfirmHint("输入585确认提示标签5", "分组框11", 1),
    CodeEdit("清放电电量小计1确认码编辑框", "分组框11", 1),
    ClearButton("清放电电量小计1按钮", "分组框11", 1),
    Title("放电电量小计2标题", "分组框11", 2, "放电电量小计2（kWh）"),
    Value("放电电量小计2显示", "分组框11", 2),
    ReadButton("读放电电量小计2按钮", "分组框11", 2),
    ConfirmHint("输入585确认提示标签6", "分组框11", 2),
    CodeEdit("清放电电量小计2确认码编辑框", "分组框11", 2),
    ClearButton("清放电电量小计2按钮", "分组框11", 2),
};

}  // namespace

std::span<const ControlSpec> DataQueryControls() { return kDataQuery; }

}  // namespace bms::forms
