// Page "允许设定": the two ways into the BMC's setting mode, the quick presets and the
// CAN debug panel.

#include <iterator>
#include <vector>

#include "forms/parameter_parts.h"

namespace bms::forms::parameter_parts {

namespace {

constexpr std::string_view kMethod1 = "方式1分组框";
constexpr std::string_view kMethod2 = "方式2分组框";
constexpr std::string_view kPresets = "快捷设定分组框";
constexpr std::string_view kCanDebug = "CAN数据调试分组框";

constexpr ControlSpec kControls[] = {
    // Group boxes of the page, one below the other.
    {.name = kMethod1,
     .kind = Kind::GroupBox,
     .parent = kSettingModePage,
     .cell = {0, 0},
     .caption = "方式1"},
    {.name = kMethod2,
     .kind = Kind::GroupBox,
     .parent = kSettingModePage,
     .cell = {1, 0},
     .caption = "方式2"},
    {.name = kPresets,
     .kind = Kind::GroupBox,
     .parent = kSettingModePage,
     .cell = {2, 0},
     .caption = "快捷设定"},
    {.name = kCanDebug,
     .kind = Kind::GroupBox,
     .parent = kSettingModePage,
     .cell = {3, 0},
     .caption = "CAN数据调试"},

    // Method 1: ask the BMC by command; the answer text is long, hence the wide label.
    {.name = "发送进入设定模式的按钮",
     .kind = Kind::Button,
     .parent = kMethod1,
     .cell = {0, 0},
     .caption = "发进入设定模式的指令"},
    {.name = "BMC响应设定模式命令的标签",
     .kind = Kind::Label,
     .parent = kMethod1,
     .cell = {0, 1},
     .minimumWidth = 400,
     .sunken = true},
    // Shown by start-up only when the factory marker file exists.
    {.name = "打开出厂标定功能按钮",
     .kind = Kind::Button,
     .parent = kMethod1,
     .cell = {1, 0},
     .caption = "出厂标定",
     .visible = false},

    // Method 2: the button on the BMC itself.
    {.name = "方法2提示",
     .kind = Kind::Label,
     .parent = kMethod2,
     .cell = {0, 0},
     .caption = "BMS的主机，有一个允许设定的小按钮。当按钮在按下保持期间，可以改动部分参数设定。"
                "具体细节请阅读说明文档。",
     .stretch = Stretch::Horizontal},

    // Quick presets: two rows of three.
    {.name = "磷酸铁锂按钮",
     .kind = Kind::Button,
     .parent = kPresets,
     .cell = {0, 0},
     .caption = "一键磷酸铁锂3.2V"},
    {.name = "钛酸锂按钮",
     .kind = Kind::Button,
     .parent = kPresets,
     .cell = {0, 1},
     .caption = "一键钛酸锂2.3V"},
    {.name = "三元按钮",
     .kind = Kind::Button,
     .parent = kPresets,
     .cell = {0, 2},
     .caption = "一键三元3.6V"},
    {.name = "聚合物按钮",
     .kind = Kind::Button,
     .parent = kPresets,
     .cell = {1, 0},
     .caption = "一键聚合物3.8V"},
    {.name = "超级电容按钮",
     .kind = Kind::Button,
     .parent = kPresets,
     .cell = {1, 1},
     .caption = "一键超级电容2.2V"},
    {.name = "钠离子按钮",
     .kind = Kind::Button,
     .parent = kPresets,
     .cell = {1, 2},
     .caption = "一键钠离子3.1V"},
    // Every parameter at once: read, compared with a file or template, written back.
    {.name = "参数配置文件按钮",
     .kind = Kind::Button,
     .parent = kPresets,
     .cell = {2, 0, 1, 3},
     .caption = "参数配置文件…"},

    // CAN debug: captions above their boxes, the send button at the end of the row.
    {.name = "CAN数据接收标题标签",
     .kind = Kind::Label,
     .parent = kCanDebug,
     .cell = {0, 0},
     .caption = "CAN数据接收"},
    {.name = "标签48",
     .kind = Kind::Label,
     .parent = kCanDebug,
     .cell = {0, 1},
     .caption = "CANID"},
    {.name = "前4字节标题标签",
     .kind = Kind::Label,
     .parent = kCanDebug,
     .cell = {0, 2},
     .caption = "前4字节"},
    {.name = "后4字节标题标签",
     .kind = Kind::Label,
     .parent = kCanDebug,
     .cell = {0, 3},
     .caption = "后4字节"},
    // Read-only: only matching answers are written here.
    {.name = "调试命令接收编辑框",
     .kind = Kind::Memo,
     .parent = kCanDebug,
     .cell = {1, 0},
     .minimumWidth = 224},
    {.name = "CANID编辑框",
     .kind = Kind::Edit,
     .parent = kCanDebug,
     .cell = {1, 1},
     .minimumWidth = 80},
    {.name = "前4字节编辑框", .kind = Kind::Edit, .parent = kCanDebug, .cell = {1, 2}},
    {.name = "后4字节编辑框", .kind = Kind::Edit, .parent = kCanDebug, .cell = {1, 3}},
    {.name = "CAN调试数据发送按钮",
     .kind = Kind::Button,
     .parent = kCanDebug,
     .cell = {1, 4},
     .caption = "发送"},
};

}  // namespace

std::vector<ControlSpec> SettingModeControls() {
  return {std::begin(kControls), std::end(kControls)};
}

}  // namespace bms::forms::parameter_parts
