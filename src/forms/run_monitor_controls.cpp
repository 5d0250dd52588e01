#include "forms/tables.h"

namespace bms::forms {

namespace {

constexpr std::string_view kRunMonitorPage = "总选择夹.运行监视";
constexpr std::string_view kRunInfoPage = "运行信息选择夹.运行信息";
constexpr std::string_view kAppendInfoPage = "运行信息选择夹.附加信息";
constexpr std::string_view kControlPage = "运行信息选择夹.控制";
constexpr std::string_view kPasswordPage = "运行信息选择夹.访问密码";
constexpr std::string_view kCellGroup = "分组框1";

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kSilver{192, 192, 192};

// Run information rows: caption and value share one background per row.
constexpr Rgb kChargeStateBlue{140, 172, 255};
constexpr Rgb kPowerOrange{254, 175, 112};
constexpr Rgb kElectricGreen{128, 224, 0};
constexpr Rgb kCellVoltageYellow{255, 255, 0};
constexpr Rgb kCellTemperaturePink{255, 168, 255};
constexpr Rgb kCapabilityGreen{0, 224, 128};
constexpr Rgb kBmcTemperatureYellow{216, 216, 0};
constexpr Rgb kBoardTemperatureGrey{236, 236, 236};
// Fault matrix column captions alternate between these two.
constexpr Rgb kColumnCyan{128, 255, 255};
constexpr Rgb kColumnApricot{255, 213, 170};

// Cell detail group.
constexpr Rgb kBicCountBlue{90, 245, 254};
constexpr Rgb kCyan{0, 255, 255};
constexpr Rgb kLiveBicYellow{230, 236, 0};
constexpr Rgb kCellNumberGreen{128, 224, 0};
constexpr Rgb kCellValueGreen{128, 255, 0};
constexpr Rgb kSensorNumberYellow{216, 216, 0};
constexpr Rgb kSensorValueOrange{255, 205, 155};

// --- "运行信息" page -------------------------------------------------------------------
// Columns: 0 captions, 1 the thin run-info lamp, 2-3 values (temperatures use column 2
// and put their unit picture in column 3), 4-8 the right-hand area; the fault matrix below
// uses column 0 for its row captions and columns 1-8 for its eight columns.

constexpr ControlSpec RunCaption(std::string_view name, int row, std::string_view caption,
                                 Rgb background) {
  return {.name = name,
          .kind = Kind::Label,
          .parent = kRunInfoPage,
          .cell = {row, 0},
          .caption = caption,
          .background = background,
          .minimumWidth = 212};
}

constexpr ControlSpec RunValue(std::string_view name, int row, Rgb background) {
  return {.name = name,
          .kind = Kind::Label,
          .parent = kRunInfoPage,
          .cell = {row, 2, 1, 2},
          .caption = "*",
          .background = background,
          .minimumWidth = 102};
}

constexpr ControlSpec RunTemperature(std::string_view name, int row, Rgb background) {
  return {.name = name,
          .kind = Kind::Label,
          .parent = kRunInfoPage,
          .cell = {row, 2},
          .caption = "*",
          .background = background,
          .minimumWidth = 48};
}

constexpr ControlSpec DegreePicture(std::string_view name, std::string_view parent, Cell cell) {
  return {.name = name, .kind = Kind::Picture, .parent = parent, .cell = cell, .caption = "°C"};
}

constexpr ControlSpec MatrixColumnCaption(std::string_view name, int column,
                                          std::string_view caption, Rgb background) {
  return {.name = name,
          .kind = Kind::Label,
          .parent = kRunInfoPage,
          .cell = {14, column},
          .caption = caption,
          .background = background};
}

constexpr ControlSpec AlarmLamp(std::string_view name, int row, int column) {
  return {.name = name,
          .kind = Kind::Shape,
          .parent = kRunInfoPage,
          .cell = {row, column},
          .fill = kWhite,
          .minimumWidth = 20};
}

// --- "附加信息" page ---------------------------------------------------------------------

constexpr ControlSpec Caption(std::string_view name, std::string_view parent, Cell cell,
                              std::string_view caption) {
  return {.name = name, .kind = Kind::Label, .parent = parent, .cell = cell, .caption = caption};
}

constexpr ControlSpec AppendValue(std::string_view name, std::string_view parent, int row) {
  return {.name = name,
          .kind = Kind::Label,
          .parent = parent,
          .cell = {row, 1},
          .caption = "*",
          .minimumWidth = 120,
          .sunken = true};
}

// The value box of a row on the "控制" page, laid out like a parameter row's.
constexpr ControlSpec ControlValue(std::string_view name, int row) {
  return {.name = name,
          .kind = Kind::Label,
          .parent = kControlPage,
          .cell = {row, 1},
          .minimumWidth = 100,
          .sunken = true};
}

constexpr ControlSpec Button(std::string_view name, std::string_view parent, Cell cell,
                             std::string_view caption) {
  return {.name = name, .kind = Kind::Button, .parent = parent, .cell = cell, .caption = caption};
}

constexpr ControlSpec Edit(std::string_view name, std::string_view parent, Cell cell) {
  return {.name = name, .kind = Kind::Edit, .parent = parent, .cell = cell};
}

// A row laid out like a parameter row for which the controller defines no frames: shown
// disabled, so that nobody expects it to do something.
constexpr ControlSpec Inert(ControlSpec spec) {
  spec.enabled = false;
  return spec;
}

// --- cell detail group ------------------------------------------------------------------
// Columns: 0 cell number, 1 voltage, 2 the thin balancing lamp, 3 balance state, 4 sensor
// number, 5 temperature, 6 unit picture. Cell n sits in row 3 + n.

constexpr int CellRow(int n) { return 3 + n; }

constexpr ControlSpec CellNumber(std::string_view name, int n, std::string_view caption) {
  return {.name = name,
          .kind = Kind::Label,
          .parent = kCellGroup,
          .cell = {CellRow(n), 0},
          .caption = caption,
          .background = kCellNumberGreen};
}

constexpr ControlSpec CellVoltage(std::string_view name, int n) {
  return {.name = name,
          .kind = Kind::Label,
          .parent = kCellGroup,
          .cell = {CellRow(n), 1},
          .caption = "*",
          .background = kCellValueGreen,
          .minimumWidth = 65};
}

constexpr ControlSpec CellBalance(std::string_view name, int n) {
  return {.name = name,
          .kind = Kind::Label,
          .parent = kCellGroup,
          .cell = {CellRow(n), 3},
          .caption = "*",
          .background = kCellValueGreen,
          .textColor = kBlack,
          .minimumWidth = 35};
}

constexpr ControlSpec SensorNumber(std::string_view name, int n, std::string_view caption) {
  return {.name = name,
          .kind = Kind::Label,
          .parent = kCellGroup,
          .cell = {CellRow(n), 4},
          .caption = caption,
          .background = kSensorNumberYellow};
}

constexpr ControlSpec SensorTemperature(std::string_view name, int n) {
  return {.name = name,
          .kind = Kind::Label,
          .parent = kCellGroup,
          .cell = {CellRow(n), 5},
          .caption = "*",
          .background = kSensorValueOrange};
}

// A BIC has eight sensors, so rows 9 to 16 of the sensor columns only ever show "*".
constexpr ControlSpec SensorFiller(std::string_view name, int n, int column) {
  return {.name = name,
          .kind = Kind::Label,
          .parent = kCellGroup,
          .cell = {CellRow(n), column},
          .caption = "*"};
}

constexpr ControlSpec kRunMonitor[] = {
    // "运行监视" page: run information tabs beside the cell detail group.
    {.name = "运行信息选择夹",
     .kind = Kind::TabControl,
     .parent = kRunMonitorPage,
     .cell = {0, 0},
     .stretch = Stretch::Both},
    {.name = "分组框1", .kind = Kind::GroupBox, .parent = kRunMonitorPage, .cell = {0, 1}},

    // Pages of the run information tabs; they stack, the column only keeps them apart.
    {.name = kRunInfoPage,
     .kind = Kind::TabPage,
     .parent = "运行信息选择夹",
     .cell = {0, 0},
     .caption = "运行信息"},
    {.name = kAppendInfoPage,
     .kind = Kind::TabPage,
     .parent = "运行信息选择夹",
     .cell = {0, 1},
     .caption = "附加信息"},
    {.name = kControlPage,
     .kind = Kind::TabPage,
     .parent = "运行信息选择夹",
     .cell = {0, 2},
     .caption = "控制"},
    {.name = kPasswordPage,
     .kind = Kind::TabPage,
     .parent = "运行信息选择夹",
     .cell = {0, 3},
     .caption = "访问密码"},

    // "运行信息": estimated time across the top.
    {.name = "充放电预计时间标签",
     .kind = Kind::Label,
     .parent = kRunInfoPage,
     .cell = {0, 0, 1, 9},
     .caption = "预计时间"},
    // The lamp runs between the caption and value columns.
    {.name = "运行信息指示灯",
     .kind = Kind::Shape,
     .parent = kRunInfoPage,
     .cell = {1, 1, 13, 1},
     .fill = kSilver,
     .minimumWidth = 12},
    // State of charge, with the battery-shaped progress bar to the right: an upright bar
    // with the small terminal centred on top of it.
    RunCaption("预计电量标记标签", 1, "预计电量", kChargeStateBlue),
    RunValue("电量标签", 1, kChargeStateBlue),
    {.name = "外形框1",
     .kind = Kind::Shape,
     .parent = kRunInfoPage,
     .cell = {1, 5},
     .minimumWidth = 20},
    {.name = "电量进度条",
     .kind = Kind::ProgressBar,
     .parent = kRunInfoPage,
     .cell = {2, 5, 4, 1},
     .minimumWidth = 56},
    // Power, current, voltage and cell voltage extremes.
    RunCaption("功率标记标签", 2, "功率", kPowerOrange),
    RunValue("功率标签", 2, kPowerOrange),
    RunCaption("电流标记标签", 3, "电流", kElectricGreen),
    RunValue("电流标签", 3, kElectricGreen),
    RunCaption("总电压标记标签", 4, "总电压", kElectricGreen),
    RunValue("总电压标签", 4, kElectricGreen),
    RunCaption("最高单体电压标记标签", 5, "最高单体电压", kCellVoltageYellow),
    RunValue("最高单体电压标签", 5, kCellVoltageYellow),
    RunCaption("最低单体电压标记标签", 6, "最低单体电压", kCellVoltageYellow),
    RunValue("最低单体电压标签", 6, kCellVoltageYellow),
    // Main contactor, right of the cell extremes.
    Caption("主接触器标记标签", kRunInfoPage, {6, 5, 1, 3}, "主接触器"),
    {.name = "分压继电器指示灯",
     .kind = Kind::Label,
     .parent = kRunInfoPage,
     .cell = {7, 5, 1, 3},
     .caption = "OFF",
     .background = kBlack,
     .textColor = kWhite,
     .minimumWidth = 56},
    // Cell temperature extremes.
    RunCaption("最高单体温度标记标签", 7, "最高单体温度", kCellTemperaturePink),
    RunTemperature("最高单体温度标签", 7, kCellTemperaturePink),
    DegreePicture("最高单体温度单位图片", kRunInfoPage, {7, 3}),
    RunCaption("最低单体温度标记标签", 8, "最低单体温度", kCellTemperaturePink),
    RunTemperature("最低单体温度标签", 8, kCellTemperaturePink),
    DegreePicture("最低单体温度单位图片", kRunInfoPage, {8, 3}),
    // Charge and discharge capability, each followed by its maximum power.
    RunCaption("充电控制标记标签", 9, "充电接受能力", kCapabilityGreen),
    RunValue("充电控制标签", 9, kCapabilityGreen),
    {.name = "最大充电功率标签",
     .kind = Kind::Label,
     .parent = kRunInfoPage,
     .cell = {9, 4, 1, 5},
     .caption = "*",
     .minimumWidth = 128},
    RunCaption("放电控制标记标签", 10, "放电输出能力", kCapabilityGreen),
    RunValue("放电控制标签", 10, kCapabilityGreen),
    {.name = "最大放电功率标签",
     .kind = Kind::Label,
     .parent = kRunInfoPage,
     .cell = {10, 4, 1, 5},
     .caption = "*",
     .minimumWidth = 128},
    // BMC and BIC board temperatures, with the 12 V supply to the right.
    RunCaption("管理器主机温度标记标签", 11, "管理器主机温度", kBmcTemperatureYellow),
    RunTemperature("管理器主机温度标签", 11, kBmcTemperatureYellow),
    DegreePicture("管理器主机温度单位图片", kRunInfoPage, {11, 3}),
    RunCaption("最高BIC温度标记标签", 12, "最高BIC电路板温度", kBoardTemperatureGrey),
    RunTemperature("最高BIC温度显示标签", 12, kBoardTemperatureGrey),
    DegreePicture("最高BIC温度单位图片", kRunInfoPage, {12, 3}),
    Caption("低压供电12V值标记标签", kRunInfoPage, {12, 4, 1, 5}, "12V供电电源"),
    RunCaption("最低BIC温度标记标签", 13, "最低BIC电路板温度", kBoardTemperatureGrey),
    RunTemperature("最低BIC温度显示标签", 13, kBoardTemperatureGrey),
    DegreePicture("最低BIC温度单位图片", kRunInfoPage, {13, 3}),
    {.name = "低压供电12V值显示标签",
     .kind = Kind::Label,
     .parent = kRunInfoPage,
     .cell = {13, 5, 1, 3},
     .caption = "*",
     .minimumWidth = 53},
    // Fault matrix: column captions, then a fault row and a warning row of lamps.
    MatrixColumnCaption("BIC列标题标签", 1, "BIC", kColumnCyan),
    MatrixColumnCaption("单体电压列标题标签", 2, "Cell-V", kColumnApricot),
    MatrixColumnCaption("温度列标题标签", 3, "Cell-T", kColumnCyan),
    MatrixColumnCaption("PCC列标题标签", 4, "PCC", kColumnApricot),
    MatrixColumnCaption("绝缘列标题标签", 5, "INSUL", kColumnCyan),
    MatrixColumnCaption("触点列标题标签", 6, "Contact", kColumnApricot),
    MatrixColumnCaption("参数列标题标签", 7, "Set", kColumnCyan),
    MatrixColumnCaption("其他列标题标签", 8, "Other", kColumnApricot),
    Caption("故障行标题标签", kRunInfoPage, {15, 0}, "FAU"),
    AlarmLamp("BIC通信故障指示灯", 15, 1),
    AlarmLamp("单体电压故障指示灯", 15, 2),
    AlarmLamp("温度故障指示灯", 15, 3),
    AlarmLamp("PCC故障指示灯", 15, 4),
    AlarmLamp("绝缘故障指示灯", 15, 5),
    AlarmLamp("触点故障指示灯", 15, 6),
    AlarmLamp("参数故障指示灯", 15, 7),
    AlarmLamp("其他故障指示灯", 15, 8),
    Caption("预警行标题标签", kRunInfoPage, {16, 0}, "WAR"),
    AlarmLamp("BIC通信预警指示灯", 16, 1),
    AlarmLamp("单体电压预警指示灯", 16, 2),
    AlarmLamp("温度预警指示灯", 16, 3),
    AlarmLamp("PCC预警指示灯", 16, 4),
    AlarmLamp("绝缘预警指示灯", 16, 5),
    AlarmLamp("触点预警指示灯", 16, 6),
    AlarmLamp("参数预警指示灯", 16, 7),
    AlarmLamp("其他预警指示灯", 16, 8),

    // "附加信息": extreme positions and firmware version, then the remaining energy. The
    // two groups share their columns: caption, value, unit (kWh only), read button.
    {.name = "分组框3",
     .kind = Kind::GroupBox,
     .parent = kAppendInfoPage,
     .cell = {0, 0},
     .sharedColumns = true},
    {.name = "分组框4",
     .kind = Kind::GroupBox,
     .parent = kAppendInfoPage,
     .cell = {1, 0},
     .sharedColumns = true},
    Caption("最高单体电压位置标题标签", "分组框3", {0, 0}, "最高单体电压位置"),
    AppendValue("最高单体电压位置显示标签", "分组框3", 0),
    Button("读最高最低电压温度所在位置按钮", "分组框3", {0, 3, 4, 1}, "读取"),
    Caption("最低单体电压位置标题标签", "分组框3", {1, 0}, "最低单体电压位置"),
    AppendValue("最低单体电压位置显示标签", "分组框3", 1),
    Caption("最高温度点位置标题标签", "分组框3", {2, 0}, "最高温度点位置"),
    AppendValue("最高温度点位置显示标签", "分组框3", 2),
    Caption("最低温度点位置标题标签", "分组框3", {3, 0}, "最低温度点位置"),
    AppendValue("最低温度点位置显示标签", "分组框3", 3),
    Caption("最高温度的BIC电路板标题标签", "分组框3", {4, 0}, "最高温度的BIC电路板"),
    AppendValue("最高温度的BIC电路板显示标签", "分组框3", 4),
    Button("读最高最低BIC温度位置按钮", "分组框3", {4, 3, 2, 1}, "读取"),
    Caption("最低温度的BIC电路板标题标签", "分组框3", {5, 0}, "最低温度的BIC电路板"),
    AppendValue("最低温度的BIC电路板显示标签", "分组框3", 5),
    Caption("BMC固件版本标题", "分组框3", {6, 0}, "BMC固件版本"),
    AppendValue("BMC主机版本显示", "分组框3", 6),
    Button("读BMC主机版本按钮", "分组框3", {6, 3}, "读取"),
    Caption("剩余电量标记标签", "分组框4", {0, 0}, "剩余电量"),
    AppendValue("剩余电量显示标签", "分组框4", 0),
    Caption("剩余电量单位标签", "分组框4", {0, 2}, "kWh"),
    Button("读剩余KWH按钮", "分组框4", {0, 3}, "读取"),

    // "控制": restart command guarded by the confirmation code.
    Caption("重新尝试启动确认码提示标签", kControlPage, {0, 0}, "输入585用于确认操作"),
    Edit("重新尝试启动确认码编辑框", kControlPage, {0, 1}),
    Button("重新尝试启动按钮", kControlPage, {0, 2}, "尝试重新启动"),
    Caption("重新尝试启动回应显示标签", kControlPage, {0, 3}, ""),
    // Four rows laid out like parameter rows; their buttons have no action.
    Caption("限制充电百分比标记标签", kControlPage, {1, 0}, "限制充电百分比"),
    ControlValue("最小充电电流显示标签1", 1),
    Inert(Button("读取最小充电电流按钮1", kControlPage, {1, 2}, "读取")),
    Inert(Edit("修改最小充电电流编辑框1", kControlPage, {1, 3})),
    Inert(Button("保存最小充电电流按钮1", kControlPage, {1, 4}, "保存")),
    Caption("限制最大放电电流标记标签", kControlPage, {2, 0}, "限制最大放电电流"),
    ControlValue("最大充电电流显示标签2", 2),
    Inert(Button("读取最大充电电流按钮2", kControlPage, {2, 2}, "读取")),
    Inert(Edit("修改最大充电电流编辑框2", kControlPage, {2, 3})),
    Inert(Button("保存最大充电电流按钮2", kControlPage, {2, 4}, "保存")),
    Caption("限制放电百分比标记标签", kControlPage, {3, 0}, "限制放电百分比"),
    ControlValue("最小充电电流显示标签2", 3),
    Inert(Button("读取最小充电电流按钮2", kControlPage, {3, 2}, "读取")),
    Inert(Edit("修改最小充电电流编辑框2", kControlPage, {3, 3})),
    Inert(Button("保存最小充电电流按钮2", kControlPage, {3, 4}, "保存")),
    ControlValue("最小充电电流显示标签3", 4),
    Inert(Button("读取最小充电电流按钮3", kControlPage, {4, 2}, "读取")),
    Inert(Edit("修改最小充电电流编辑框3", kControlPage, {4, 3})),
    Inert(Button("保存最小充电电流按钮3", kControlPage, {4, 4}, "保存")),

    // "访问密码": new access password, typed twice.
    Caption("新密码标签", kPasswordPage, {0, 0}, "输入新密码"),
    Edit("新密码编辑框", kPasswordPage, {0, 1}),
    Caption("重复输入密码标签", kPasswordPage, {1, 0}, "重复输入"),
    Edit("重复输入密码编辑框", kPasswordPage, {1, 1}),
    Button("修改密码按钮", kPasswordPage, {2, 0}, "保存"),
    Caption("修改密码状态标签", kPasswordPage, {2, 1}, ""),
    {.name = "恢复默认密码提示标签",
     .kind = Kind::Label,
     .parent = kPasswordPage,
     .cell = {3, 0, 1, 2},
     .caption = "如果忘记了远程访问密码，请参阅手册并在BMS控制器端恢复默认密码。",
     .stretch = Stretch::Horizontal},

    // Cell detail group: reading switch and installed BIC count.
    {.name = "读取单体信息选择框",
     .kind = Kind::CheckBox,
     .parent = kCellGroup,
     .cell = {0, 0, 1, 2},
     .caption = "读取单体信息",
     .enabled = false},
    Caption("系统安装BIC数量标记标签1", kCellGroup, {0, 2, 1, 2}, "系统安装了"),
    {.name = "监视界面的安装BIC数量显示标签",
     .kind = Kind::Label,
     .parent = kCellGroup,
     .cell = {0, 4},
     .caption = "*",
     .background = kBicCountBlue},
    Caption("系统安装BIC数量标记标签2", kCellGroup, {0, 5, 1, 2}, "个BIC"),
    // Planned BIC with its small navigation buttons; the caption spans the number and
    // voltage columns, so that neither widens for it.
    Caption("计划读取BIC编号标记标签1", kCellGroup, {1, 0, 1, 2}, "计划读取第"),
    {.name = "上一个BIC按钮",
     .kind = Kind::Button,
     .parent = kCellGroup,
     .cell = {1, 2},
     .caption = "<",
     .minimumWidth = 16,
     .enabled = false},
    {.name = "计划读取的BIC编号标签",
     .kind = Kind::Label,
     .parent = kCellGroup,
     .cell = {1, 3},
     .caption = "*",
     .background = kCyan},
    {.name = "下一个BIC按钮",
     .kind = Kind::Button,
     .parent = kCellGroup,
     .cell = {1, 4},
     .caption = ">",
     .minimumWidth = 16,
     .enabled = false},
    Caption("计划读取BIC编号标记标签2", kCellGroup, {1, 5, 1, 2}, "号BIC单体信息"),
    // BIC that answered and its board temperature.
    Caption("实时BIC编号标记标签1", kCellGroup, {2, 0}, "当前第"),
    {.name = "实时返回的BIC编号标签",
     .kind = Kind::Label,
     .parent = kCellGroup,
     .cell = {2, 1},
     .caption = "*",
     .background = kLiveBicYellow},
    Caption("实时BIC编号标记标签2", kCellGroup, {2, 2, 1, 3}, "号BIC,电路板温度"),
    {.name = "实时返回的BIC电路温度标签",
     .kind = Kind::Label,
     .parent = kCellGroup,
     .cell = {2, 5},
     .caption = "*",
     .background = kLiveBicYellow},
    DegreePicture("BIC电路板温度单位图片", kCellGroup, {2, 6}),
    // Column captions of the cell table.
    Caption("单体序号标记标签", kCellGroup, {3, 0}, "单体"),
    Caption("单体电压标记标签", kCellGroup, {3, 1}, "电压"),
    Caption("平衡状态标记标签", kCellGroup, {3, 3}, "平衡"),
    Caption("温度传感器标记标签", kCellGroup, {3, 4}, "传感器"),
    Caption("温度值标记标签", kCellGroup, {3, 5}, "温度"),
    // The balancing lamp runs between the voltage and balance columns.
    {.name = "均衡详情指示灯",
     .kind = Kind::Shape,
     .parent = kCellGroup,
     .cell = {CellRow(1), 2, 16, 1},
     .fill = kSilver,
     .minimumWidth = 10},
    DegreePicture("温度列单位图片", kCellGroup, {CellRow(1), 6}),
    // Sixteen cell rows; the sensor columns hold eight sensors and eight fillers.
    CellNumber("电压编号标签1", 1, "1"),
    CellVoltage("单体1电压标签", 1),
    CellBalance("单体1平衡标签", 1),
    SensorNumber("温度编号标签1", 1, "1"),
    SensorTemperature("温度1标签", 1),
    CellNumber("电压编号标签2", 2, "2"),
    CellVoltage("单体2电压标签", 2),
    CellBalance("单体2平衡标签", 2),
    SensorNumber("温度编号标签2", 2, "2"),
    SensorTemperature("温度2标签", 2),
    CellNumber("电压编号标签3", 3, "3"),
    CellVoltage("单体3电压标签", 3),
    CellBalance("单体3平衡标签", 3),
    SensorNumber("温度编号标签3", 3, "3"),
    SensorTemperature("温度3标签", 3),
    CellNumber("电压编号标签4", 4, "4"),
    CellVoltage("单体4电压标签", 4),
    CellBalance("单体4平衡标签", 4),
    SensorNumber("温度编号标签4", 4, "4"),
    SensorTemperature("温度4标签", 4),
    CellNumber("电压编号标签5", 5, "5"),
    CellVoltage("单体5电压标签", 5),
    CellBalance("单体5平衡标签", 5),
    SensorNumber("温度编号标签5", 5, "5"),
    SensorTemperature("温度5标签", 5),
    CellNumber("电压编号标签6", 6, "6"),
    CellVoltage("单体6电压标签", 6),
    CellBalance("单体6平衡标签", 6),
    SensorNumber("温度编号标签6", 6, "6"),
    SensorTemperature("温度6标签", 6),
    CellNumber("电压编号标签7", 7, "7"),
    CellVoltage("单体7电压标签", 7),
    CellBalance("单体7平衡标签", 7),
    SensorNumber("温度编号标签7", 7, "7"),
    SensorTemperature("温度7标签", 7),
    CellNumber("电压编号标签8", 8, "8"),
    CellVoltage("单体8电压标签", 8),
    CellBalance("单体8平衡标签", 8),
    SensorNumber("温度编号标签8", 8, "8"),
    SensorTemperature("温度8标签", 8),
    CellNumber("电压编号标签9", 9, "9"),
    CellVoltage("单体9电压标签", 9),
    CellBalance("单体9平衡标签", 9),
    SensorFiller("电量标签62", 9, 4),
    SensorFiller("电量标签79", 9, 5),
    CellNumber("电压编号标签10", 10, "10"),
    CellVoltage("单体10电压标签", 10),
    CellBalance("单体10平衡标签", 10),
    SensorFiller("电量标签63", 10, 4),
    SensorFiller("电量标签80", 10, 5),
    CellNumber("电压编号标签11", 11, "11"),
    CellVoltage("单体11电压标签", 11),
    CellBalance("单体11平衡标签", 11),
    SensorFiller("电量标签64", 11, 4),
    SensorFiller("电量标签81", 11, 5),
    CellNumber("电压编号标签12", 12, "12"),
    CellVoltage("单体12电压标签", 12),
    CellBalance("单体12平衡标签", 12),
    SensorFiller("电量标签65", 12, 4),
    SensorFiller("电量标签82", 12, 5),
    CellNumber("电压编号标签13", 13, "13"),
    CellVoltage("单体13电压标签", 13),
    CellBalance("单体13平衡标签", 13),
    SensorFiller("电量标签66", 13, 4),
    SensorFiller("电量标签83", 13, 5),
    CellNumber("电压编号标签14", 14, "14"),
    CellVoltage("单体14电压标签", 14),
    CellBalance("单体14平衡标签", 14),
    SensorFiller("电量标签67", 14, 4),
    SensorFiller("电量标签84", 14, 5),
    CellNumber("电压编号标签15", 15, "15"),
    CellVoltage("单体15电压标签", 15),
    CellBalance("单体15平衡标签", 15),
    SensorFiller("电量标签68", 15, 4),
    SensorFiller("电量标签85", 15, 5),
    CellNumber("电压编号标签16", 16, "16"),
    CellVoltage("单体16电压标签", 16),
    CellBalance("单体16平衡标签", 16),
    SensorFiller("电量标签69", 16, 4),
    SensorFiller("电量标签86", 16, 5),
};

}  // namespace

std::span<const ControlSpec> RunMonitorControls() { return kRunMonitor; }

}  // namespace bms::forms
