// Pages "整组设置" (pack capacity, charge and discharge limits), "特性" (battery type)
// and "信号" (wake-up signals, buzzer, optional modules).

#include <iterator>
#include <vector>

#include "forms/parameter_parts.h"

namespace bms::forms::parameter_parts {

namespace {

// ---- Page "整组设置" --------------------------------------------------------------

constexpr std::string_view kCapacityBox = "容量参数分组框";
constexpr std::string_view kChargeBox = "充电能力参数分组框";
constexpr std::string_view kDischargeBox = "放电能力参数分组框";
constexpr std::string_view kSocBox = "分组框12";

constexpr ControlSpec kPackBoxes[] = {
    {.name = kCapacityBox,
     .kind = Kind::GroupBox,
     .parent = kPackPage,
     .cell = {0, 0},
     .caption = "容量",
     .sharedColumns = true},
    {.name = kChargeBox,
     .kind = Kind::GroupBox,
     .parent = kPackPage,
     .cell = {1, 0},
     .caption = "充电接受能力",
     .sharedColumns = true},
    {.name = kDischargeBox,
     .kind = Kind::GroupBox,
     .parent = kPackPage,
     .cell = {2, 0},
     .caption = "放电输出能力",
     .sharedColumns = true},
    // The controller defines no frames for the SOC row: shown disabled, so that nobody
    // expects its buttons to do something.
    {.name = kSocBox,
     .kind = Kind::GroupBox,
     .parent = kPackPage,
     .cell = {3, 0},
     .caption = "SOC",
     .sharedColumns = true,
     .enabled = false},
};

// The capacity group shows the unit after the value.
constexpr ParameterRow kCapacityRows[] = {
    {.tagName = "额定容量行号标签",
     .tag = "P1",
     .captionName = "额定Ah容量标记标签",
     .caption = "额定Ah容量",
     .unitName = "额定容量单位标签",
     .unit = "Ah",
     .display = "额定容量Ah显示标签",
     .read = "读取额定容量按钮",
     .input = "修改额定容量编辑框",
     .save = "保存额定容量按钮"},
    {.tagName = "额定总电压行号标签",
     .tag = "P2",
     .captionName = "额定总电压标记标签",
     .caption = "额定总电压",
     .unitName = "额定总电压单位标签",
     .unit = "V",
     .display = "额定总电压显示标签",
     .read = "读取额定总电压按钮",
     .input = "修改额定总电压编辑框",
     .save = "保存额定总电压按钮"},
    // Derived from the two rows above; nothing to read or save.
    {.unitName = "额定kWh单位标签", .unit = "kWh", .display = "额定kWh显示标签"},
};

constexpr ParameterRow kChargeRows[] = {
    {.tagName = "最高充电总电压行号标签",
     .tag = "P3",
     .captionName = "最高充电总电压标记标签",
     .caption = "最高充电总电压",
     .unitName = "最高充电总电压单位标签",
     .unit = "V",
     .display = "最高充电总电压显示标签",
     .read = "读取最高充电总电压按钮",
     .input = "修改最高充电总电压编辑框",
     .save = "保存最高充电总电压按钮"},
    {.tagName = "最大充电电流行号标签",
     .tag = "P4",
     .captionName = "最大充电电流标记标签",
     .caption = "最大充电电流",
     .unitName = "最大充电电流单位标签",
     .unit = "A",
     .display = "最大充电电流显示标签",
     .read = "读取最大充电电流按钮",
     .input = "修改最大充电电流编辑框",
     .save = "保存最大充电电流按钮"},
    {.tagName = "最小充电电流行号标签",
     .tag = "P5",
     .captionName = "最小充电电流标记标签",
     .caption = "最小充电电流",
     .unitName = "最小充电电流单位标签",
     .unit = "A",
     .display = "最小充电电流显示标签",
     .read = "读取最小充电电流按钮",
     .input = "修改最小充电电流编辑框",
     .save = "保存最小充电电流按钮"},
};

constexpr ParameterRow kDischargeRows[] = {
    {.tagName = "最低放电总电压行号标签",
     .tag = "P6",
     .captionName = "最低放电总电压标记标签",
     .caption = "最低放电总电压",
     .unitName = "最低放电总电压单位标签",
     .unit = "V",
     .display = "最低放电总电压显示标签",
     .read = "读最低放电总电压按钮",
     .input = "修改最低放电总电压编辑框",
     .save = "保存最低放电总电压按钮"},
    {.tagName = "最大放电电流行号标签",
     .tag = "P7",
     .captionName = "最大放电电流标记标签",
     .caption = "最大放电电流",
     .unitName = "最大放电电流单位标签",
     .unit = "A",
     .display = "最大放电电流显示标签",
     .read = "读最大放电电流按钮",
     .input = "修改最大放电电流编辑框",
     .save = "保存最大放电电流按钮"},
    {.tagName = "最小放电电流行号标签",
     .tag = "P8",
     .captionName = "最小放电电流标记标签",
     .caption = "最小放电电流",
     .unitName = "最小放电电流单位标签",
     .unit = "A",
     .display = "最小放电电流显示标签",
     .read = "读最小放电电流按钮",
     .input = "修改最小放电电流编辑框",
     .save = "保存最小放电电流按钮"},
};

// The SOC row has no request of its own: no tag, no read button, an inert save button.
constexpr ParameterRow kSocRow = {.captionName = "额定容量标记标签1",
                                  .caption = "标定电量百分比",
                                  .unitName = "额定容量单位标签1",
                                  .unit = "%",
                                  .display = "额定容量显示标签1",
                                  .input = "修改额定容量编辑框1",
                                  .save = "保存额定容量按钮1"};

// ---- Page "特性" ------------------------------------------------------------------

constexpr std::string_view kTypeBox = "分组框9";

// The codes carry no names; they are shown and sent as they stand.
constexpr std::string_view kBatteryTypes[] = {"01", "02", "03", "04", "05", "06", "07", "08", "FF"};

constexpr ParameterRow kBatteryTypeRow = {.tagName = "电池类型行号标签",
                                          .tag = "P1",
                                          .captionName = "电池类型标记标签",
                                          .caption = "电池类型代码",
                                          .display = "电池类型显示标签",
                                          .read = "读电池类型按钮",
                                          .input = "电池类型选择组合框",
                                          .inputKind = Kind::ComboBox,
                                          .items = kBatteryTypes,
                                          .save = "保存电池类型按钮"};

// ---- Page "信号" ------------------------------------------------------------------

constexpr std::string_view kWakeupBox = "充放电唤醒设置分组框";
constexpr std::string_view kWithoutOneSignalBox = "如果不使用单信号控制充放电程序分组框";
constexpr std::string_view kBuzzerBox = "蜂鸣器分组框";
constexpr std::string_view kModulesBox = "选装模块设置分组框";

constexpr std::string_view kWakeupSignals[] = {"Turn ON/OFF", "Only Turn ON"};

constexpr ControlSpec kSignalBoxes[] = {
    {.name = kWakeupBox,
     .kind = Kind::GroupBox,
     .parent = kSignalPage,
     .cell = {0, 0},
     .caption = "充放电唤醒设置",
     .sharedColumns = true},
    {.name = kBuzzerBox,
     .kind = Kind::GroupBox,
     .parent = kSignalPage,
     .cell = {1, 0},
     .caption = "蜂鸣器",
     .sharedColumns = true},
    {.name = kModulesBox,
     .kind = Kind::GroupBox,
     .parent = kSignalPage,
     .cell = {2, 0},
     .caption = "选装模块",
     .sharedColumns = true},
    // Under the one-signal row: the two settings that apply only without it.
    {.name = kWithoutOneSignalBox,
     .kind = Kind::GroupBox,
     .parent = kWakeupBox,
     .cell = {1, 0, 1, kNestedBoxColumns},
     .caption = "如果不使用单信号控制充放电程序时",
     .sharedColumns = true},
};

constexpr ParameterRow kOneSignalRow = {.tagName = "单信号充放电设置行号标签",
                                        .tag = "P1",
                                        .captionName = "单信号控制充放电标题标签",
                                        .caption = "单信号控制充电和放电程序",
                                        .display = "是否单信号充放电参数显示标签",
                                        .read = "读取单信号充放电设置按钮",
                                        .input = "单信号充放电设置选择组合框",
                                        .inputKind = Kind::ComboBox,
                                        .items = kNoYes,
                                        .save = "保存单信号充放电设置按钮"};

constexpr ParameterRow kWithoutOneSignalRows[] = {
    {.tagName = "自动开启放电行号标签",
     .tag = "P2",
     .captionName = "自动开启放电标记标签",
     .caption = "自动开启放电",
     .display = "自动开启放电显示标签",
     .read = "读自动开启放电按钮",
     .input = "自动开放电选择组合框",
     .inputKind = Kind::ComboBox,
     .items = kNoYes,
     .save = "保存自动开启放电按钮"},
    {.tagName = "放电唤醒信号行号标签",
     .tag = "P3",
     .captionName = "放电唤醒信号标记标签",
     .caption = "放电唤醒信号",
     .display = "放电唤醒信号显示标签",
     .read = "读放电唤醒信号按钮",
     .input = "放电唤醒信号选择组合框",
     .inputKind = Kind::ComboBox,
     .items = kWakeupSignals,
     .save = "保存放电唤醒信号按钮"},
};

constexpr ParameterRow kBuzzerRow = {.tagName = "是否打开蜂鸣器行号标签",
                                     .tag = "P4",
                                     .captionName = "是否打开蜂鸣器标记标签",
                                     .caption = "是否打开蜂鸣器",
                                     .display = "是否打开蜂鸣器显示标签",
                                     .read = "读是否打开蜂鸣器按钮",
                                     .input = "是否打开蜂鸣器选择组合框",
                                     .inputKind = Kind::ComboBox,
                                     .items = kNoYes,
                                     .save = "保存是否打开蜂鸣器按钮"};

constexpr ParameterRow kModuleRows[] = {
    {.tagName = "是否安装PCC行号标签",
     .tag = "P5",
     .captionName = "是否安装预充电模块标题标签",
     .caption = "是否安装预充电控制模块",
     .display = "是否安装PCC显示标签",
     .read = "读是否安装PCC按钮",
     .input = "是否安装PCC选择组合框",
     .inputKind = Kind::ComboBox,
     .items = kNoYes,
     .save = "保存是否安装PCC按钮"},
    {.tagName = "是否安装漏电检测模块行号标签",
     .tag = "P6",
     .captionName = "是否安装漏电检测模块标题标签",
     .caption = "是否安装漏电检测模块",
     .display = "是否安装漏电检测模块显示标签",
     .read = "读是否安装漏电检测模块按钮",
     .input = "是否安装漏电检测模块选择组合框",
     .inputKind = Kind::ComboBox,
     .items = kNoYes,
     .save = "保存是否安装漏电检测模块按钮"},
    {.tagName = "是否安装烧结检测模块行号标签",
     .tag = "P7",
     .captionName = "是否安装接触器烧结检测模块标题标签",
     .caption = "是否安装接触器烧结检测模块",
     .display = "是否安装烧结检测模块显示标签",
     .read = "读是否安装烧结检测模块按钮",
     .input = "是否安装烧结检测模块选择组合框",
     .inputKind = Kind::ComboBox,
     .items = kNoYes,
     .save = "保存是否安装烧结检测模块按钮"},
};

}  // namespace

std::vector<ControlSpec> PackControls() {
  std::vector<ControlSpec> out(std::begin(kPackBoxes), std::end(kPackBoxes));
  AppendRows(out, kCapacityBox, kCapacityRows, 0, UnitPlace::AfterDisplay);
  AppendRows(out, kChargeBox, kChargeRows);
  AppendRows(out, kDischargeBox, kDischargeRows);
  AppendRow(out, kSocBox, 0, kSocRow, UnitPlace::AfterDisplay);
  return out;
}

std::vector<ControlSpec> CharacteristicControls() {
  std::vector<ControlSpec> out = {{.name = kTypeBox,
                                   .kind = Kind::GroupBox,
                                   .parent = kCharacteristicPage,
                                   .cell = {0, 0},
                                   .caption = "Type"}};
  AppendRow(out, kTypeBox, 0, kBatteryTypeRow);
  return out;
}

std::vector<ControlSpec> SignalControls() {
  std::vector<ControlSpec> out(std::begin(kSignalBoxes), std::end(kSignalBoxes));
  AppendRow(out, kWakeupBox, 0, kOneSignalRow);
  AppendRows(out, kWithoutOneSignalBox, kWithoutOneSignalRows);
  AppendRow(out, kBuzzerBox, 0, kBuzzerRow);
  AppendRows(out, kModulesBox, kModuleRows);
  return out;
}

}  // namespace bms::forms::parameter_parts
