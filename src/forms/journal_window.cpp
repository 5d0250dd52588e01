#include "forms/tables.h"

namespace bms::forms {

namespace {

constexpr std::string_view kColumns[] = {"时间", "告警", "状态", "最高单体", "最低单体"};

// The journal table takes the window; a line below says how many entries it holds.
constexpr ControlSpec kJournalControls[] = {
    {.name = "告警日志表格",
     .kind = Kind::Table,
     .parent = "",
     .cell = {0, 0},
     .items = kColumns,
     .minimumWidth = 640,
     .stretch = Stretch::Both},
    {.name = "告警日志计数标签",
     .kind = Kind::Label,
     .parent = "",
     .cell = {1, 0},
     .caption = "",
     .stretch = Stretch::Horizontal},
};

}  // namespace

const FormTable& JournalWindowTable() {
  static const FormTable table{.name = "journal",
                               .left = 232,
                               .top = 160,
                               .width = 720,
                               .height = 400,
                               .title = "告警日志",
                               .controls = kJournalControls};
  return table;
}

}  // namespace bms::forms
