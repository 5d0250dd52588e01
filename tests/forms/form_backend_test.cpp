// Both form backends run the same cases, so that the widgets can never drift from the
// in-memory model that most tests use.

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "backends.h"
#include "forms/form.h"
#include "testing/form_factories.h"

#ifdef BMS_HAS_QT
#include <QCoreApplication>
#include <QEvent>
#endif

namespace bms::forms {
namespace {

using Texts = std::vector<std::string>;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kYellow{255, 235, 156};

constexpr std::string_view kModes[] = {"", "A", "B"};
constexpr std::string_view kColumns[] = {"名", "值"};

constexpr ControlSpec kControls[] = {
    {.name = "组", .kind = Kind::GroupBox},
    {.name = "甲", .kind = Kind::RadioButton, .parent = "组", .checked = true},
    {.name = "乙", .kind = Kind::RadioButton, .parent = "组", .cell = {1, 0}},
    {.name = "密码", .kind = Kind::PasswordEdit, .parent = "组", .cell = {2, 0}, .maxLength = 3},
    {.name = "选择", .kind = Kind::ComboBox, .parent = "组", .cell = {3, 0}, .items = kModes},
    {.name = "按钮", .kind = Kind::Button, .parent = "组", .cell = {4, 0}},
    {.name = "框", .kind = Kind::CheckBox, .cell = {0, 1}},
    {.name = "页夹", .kind = Kind::TabControl, .cell = {1, 1}},
    {.name = "页夹.一", .kind = Kind::TabPage, .parent = "页夹", .caption = "一"},
    {.name = "页夹.二", .kind = Kind::TabPage, .parent = "页夹", .caption = "二"},
    {.name = "说明", .kind = Kind::Memo, .parent = "页夹.一"},
    {.name = "进度", .kind = Kind::ProgressBar, .parent = "页夹.一", .cell = {1, 0}},
    {.name = "二号", .kind = Kind::Button, .parent = "页夹.二"},
    {.name = "灯", .kind = Kind::Shape, .cell = {2, 0}},
    {.name = "标签", .kind = Kind::Label, .cell = {2, 1}},
    {.name = "藏", .kind = Kind::Label, .cell = {3, 0}, .visible = false},
    {.name = "停", .kind = Kind::Button, .cell = {3, 1}, .enabled = false},
    {.name = "栏", .kind = Kind::StatusBar, .cell = {4, 0, 1, 2}},
    {.name = "栏文字", .kind = Kind::Label, .parent = "栏", .caption = "空闲"},
    {.name = "表", .kind = Kind::Table, .cell = {5, 0}, .items = kColumns},
};
const FormTable kTable{.controls = kControls};

// The controls a person acts on, with the event each raises.
const std::vector<std::pair<std::string, Event>> kActions = {
    {"按钮", Event::Click},  {"框", Event::Click},    {"乙", Event::Click},
    {"选择", Event::Select}, {"页夹", Event::Select}, {"密码", Event::Edit}};

bool Act(Form& form, const std::string& name, Event event) {
  switch (event) {
    case Event::Click:
      return form.userClick(name);
    case Event::Select:
      return form.userSelect(name, 1);
    case Event::Edit:
      return form.userType(name, "1");
  }
  return false;
}

class FormBackend : public ::testing::TestWithParam<bms::testing::Backend> {
 protected:
  std::unique_ptr<Form> form = bms::testing::FormFactoryFor(GetParam())(kTable);
};

// Where the widgets' own defaults differ: a combo box selects the first item added, a
// progress bar holds no value, colours follow the desktop.
TEST_P(FormBackend, StartsAsDesigned) {
  EXPECT_EQ(form->index("选择"), -1);
  EXPECT_EQ(form->value("进度"), 0);
  EXPECT_EQ(form->background("按钮"), kDefaultBackground);
  EXPECT_EQ(form->textColor("按钮"), kDefaultTextColor);
  EXPECT_TRUE(form->checked("甲"));
  // Own flags: a window never shown and a page not current hide nothing.
  EXPECT_TRUE(form->visible("二号"));
  EXPECT_TRUE(form->visible("页夹.二"));
  EXPECT_FALSE(form->visible("藏"));
  EXPECT_FALSE(form->enabled("停"));
  EXPECT_EQ(form->toolTip("按钮"), "");
}

TEST_P(FormBackend, UnknownNamesAndBadTablesAreRefused) {
  const std::string_view name = "无此控件";
  EXPECT_FALSE(form->exists(name));
  using Calls = std::span<const std::function<void()>>;
  const std::function<void()> reads[] = {
      [&] { form->kind(name); },       [&] { form->text(name); },    [&] { form->textColor(name); },
      [&] { form->background(name); }, [&] { form->fill(name); },    [&] { form->enabled(name); },
      [&] { form->visible(name); },    [&] { form->checked(name); }, [&] { form->index(name); },
      [&] { form->items(name); },      [&] { form->value(name); },   [&] { form->maxLength(name); },
      [&] { form->toolTip(name); }};
  const std::function<void()> writes[] = {
      [&] { form->setText(name, "x"); },       [&] { form->appendLines(name, "x\r\n", 1); },
      [&] { form->setTextColor(name, kRed); }, [&] { form->setBackground(name, kRed); },
      [&] { form->setFill(name, kRed); },      [&] { form->setEnabled(name, false); },
      [&] { form->setVisible(name, false); },  [&] { form->setChecked(name, true); },
      [&] { form->setIndex(name, 0); },        [&] { form->setItems(name, Texts()); },
      [&] { form->setValue(name, 1); },        [&] { form->setToolTip(name, "x"); },
      [&] { form->setCell(name, 0, 0, "x"); }};
  const std::function<void()> acts[] = {
      [&] { form->bind(name, Event::Click, nullptr); }, [&] { form->userClick(name); },
      [&] { form->userType(name, "x"); }, [&] { form->userSelect(name, 0); }};
  for (const auto& calls : {Calls(reads), Calls(writes), Calls(acts)}) {
    for (const auto& call : calls) {
      try {
        call();
        ADD_FAILURE() << "call " << &call - calls.data() << " did not throw";
      } catch (const std::invalid_argument& error) {
        EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
      }
    }
  }
  const std::array duplicate = {ControlSpec{.name = "a"}, ControlSpec{.name = "a"}};
  const std::array orphan = {ControlSpec{.name = "a", .parent = "b"}};
  const auto factory = bms::testing::FormFactoryFor(GetParam());
  EXPECT_THROW(factory(FormTable{.controls = duplicate}), std::invalid_argument);
  EXPECT_THROW(factory(FormTable{.controls = orphan}), std::invalid_argument);
}

TEST_P(FormBackend, ColoursTextsAndToolTipsReadBackOnEveryKind) {
  const Rgb text{10, 20, 30}, back{200, 100, 50}, fill{0, 128, 255};
  for (const auto* name :
       {"标签", "按钮", "密码", "框", "甲", "灯", "组", "选择", "说明", "进度"}) {
    form->setTextColor(name, text);
    form->setBackground(name, back);
    form->setFill(name, fill);
    EXPECT_EQ(form->textColor(name), text) << name;
    EXPECT_EQ(form->background(name), back) << name;
    EXPECT_EQ(form->fill(name), fill) << name;
  }
  using T = std::tuple<const char*, const char*, const char*>;  // written, read
  for (const auto& [name, written, read] :
       {T{"标签", "第一行\r\n第二行", "第一行\r\n第二行"}, T{"标签", "a\nb", "a\nb"},
        T{"说明", "版本 1.0\r\n作者\r\n", "版本 1.0\r\n作者\r\n"}, T{"组", "Group", "Group"},
        T{"页夹.二", "Two", "Two"}, T{"密码", "12345", "12345"} /* max length limits typing */,
        T{"选择", "B", "B"} /* selects the item of that text */, T{"选择", "C", ""},
        T{"灯", "lamp", "lamp"}, T{"栏文字", "Connected", "Connected"}}) {
    form->setText(name, written);
    EXPECT_EQ(form->text(name), read) << name << " <- " << written;
  }
  EXPECT_EQ(form->items("页夹"), (Texts{"一", "Two"}));
  EXPECT_EQ(form->index("选择"), -1);
  // Controls and tab pages, the status bar's labels among them; "" takes a tool tip away.
  using P = std::pair<const char*, const char*>;
  for (const auto& [name, tip] : {P{"按钮", "Reads the value"}, P{"页夹.二", "Second page"},
                                  P{"栏文字", "Link state"}, P{"密码", "密码"}, P{"按钮", ""}}) {
    form->setToolTip(name, tip);
    EXPECT_EQ(form->toolTip(name), tip) << name;
  }
  EXPECT_EQ(form->toolTip("页夹.一"), "");
  EXPECT_EQ(form->text("页夹.二"), "Two");
}

// A log pane keeps its last lines however its text got there, and a text set in between
// (the pane cleared) is where the next lines go on.
TEST_P(FormBackend, AppendedLinesKeepTheLastOnes) {
  using C = std::tuple<const char*, bool, const char*, const char*>;  // append?, text, read
  for (const auto& [name, append, text, read] :
       {C{"说明", true, "1\r\n", "1\r\n"}, C{"说明", true, "2\r\n3\r\n", "1\r\n2\r\n3\r\n"},
        C{"说明", true, "4\r\n", "2\r\n3\r\n4\r\n"}, C{"说明", false, "", ""},
        C{"说明", true, "5\r\n", "5\r\n"}, C{"说明", true, "6", "5\r\n6"},
        C{"说明", true, "\r\n7\r\n8\r\n", "6\r\n7\r\n8\r\n"},
        C{"说明", false, "甲\r\n乙\r\n丙\r\n", "甲\r\n乙\r\n丙\r\n"},
        C{"说明", true, "丁\r\n", "乙\r\n丙\r\n丁\r\n"},
        C{"标签", true, "a\r\nb\r\nc\r\nd\r\n", "b\r\nc\r\nd\r\n"}}) {
    if (append) {
      form->appendLines(name, text, 3);
    } else {
      form->setText(name, text);
    }
    EXPECT_EQ(form->text(name), read) << name << (append ? " append " : " set ") << text;
  }
}

TEST_P(FormBackend, TypingObeysMaxLengthInCharacters) {
  int edits = 0;
  form->bind("密码", Event::Edit, [&] { ++edits; });
  form->setText("密码", "12345");  // a longer text from the program lifts no limit for typing
  using C = std::pair<const char*, const char*>;
  for (const auto& [typed, kept] :
       {C{"12345", "123"}, C{"密码很长", "密码很"}, C{"ab", "ab"}, C{"é€ab", "é€a"}, C{"", ""}}) {
    EXPECT_TRUE(form->userType("密码", typed));
    EXPECT_EQ(form->text("密码"), kept) << typed;
  }
  EXPECT_EQ(edits, 5);
}

TEST_P(FormBackend, OwnFlagsIgnoreParentsButUserActionsDoNot) {
  EXPECT_TRUE(form->userClick("二号")) << "a page that is not current still takes clicks";
  EXPECT_FALSE(form->userClick("停"));
  EXPECT_FALSE(form->userClick("藏"));
  using C = std::tuple<const char*, const char*, Event>;
  form->setIndex("页夹", 1);
  // Pages carry their own flags too; even the current page stays current.
  for (const auto& [parent, child, event] :
       {C{"组", "按钮", Event::Click}, C{"组", "密码", Event::Edit}, C{"组", "选择", Event::Select},
        C{"页夹.二", "二号", Event::Click}}) {
    for (const bool hide : {true, false}) {
      form->setVisible(parent, !hide);
      form->setEnabled(parent, hide);
      EXPECT_EQ(form->visible(parent), !hide) << parent;
      EXPECT_EQ(form->enabled(parent), hide) << parent;
      EXPECT_TRUE(form->visible(child) && form->enabled(child)) << child;
      EXPECT_FALSE(Act(*form, child, event))
          << child << (hide ? " in hidden " : " in disabled ") << parent;
      form->setVisible(parent, true);
      form->setEnabled(parent, true);
    }
  }
  EXPECT_EQ(form->index("页夹"), 1);
  EXPECT_EQ(form->text("密码"), "");
  EXPECT_EQ(form->index("选择"), -1);
  EXPECT_TRUE(form->userClick("按钮"));
  EXPECT_TRUE(form->userClick("二号"));
}

// Out of range, a combo box selects nothing; a tab control, which always shows a page,
// keeps its current one. Radio buttons of one parent exclude each other.
TEST_P(FormBackend, SelectionsStayInRangeAndRadioButtonsExcludeEachOther) {
  using C = std::tuple<const char*, int, int>;
  for (const auto& [name, index, read] : {C{"选择", 2, 2}, C{"选择", 3, -1}, C{"选择", -5, -1},
                                          C{"页夹", 1, 1}, C{"页夹", 7, 1}, C{"页夹", -1, 1}}) {
    EXPECT_TRUE(form->userSelect(name, index));
    EXPECT_EQ(form->index(name), read) << name << " " << index;
  }
  for (int click = 0; click < 2; ++click) {  // clicking a checked radio button keeps it
    EXPECT_TRUE(form->userClick("乙"));
    EXPECT_TRUE(form->checked("乙"));
    EXPECT_FALSE(form->checked("甲"));
  }
  form->setChecked("甲", true);
  EXPECT_FALSE(form->checked("乙"));
  form->setChecked("甲", false);  // the program may leave none checked
  EXPECT_FALSE(form->checked("甲"));
  EXPECT_FALSE(form->checked("乙"));
}

TEST_P(FormBackend, SettersNeverFireHandlers) {
  int fired = 0;
  for (const auto& [name, event] : kActions) form->bind(name, event, [&] { ++fired; });
  form->bind("甲", Event::Click, [&] { ++fired; });  // unchecked by checking 乙
  form->setChecked("框", true);
  form->setChecked("乙", true);
  form->setIndex("选择", 1);
  form->setText("选择", "B");
  form->setItems("选择", {"B", "C"});
  form->setIndex("页夹", 1);
  form->setText("密码", "99");
  form->setText("按钮", "停止");
  form->setVisible("页夹.二", false);
  form->setEnabled("页夹.二", false);
  EXPECT_EQ(fired, 0);
}

TEST_P(FormBackend, HandlerMayCloseItsOwnForm) {
  for (const auto& [name, event] : kActions) {
    auto own = bms::testing::FormFactoryFor(GetParam())(kTable);
    own->bind(name, event, [&own] { own.reset(); });
    EXPECT_TRUE(Act(*own, name, event)) << name;
    EXPECT_EQ(own, nullptr) << name;
#ifdef BMS_HAS_QT
    // Lets the widgets delete the closed window as they deferred it.
    if (QCoreApplication::instance() != nullptr) {
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
#endif
  }
}

// The table control: captions, rows, cells and their colours; cells outside are ignored.
TEST_P(FormBackend, TableCellsAsWrittenAndOutsideIgnored) {
  EXPECT_EQ(form->kind("表"), Kind::Table);
  EXPECT_EQ(form->items("表"), (Texts{"名", "值"}));
  form->setItems("表", {"Name", "Value", "beyond the columns"});
  EXPECT_EQ(form->items("表"), (Texts{"Name", "Value"}));
  EXPECT_EQ(form->rowCount("表"), 0);
  form->setRowCount("表", 3);
  form->setCell("表", 0, 0, "最高极限电压");
  form->setCell("表", 2, 1, "3650");
  form->setCellBackground("表", 2, 1, kYellow);
  EXPECT_EQ(form->rowCount("表"), 3);
  EXPECT_EQ(form->cell("表", 0, 0), "最高极限电压");
  EXPECT_EQ(form->cell("表", 2, 1), "3650");
  EXPECT_EQ(form->cell("表", 1, 1), "");
  EXPECT_EQ(form->cellBackground("表", 2, 1), kYellow);
  EXPECT_EQ(form->cellBackground("表", 2, 0), kDefaultFill);
  // Fewer rows keep the cells of those that remain; new rows start empty.
  form->setRowCount("表", 1);
  for (const auto& [row, column] : {std::pair{-1, 0}, {0, -1}, {1, 0}, {0, 2}}) {
    form->setCell("表", row, column, "x");
    form->setCellBackground("表", row, column, kYellow);
    EXPECT_EQ(form->cell("表", row, column), "") << row << "," << column;
    EXPECT_EQ(form->cellBackground("表", row, column), kDefaultFill) << row << "," << column;
  }
  form->setRowCount("表", 3);
  EXPECT_EQ(form->cell("表", 0, 0), "最高极限电压");
  EXPECT_EQ(form->cell("表", 2, 1), "");
  EXPECT_EQ(form->cellBackground("表", 2, 1), kDefaultFill);
  form->setRowCount("表", -5);
  EXPECT_EQ(form->rowCount("表"), 0);
  form->setRowCount("标签", 2);  // a control that is no table has no rows
  EXPECT_EQ(form->rowCount("标签"), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, FormBackend, bms::testing::AllBackends(),
                         bms::testing::BackendName);

}  // namespace
}  // namespace bms::forms
