#include "forms/tables.h"

namespace bms::forms {

namespace {

// Design texts are the Chinese ones; the prompt rewrites all three in the user's
// language when it is created.
constexpr ControlSpec kErrorPromptControls[] = {
    {.name = "错误提示内容标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {0, 0},
     .caption =
         "1、请检查输入的参数、数值、密码等是否符合要求；\r\n2、通信连接出现了问题，比如串口、"
         "网络等；\r\n3、几秒后本提示窗自动关闭",
     .minimumWidth = 360},
    {.name = "关闭错误提示窗口的按钮",
     .kind = Kind::Button,
     .parent = "",
     .cell = {1, 0},
     .caption = "关闭提示",
     .minimumWidth = 112},
};

}  // namespace

const FormTable& ErrorPromptTable() {
  // Centred on the main window when opened; this is the centre of its design place.
  static const FormTable table{.name = "error",
                               .left = 372,
                               .top = 230,
                               .width = 380,
                               .height = 200,
                               .title = "出现了错误",
                               .controls = kErrorPromptControls};
  return table;
}

}  // namespace bms::forms
