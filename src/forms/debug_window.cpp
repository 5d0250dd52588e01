#include "forms/tables.h"

namespace bms::forms {

namespace {

constexpr std::string_view kPage = "选择夹1.Debug message";

// The two panes sit side by side on the left; the buttons and the help text share a
// column on their right, so that the panes can take the full height of the page. The
// help text also takes the spare width, beside the buttons' column rather than in it.
constexpr ControlSpec kDebugControls[] = {
    {.name = "选择夹1",
     .kind = Kind::TabControl,
     .parent = "",
     .cell = {0, 0},
     .caption = "",
     .stretch = Stretch::Both},
    {.name = kPage,
     .kind = Kind::TabPage,
     .parent = "选择夹1",
     .cell = {},
     .caption = "Debug message"},

    // Pane titles.
    {.name = "标签4", .kind = Kind::Label, .parent = kPage, .cell = {0, 0}, .caption = "RX:"},
    {.name = "标签5", .kind = Kind::Label, .parent = kPage, .cell = {0, 1}, .caption = "TX:"},

    // The panes, as tall as the button column beside them.
    {.name = "接收数据编辑框",
     .kind = Kind::Memo,
     .parent = kPage,
     .cell = {1, 0, 6, 1},
     .caption = "",
     .minimumWidth = 320,
     .stretch = Stretch::Vertical},
    {.name = "发送数据编辑框",
     .kind = Kind::Memo,
     .parent = kPage,
     .cell = {1, 1, 6, 1},
     .caption = "",
     .minimumWidth = 320,
     .stretch = Stretch::Vertical},

    // Button column.
    {.name = "清除接收显示区按钮",
     .kind = Kind::Button,
     .parent = kPage,
     .cell = {1, 2},
     .caption = "Clear>"},
    {.name = "清除发送显示区按钮",
     .kind = Kind::Button,
     .parent = kPage,
     .cell = {2, 2},
     .caption = "Clear>"},
    {.name = "清除接收和发送显示区按钮",
     .kind = Kind::Button,
     .parent = kPage,
     .cell = {3, 2},
     .caption = "< Clear >"},
    // The caption doubles as the pause state, so it is English in both languages; the
    // button is wide enough for either state, so that pausing moves nothing.
    {.name = "通信协议暂停显示按钮",
     .kind = Kind::Button,
     .parent = kPage,
     .cell = {4, 2},
     .caption = "Pause display",
     .minimumWidth = 112},
    // Drawn as an icon in the design; the glyph stands in for it.
    {.name = "窗口最高按钮", .kind = Kind::Button, .parent = kPage, .cell = {5, 2}, .caption = "↕"},
    {.name = "标签52",
     .kind = Kind::Label,
     .parent = kPage,
     .cell = {6, 2, 1, 2},
     .caption =
         "本页显示软件运行过程中，出现的部分提示信息，方便排查使用中的问题；同时显示与BMS系统"
         "通信的数据包，对于需要二次开发的客户，可以帮助对通信协议的理解。",
     .stretch = Stretch::Horizontal},
};

}  // namespace

const FormTable& DebugWindowTable() {
  // Opened below the main window, whose top is moved to 0 first; the position is
  // where that puts it when the main window stands at its design place.
  static const FormTable table{.name = "debug",
                               .left = 50,
                               .top = 560,
                               .width = 1024,
                               .height = 500,
                               .title = "Debug message",
                               .controls = kDebugControls};
  return table;
}

}  // namespace bms::forms
