// Page "GB/T直流充电": the DC charging module's settings, the DC port's current
// calibration, the charger's reports with the pause, continue and reset commands, and
// the notice. Apart from the title these captions are Chinese only.

#include <iterator>
#include <vector>

#include "forms/parameter_parts.h"

namespace bms::forms::parameter_parts {

namespace {

constexpr std::string_view kGbtBox = "分组框13";
constexpr std::string_view kItemTab = "国标充电设置项目选择夹";
constexpr std::string_view kSettingsPage = "国标充电设置项目选择夹.基础设置";
constexpr std::string_view kRunInfoPage = "国标充电设置项目选择夹.运行信息";
constexpr std::string_view kNoticePage = "国标充电设置项目选择夹.重要声明";
constexpr std::string_view kPortCalibrationBox = "总电流检测标定分组框1";

constexpr ControlSpec kFrame[] = {
    {.name = kGbtBox,
     .kind = Kind::GroupBox,
     .parent = kDcChargePage,
     .cell = {0, 0},
     .caption = "GB/T"},
    {.name = "国标充电设置页面标题标签",
     .kind = Kind::Label,
     .parent = kGbtBox,
     .cell = {0, 0},
     .caption = "需配套安装代号为K3391的控制模块。该模块可兼容《GB/T "
                "27930-2015》标准中的通信协议部分（中国的电动汽车充电技术标准）。",
     .stretch = Stretch::Horizontal},
    {.name = kItemTab,
     .kind = Kind::TabControl,
     .parent = kGbtBox,
     .cell = {1, 0},
     .stretch = Stretch::Both},
    {.name = kSettingsPage,
     .kind = Kind::TabPage,
     .parent = kItemTab,
     .cell = {0, 0},
     .caption = "基础设置"},
    {.name = kRunInfoPage,
     .kind = Kind::TabPage,
     .parent = kItemTab,
     .cell = {0, 1},
     .caption = "运行信息"},
    {.name = kNoticePage,
     .kind = Kind::TabPage,
     .parent = kItemTab,
     .cell = {0, 2},
     .caption = "重要声明"},
};

// ---- Page "基础设置" --------------------------------------------------------------

constexpr std::string_view kCurrentSources[] = {"00-充电机测量值", "01-独立的电流检测",
                                                "02-BMC测量值"};
constexpr std::string_view kSocketSensorCounts[] = {"不使用温感", "1个温感", "2个温感"};

// In item order 00 to 04 of the DC charging settings group.
constexpr ParameterRow kSettingRows[] = {
    {.captionName = "测量电流值来源标记标签",
     .caption = "测量电流值来源",
     .display = "测量电流值来源显示标签",
     .read = "读测量电流值来源按钮",
     .input = "测量电流值来源选择组合框",
     .inputKind = Kind::ComboBox,
     .items = kCurrentSources,
     .save = "保存测量电流值来源按钮"},
    {.captionName = "报告给充电机最高的SOC标记标签",
     .caption = "报告给充电机最高的SOC",
     .unitName = "报告给充电机最高的SOC单位标签",
     .unit = "%",
     .display = "报告给充电机最高的SOC显示标签",
     .read = "读报告给充电机最高的SOC按钮",
     .input = "报告给充电机最高的SOC设定编辑框",
     .save = "保存报告给充电机最高的SOC按钮"},
    {.captionName = "充电插座温度保护值标记标签",
     .caption = "充电插座温度保护值",
     .unitName = "充电插座温度保护值单位图片",
     .unit = kDegreeSign,
     .unitKind = Kind::Picture,
     .display = "充电插座温度保护值显示标签",
     .read = "读充电插座温度保护值按钮",
     .input = "充电插座温度保护值设定编辑框",
     .save = "保存充电插座温度保护值按钮"},
    {.captionName = "充电插座温度预警值标记标签",
     .caption = "充电插座温度预警值",
     .unitName = "充电插座温度预警值单位图片",
     .unit = kDegreeSign,
     .unitKind = Kind::Picture,
     .display = "充电插座温度预警值显示标签",
     .read = "读充电插座温度预警值按钮",
     .input = "充电插座温度预警值设定编辑框",
     .save = "保存充电插座温度预警值按钮"},
    {.captionName = "充电插座温度传感器数量标记标签",
     .caption = "充电插座温度传感器数量",
     .display = "充电插座温度传感器数量显示标签",
     .read = "读充电插座温度传感器数量按钮",
     .input = "充电插座温度传感器数量选择组合框",
     .inputKind = Kind::ComboBox,
     .items = kSocketSensorCounts,
     .save = "保存充电插座温度传感器数量按钮"},
};

constexpr std::string_view kPortModels[] = {"50mV", "40mV", "25mV"};

// The DC port's own current sensor, calibrated like the BMC's pack current. Columns:
// 0 row caption, 1 combo box or value, 2 edit box or unit, 3 unit, 4 to 7 buttons and
// the live current.
constexpr ControlSpec kPortCalibration[] = {
    {.name = kPortCalibrationBox,
     .kind = Kind::GroupBox,
     .parent = kSettingsPage,
     .cell = {static_cast<int>(std::size(kSettingRows)), 0, 1, kNestedBoxColumns},
     .caption = "独立的直流充电口电流检测标定"},
    {.name = "直流充电口选择型号标记标签",
     .kind = Kind::Label,
     .parent = kPortCalibrationBox,
     .cell = {0, 1},
     .caption = "选择型号"},
    {.name = "直流充电口传感器输出值标记标签",
     .kind = Kind::Label,
     .parent = kPortCalibrationBox,
     .cell = {0, 2},
     .caption = "传感器输出值"},
    {.name = "直流充电口电流检测标定方式1标记标签",
     .kind = Kind::Label,
     .parent = kPortCalibrationBox,
     .cell = {1, 0},
     .caption = "方式1：标定传感器"},
    {.name = "直流充电口模块型号选择组合框",
     .kind = Kind::ComboBox,
     .parent = kPortCalibrationBox,
     .cell = {1, 1},
     .items = kPortModels},
    {.name = "直流充电口电流传感器参数输入编辑框",
     .kind = Kind::Edit,
     .parent = kPortCalibrationBox,
     .cell = {1, 2}},
    {.name = "直流充电口电流传感器参数单位标签",
     .kind = Kind::Label,
     .parent = kPortCalibrationBox,
     .cell = {1, 3},
     .caption = "A/mV"},
    {.name = "直流充电口电流检测标定按钮",
     .kind = Kind::Button,
     .parent = kPortCalibrationBox,
     .cell = {1, 4},
     .caption = "标定"},
    {.name = "直流充电口电流检测标定方式2标记标签",
     .kind = Kind::Label,
     .parent = kPortCalibrationBox,
     .cell = {2, 0},
     .caption = "方式2：步进微调"},
    {.name = "直流充电口电流步进标定选择组合框",
     .kind = Kind::ComboBox,
     .parent = kPortCalibrationBox,
     .cell = {2, 1},
     .items = kCalibrationSteps},
    {.name = "直流充电口电流检测步进微调加大按钮",
     .kind = Kind::Button,
     .parent = kPortCalibrationBox,
     .cell = {2, 4},
     .caption = "加大"},
    {.name = "直流充电口电流检测步进微调减小按钮",
     .kind = Kind::Button,
     .parent = kPortCalibrationBox,
     .cell = {2, 5},
     .caption = "减小"},
    {.name = "直流充电口核对电流量程标记标签",
     .kind = Kind::Label,
     .parent = kPortCalibrationBox,
     .cell = {3, 0},
     .caption = "核对电流量程"},
    {.name = "直流充电口电流量程显示标签",
     .kind = Kind::Label,
     .parent = kPortCalibrationBox,
     .cell = {3, 1},
     .minimumWidth = kValueWidth,
     .sunken = true},
    {.name = "直流充电口电流量程单位标签",
     .kind = Kind::Label,
     .parent = kPortCalibrationBox,
     .cell = {3, 2},
     .caption = "A"},
    {.name = "直流充电口读电流量程按钮",
     .kind = Kind::Button,
     .parent = kPortCalibrationBox,
     .cell = {3, 4},
     .caption = "读取"},
    // Same row: the port's live current.
    {.name = "独立的直流充电口电流检测标定界面_实时电流值标题标签",
     .kind = Kind::Label,
     .parent = kPortCalibrationBox,
     .cell = {3, 5},
     .caption = "实时电流"},
    {.name = "独立的直流充电口电流检测标定界面_实时电流值显示标签",
     .kind = Kind::Label,
     .parent = kPortCalibrationBox,
     .cell = {3, 6},
     .minimumWidth = kValueWidth,
     .sunken = true},
    {.name = "读直流充电口独立电流检测标定界面_实时电流值按钮",
     .kind = Kind::Button,
     .parent = kPortCalibrationBox,
     .cell = {3, 7},
     .caption = "读取"},
    {.name = "直流充电口电流传感器零位标记标签",
     .kind = Kind::Label,
     .parent = kPortCalibrationBox,
     .cell = {4, 0},
     .caption = "电流传感器零位"},
    {.name = "直流充电口电流传感器零位显示标签",
     .kind = Kind::Label,
     .parent = kPortCalibrationBox,
     .cell = {4, 1},
     .minimumWidth = kValueWidth,
     .sunken = true},
    {.name = "直流充电口电流传感器零位值编辑框",
     .kind = Kind::Edit,
     .parent = kPortCalibrationBox,
     .cell = {4, 2}},
    {.name = "直流充电口读电流传感器零位按钮",
     .kind = Kind::Button,
     .parent = kPortCalibrationBox,
     .cell = {4, 4},
     .caption = "读取"},
    {.name = "直流充电口自动设置电流传感器零位按钮",
     .kind = Kind::Button,
     .parent = kPortCalibrationBox,
     .cell = {4, 5},
     .caption = "自动"},
    {.name = "直流充电口手动设置电流传感器零位按钮",
     .kind = Kind::Button,
     .parent = kPortCalibrationBox,
     .cell = {4, 6},
     .caption = "手动"},
};

// ---- Page "运行信息" --------------------------------------------------------------

// Copies of the run monitor's pack voltage, current and power, written with their units.
constexpr ControlSpec kPackValues[] = {
    {.name = "直流充电界面BMS当前电压标题标签",
     .kind = Kind::Label,
     .parent = kRunInfoPage,
     .cell = {0, kCaptionColumn},
     .caption = "电池组当前电压"},
    {.name = "直流充电界面BMS当前电压显示值标签",
     .kind = Kind::Label,
     .parent = kRunInfoPage,
     .cell = {0, kDisplayColumn},
     .minimumWidth = kValueWidth,
     .sunken = true},
    {.name = "直流充电界面BMS当前电流标题标签",
     .kind = Kind::Label,
     .parent = kRunInfoPage,
     .cell = {1, kCaptionColumn},
     .caption = "电池组当前电流"},
    {.name = "直流充电界面BMS当前电流显示值标签",
     .kind = Kind::Label,
     .parent = kRunInfoPage,
     .cell = {1, kDisplayColumn},
     .minimumWidth = kValueWidth,
     .sunken = true},
    {.name = "直流充电界面电池组当前功率标题标签",
     .kind = Kind::Label,
     .parent = kRunInfoPage,
     .cell = {2, kCaptionColumn},
     .caption = "电池组当前功率"},
    {.name = "直流充电界面电池组当前功率显示值标签",
     .kind = Kind::Label,
     .parent = kRunInfoPage,
     .cell = {2, kDisplayColumn},
     .minimumWidth = kValueWidth,
     .sunken = true},
};

constexpr int kFirstReportRow = 3;

// Read-only rows, from the charger's reports (items 00 to 05) to the DC port current.
constexpr ParameterRow kReportRows[] = {
    {.captionName = "充电机最高输出电压标记标签",
     .caption = "充电机最高输出电压",
     .unitName = "充电机最高输出电压单位标签",
     .unit = "V",
     .display = "充电机最高输出电压显示标签",
     .read = "读充电机最高输出电压按钮"},
    {.captionName = "充电机最低输出电压标记标签",
     .caption = "充电机最低输出电压",
     .unitName = "充电机最低输出电压单位标签",
     .unit = "V",
     .display = "充电机最低输出电压显示标签",
     .read = "读充电机最低输出电压按钮"},
    {.captionName = "充电机最大输出电流标记标签",
     .caption = "充电机最大输出电流",
     .unitName = "充电机最大输出电流单位标签",
     .unit = "A",
     .display = "充电机最大输出电流显示标签",
     .read = "读充电机最大输出电流按钮"},
    {.captionName = "充电机最小输出电流标记标签",
     .caption = "充电机最小输出电流",
     .unitName = "充电机最小输出电流单位标签",
     .unit = "A",
     .display = "充电机最小输出电流显示标签",
     .read = "读充电机最小输出电流按钮"},
    {.captionName = "充电机报告当前输出电压标记标签",
     .caption = "充电机报告当前输出电压",
     .unitName = "充电机报告当前输出电压单位标签",
     .unit = "V",
     .display = "充电机报告当前输出电压显示标签",
     .read = "读充电机报告当前输出电压按钮"},
    {.captionName = "充电机报告当前输出电流标记标签",
     .caption = "充电机报告当前输出电流",
     .unitName = "充电机报告当前输出电流单位标签",
     .unit = "A",
     .display = "充电机报告当前输出电流显示标签",
     .read = "读充电机报告当前输出电流按钮"},
    // The pause and continue commands follow on this row (kCommands).
    {.captionName = "充电机报告当前暂停状态标记标签",
     .caption = "充电机报告当前暂停状态",
     .display = "充电机报告当前暂停状态显示标签",
     .read = "读充电机报告当前暂停状态按钮"},
    {.captionName = "充电机12V供电电压标记标签",
     .caption = "充电机12V供电电压",
     .unitName = "充电机12V供电电压单位标签",
     .unit = "V",
     .display = "充电机12V供电电压显示标签",
     .read = "读充电机12V供电电压按钮"},
    // Shows both socket sensors, e.g. "1: 25,  2: No Sensor".
    {.captionName = "直流充电插座温度值标记标签",
     .caption = "直流充电插座温度值",
     .unitName = "直流充电插座温度值单位图片",
     .unit = kDegreeSign,
     .unitKind = Kind::Picture,
     .display = "直流充电插座温度值显示标签",
     .displayWidth = 160,
     .read = "读直流充电插座温度值按钮"},
    {.captionName = "直流充电口电流检测值标记标签",
     .caption = "直流充电口电流检测值",
     .unitName = "直流充电口电流检测值单位标签",
     .unit = "A",
     .display = "直流充电口电流检测值显示标签",
     .read = "读直流充电口电流检测值按钮"},
};

constexpr int kPauseRow = kFirstReportRow + 6;  // the pause-state row of kReportRows
constexpr int kResetRow = kFirstReportRow + static_cast<int>(std::size(kReportRows));

constexpr ControlSpec kCommands[] = {
    {.name = "控制充电机暂停充电按钮",
     .kind = Kind::Button,
     .parent = kRunInfoPage,
     .cell = {kPauseRow, kInputColumn},
     .caption = "暂停"},
    {.name = "控制充电机继续充电按钮",
     .kind = Kind::Button,
     .parent = kRunInfoPage,
     .cell = {kPauseRow, kSaveColumn},
     .caption = "继续"},
    // The reset button carries its own caption, so it stands in the caption column.
    {.name = "复位充电故障状态按钮",
     .kind = Kind::Button,
     .parent = kRunInfoPage,
     .cell = {kResetRow, kCaptionColumn},
     .caption = "复位充电故障状态"},
    {.name = "复位充电故障状态显示标签",
     .kind = Kind::Label,
     .parent = kRunInfoPage,
     .cell = {kResetRow, kDisplayColumn},
     .minimumWidth = kValueWidth,
     .sunken = true},
};

// ---- Page "重要声明" --------------------------------------------------------------

constexpr ControlSpec kNotice[] = {
    {.name = "编辑框2",
     .kind = Kind::Memo,
     .parent = kNoticePage,
     .cell = {0, 0},
     .caption =
         "1、必须先设置其它的全部参数，然后再设置本页参数\r\n"
         "2、配套充电机、以及充电接口应当符合下列标准：\r\n"
         "**《GB/T 20234.3-2015  电动汽车传导充电用连接装置 第3部分：直流充电接口》\r\n"
         "**《GB/T 27930-2015  "
         "电动汽车非车载传导式充电机与电池管理系统之间的通信协议》\r\n"
         "3、上述充电标准原本用于电动汽车，考虑好适用性的情况下，也可以用于其它充电场合。\r\n"
         "4、请注意，我们的配件并没有针对任何行业的规定做合规设计和认证，"
         "在使用我们配件组建电池系统后，请您自行做合规设计和认证并承担相应的产品责任。",
     .stretch = Stretch::Both},
};

}  // namespace

std::vector<ControlSpec> DcChargeControls() {
  std::vector<ControlSpec> out(std::begin(kFrame), std::end(kFrame));
  AppendRows(out, kSettingsPage, kSettingRows);
  Append(out, kPortCalibration);
  Append(out, kPackValues);
  AppendRows(out, kRunInfoPage, kReportRows, kFirstReportRow);
  Append(out, kCommands);
  Append(out, kNotice);
  return out;
}

}  // namespace bms::forms::parameter_parts
