#include "forms/tables.h"

namespace bms::forms {

namespace {

// Each part of the BMC number holds three digits.
constexpr int kThreeDigits = 48;

// One row per calibrated value: title, edit boxes, "标定" button, answer label. The
// three parts of the BMC number take a column each; single inputs span them.
constexpr ControlSpec kFactoryControls[] = {
    // BMC number, entered in three parts of three digits.
    {.name = "标定BMC编号标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {0, 0},
     .caption = "标定 BMC编号"},
    {.name = "编号1至3位编辑框",
     .kind = Kind::Edit,
     .parent = "",
     .cell = {0, 1},
     .caption = "",
     .minimumWidth = kThreeDigits},
    {.name = "编号4至6位编辑框",
     .kind = Kind::Edit,
     .parent = "",
     .cell = {0, 2},
     .caption = "",
     .minimumWidth = kThreeDigits},
    {.name = "编号7至9位编辑框",
     .kind = Kind::Edit,
     .parent = "",
     .cell = {0, 3},
     .caption = "",
     .minimumWidth = kThreeDigits},
    {.name = "标定BMC编号按钮",
     .kind = Kind::Button,
     .parent = "",
     .cell = {0, 4},
     .caption = "标定"},
    {.name = "标定BMC编号回应显示标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {0, 5},
     .caption = "*",
     .minimumWidth = 40},

    // Cumulative work time.
    {.name = "标定累计工作时间标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {1, 0},
     .caption = "标定 累计工作时间"},
    {.name = "标定累计工作时间编辑框",
     .kind = Kind::Edit,
     .parent = "",
     .cell = {1, 1, 1, 3},
     .caption = ""},
    {.name = "标定累计工作时间按钮",
     .kind = Kind::Button,
     .parent = "",
     .cell = {1, 4},
     .caption = "标定"},
    {.name = "标定累计工作时间回应显示标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {1, 5},
     .caption = "*",
     .minimumWidth = 40},

    // Cumulative charge energy: whole kWh, then the Wh fraction.
    {.name = "标定累计充电电量标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {2, 0},
     .caption = "标定 累计充电电量"},
    {.name = "标定累计充电电量整数编辑框",
     .kind = Kind::Edit,
     .parent = "",
     .cell = {2, 1},
     .caption = ""},
    {.name = "标定累计充电电量浮点编辑框",
     .kind = Kind::Edit,
     .parent = "",
     .cell = {2, 2, 1, 2},
     .caption = ""},
    {.name = "标定累计充电电量按钮",
     .kind = Kind::Button,
     .parent = "",
     .cell = {2, 4},
     .caption = "标定"},
    {.name = "标定累计充电电量回应显示标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {2, 5},
     .caption = "*",
     .minimumWidth = 40},

    // Cumulative discharge energy, split the same way.
    {.name = "标定累计放电电量标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {3, 0},
     .caption = "标定 累计放电电量"},
    {.name = "标定累计放电电量整数编辑框",
     .kind = Kind::Edit,
     .parent = "",
     .cell = {3, 1},
     .caption = ""},
    {.name = "标定累计放电电量浮点编辑框",
     .kind = Kind::Edit,
     .parent = "",
     .cell = {3, 2, 1, 2},
     .caption = ""},
    {.name = "标定累计放电电量按钮",
     .kind = Kind::Button,
     .parent = "",
     .cell = {3, 4},
     .caption = "标定"},
    {.name = "标定累计放电电量回应显示标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {3, 5},
     .caption = "*",
     .minimumWidth = 40},

    {.name = "累计电量标定提示标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {4, 0, 1, 6},
     .caption = "功率表参数不能为初始化状态，至少应当先有参数，然后在进行累计充电电量、累计放电电量"
                "标定。推测累计数据错误可能与此有点关系。"},
};

}  // namespace

const FormTable& FactoryWindowTable() {
  // Centred on the main window when opened; this is the centre of its design place.
  static const FormTable table{.name = "factory",
                               .left = 331,
                               .top = 166,
                               .width = 461,
                               .height = 328,
                               .title = "出厂参数标定",
                               .controls = kFactoryControls};
  return table;
}

}  // namespace bms::forms
