// Both form backends run the same cases, so that the widgets can never drift from the
// in-memory model that most tests use.

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "forms/form.h"
#include "testing/memory_form.h"

#ifdef BMS_HAS_QT
#include <QCoreApplication>
#include <QEvent>

#include "qt/qt_application.h"
#include "qt/qt_form.h"
#endif

namespace bms::forms {
namespace {

struct Backend {
  const char* name;
  std::unique_ptr<Form> (*make)(const FormTable&);
  void (*settle)();  // lets the backend finish what it deferred, such as closing a window
};

const Backend kMemory{"Memory",
                      [](const FormTable& table) -> std::unique_ptr<Form> {
                        return std::make_unique<bms::testing::MemoryForm>(table);
                      },
                      [] {}};

#ifdef BMS_HAS_QT
const Backend kQt{"Qt",
                  [](const FormTable& table) -> std::unique_ptr<Form> {
                    qt::EnsureApplication();
                    return std::make_unique<qt::QtForm>(table);
                  },
                  [] { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }};
#endif

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

constexpr std::array<std::string_view, 3> kModes = {"", "A", "B"};

const std::array kControls = {
    ControlSpec{.name = "组", .kind = Kind::GroupBox, .caption = "组"},
    ControlSpec{.name = "甲", .kind = Kind::RadioButton, .parent = "组", .checked = true},
    ControlSpec{.name = "乙", .kind = Kind::RadioButton, .parent = "组", .cell = {1, 0}},
    ControlSpec{
        .name = "密码", .kind = Kind::PasswordEdit, .parent = "组", .cell = {2, 0}, .maxLength = 3},
    ControlSpec{
        .name = "选择", .kind = Kind::ComboBox, .parent = "组", .cell = {3, 0}, .items = kModes},
    ControlSpec{
        .name = "按钮", .kind = Kind::Button, .parent = "组", .cell = {4, 0}, .caption = "开始"},
    ControlSpec{.name = "框", .kind = Kind::CheckBox, .cell = {0, 1}},
    ControlSpec{.name = "页夹", .kind = Kind::TabControl, .cell = {1, 1}},
    ControlSpec{.name = "页夹.一", .kind = Kind::TabPage, .parent = "页夹", .caption = "一"},
    ControlSpec{.name = "页夹.二", .kind = Kind::TabPage, .parent = "页夹", .caption = "二"},
    ControlSpec{.name = "说明", .kind = Kind::Memo, .parent = "页夹.一"},
    ControlSpec{.name = "进度", .kind = Kind::ProgressBar, .parent = "页夹.一", .cell = {1, 0}},
    ControlSpec{.name = "二号", .kind = Kind::Button, .parent = "页夹.二", .caption = "二号"},
    ControlSpec{
        .name = "灯", .kind = Kind::Shape, .cell = {2, 0}, .fill = kBlack, .minimumWidth = 16},
    ControlSpec{.name = "标签",
                .kind = Kind::Label,
                .cell = {2, 1},
                .caption = "TX",
                .background = kRed,
                .textColor = kWhite},
    ControlSpec{
        .name = "藏", .kind = Kind::Label, .cell = {3, 0}, .caption = "藏", .visible = false},
    ControlSpec{
        .name = "停", .kind = Kind::Button, .cell = {3, 1}, .caption = "停", .enabled = false},
    ControlSpec{.name = "编辑", .kind = Kind::Edit, .cell = {4, 0}, .caption = "8000"},
};
const FormTable kTable{
    .name = "t", .width = 200, .height = 100, .title = "T", .controls = kControls};

void PrintTo(const Backend& backend, std::ostream* out) { *out << backend.name; }

class FormBackend : public ::testing::TestWithParam<Backend> {
 protected:
  std::unique_ptr<Form> make(const FormTable& table = kTable) const {
    return GetParam().make(table);
  }
};

TEST_P(FormBackend, StartsAsDesigned) {
  const auto form = make();
  EXPECT_EQ(form->title(), "T");
  EXPECT_EQ(form->kind("灯"), Kind::Shape);
  for (const auto& [name, text] :
       std::vector<std::pair<std::string, std::string>>{{"按钮", "开始"},
                                                        {"组", "组"},
                                                        {"页夹.二", "二"},
                                                        {"编辑", "8000"},
                                                        {"选择", ""},
                                                        {"密码", ""},
                                                        {"说明", ""}}) {
    EXPECT_EQ(form->text(name), text) << name;
  }
  EXPECT_EQ(form->background("标签"), kRed);
  EXPECT_EQ(form->textColor("标签"), kWhite);
  EXPECT_EQ(form->fill("灯"), kBlack);
  for (const auto* name : {"按钮", "编辑", "框", "组", "选择"}) {
    EXPECT_EQ(form->background(name), kDefaultBackground) << name;
    EXPECT_EQ(form->textColor(name), kDefaultTextColor) << name;
  }
  EXPECT_TRUE(form->checked("甲"));
  EXPECT_FALSE(form->checked("乙"));
  // Own flags: a window never shown and a page not current hide nothing.
  EXPECT_TRUE(form->visible("二号"));
  EXPECT_TRUE(form->visible("页夹.二"));
  EXPECT_FALSE(form->visible("藏"));
  EXPECT_TRUE(form->enabled("按钮"));
  EXPECT_FALSE(form->enabled("停"));
  EXPECT_EQ(form->index("选择"), -1);
  EXPECT_EQ(form->items("选择"), (std::vector<std::string>{"", "A", "B"}));
  EXPECT_EQ(form->index("页夹"), 0);
  EXPECT_EQ(form->items("页夹"), (std::vector<std::string>{"一", "二"}));
  EXPECT_EQ(form->value("进度"), 0);
  EXPECT_EQ(form->maxLength("密码"), 3);
  EXPECT_EQ(form->maxLength("编辑"), 0);
}

TEST_P(FormBackend, UnknownNamesFailLoudlyEverywhere) {
  const auto form = make();
  const std::string_view name = "无此控件";
  EXPECT_FALSE(form->exists(name));
  const std::vector<std::function<void()>> calls = {
      [&] { form->kind(name); },
      [&] { form->text(name); },
      [&] { form->setText(name, "x"); },
      [&] { form->textColor(name); },
      [&] { form->setTextColor(name, kRed); },
      [&] { form->background(name); },
      [&] { form->setBackground(name, kRed); },
      [&] { form->fill(name); },
      [&] { form->setFill(name, kRed); },
      [&] { form->enabled(name); },
      [&] { form->setEnabled(name, false); },
      [&] { form->visible(name); },
      [&] { form->setVisible(name, false); },
      [&] { form->checked(name); },
      [&] { form->setChecked(name, true); },
      [&] { form->index(name); },
      [&] { form->setIndex(name, 0); },
      [&] { form->items(name); },
      [&] { form->value(name); },
      [&] { form->setValue(name, 1); },
      [&] { form->maxLength(name); },
      [&] { form->bind(name, Event::Click, [] {}); },
      [&] { form->userClick(name); },
      [&] { form->userType(name, "x"); },
      [&] { form->userSelect(name, 0); },
  };
  for (std::size_t i = 0; i < calls.size(); ++i) {
    try {
      calls[i]();
      ADD_FAILURE() << "call " << i << " did not throw";
    } catch (const std::invalid_argument& error) {
      EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
    }
  }
}

TEST_P(FormBackend, BadTablesAreRefused) {
  const std::array duplicate = {ControlSpec{.name = "a"}, ControlSpec{.name = "a"}};
  EXPECT_THROW(make(FormTable{.controls = duplicate}), std::invalid_argument);
  const std::array orphan = {ControlSpec{.name = "a", .parent = "b"}};
  EXPECT_THROW(make(FormTable{.controls = orphan}), std::invalid_argument);
}

TEST_P(FormBackend, ColoursReadBackOnEveryKind) {
  const auto form = make();
  const Rgb text{10, 20, 30};
  const Rgb back{200, 100, 50};
  const Rgb fill{0, 128, 255};
  for (const auto* name :
       {"标签", "按钮", "编辑", "框", "甲", "灯", "组", "选择", "说明", "进度"}) {
    form->setTextColor(name, text);
    form->setBackground(name, back);
    form->setFill(name, fill);
    EXPECT_EQ(form->textColor(name), text) << name;
    EXPECT_EQ(form->background(name), back) << name;
    EXPECT_EQ(form->fill(name), fill) << name;
  }
}

TEST_P(FormBackend, TextsReadBackAsWritten) {
  struct Case {
    std::string name;
    std::string written;
    std::string read;
  };
  const std::vector<Case> cases = {
      {"标签", "第一行\r\n第二行", "第一行\r\n第二行"},
      {"标签", "a\nb", "a\nb"},
      {"说明", "版本 1.0\r\n作者\r\n", "版本 1.0\r\n作者\r\n"},
      {"说明", "", ""},
      {"按钮", "停止", "停止"},
      {"组", "Group", "Group"},
      {"页夹.二", "Two", "Two"},
      {"编辑", "192.168.1.1", "192.168.1.1"},
      {"密码", "12345", "123"},  // max length applies to the program too
      {"选择", "B", "B"},        // selects the item of that text
      {"选择", "C", ""},         // no such item: no selection
      {"灯", "lamp", "lamp"},
  };
  const auto form = make();
  for (const auto& c : cases) {
    form->setText(c.name, c.written);
    EXPECT_EQ(form->text(c.name), c.read) << c.name << " <- " << c.written;
  }
  EXPECT_EQ(form->items("页夹"), (std::vector<std::string>{"一", "Two"}));
  EXPECT_EQ(form->index("选择"), -1);
}

TEST_P(FormBackend, TypingObeysMaxLengthInCharacters) {
  const auto form = make();
  int edits = 0;
  form->bind("密码", Event::Edit, [&] { ++edits; });
  for (const auto& [typed, kept] : std::vector<std::pair<std::string, std::string>>{
           {"12345", "123"}, {"密码很长", "密码很"}, {"ab", "ab"}, {"é€ab", "é€a"}, {"", ""}}) {
    EXPECT_TRUE(form->userType("密码", typed));
    EXPECT_EQ(form->text("密码"), kept) << typed;
  }
  EXPECT_EQ(edits, 5);
}

TEST_P(FormBackend, OwnFlagsIgnoreParentsButUserActionsDoNot) {
  const auto form = make();
  const auto reachable = [&](std::string_view name) { return form->userClick(name); };
  EXPECT_TRUE(reachable("二号")) << "a page that is not current still takes clicks";
  EXPECT_FALSE(reachable("停"));
  EXPECT_FALSE(reachable("藏"));

  form->setVisible("组", false);
  EXPECT_TRUE(form->visible("按钮"));
  EXPECT_FALSE(reachable("按钮"));
  EXPECT_FALSE(form->userType("密码", "1"));
  EXPECT_FALSE(form->userSelect("选择", 1));
  form->setVisible("组", true);
  form->setEnabled("组", false);
  EXPECT_TRUE(form->enabled("按钮"));
  EXPECT_FALSE(reachable("按钮"));
  form->setEnabled("组", true);
  EXPECT_TRUE(reachable("按钮"));
  EXPECT_EQ(form->text("密码"), "");
  EXPECT_EQ(form->index("选择"), -1);

  form->setIndex("页夹", 1);
  for (const bool hide : {true, false}) {
    // Pages carry their own flags too; even the current page stays current.
    if (hide) {
      form->setVisible("页夹.二", false);
    } else {
      form->setEnabled("页夹.二", false);
    }
    EXPECT_EQ(form->visible("页夹.二"), !hide);
    EXPECT_EQ(form->enabled("页夹.二"), hide);
    EXPECT_TRUE(form->enabled("二号"));
    EXPECT_TRUE(form->visible("二号"));
    EXPECT_FALSE(reachable("二号"));
    EXPECT_EQ(form->index("页夹"), 1);
    form->setVisible("页夹.二", true);
    form->setEnabled("页夹.二", true);
    EXPECT_TRUE(reachable("二号"));
  }
}

TEST_P(FormBackend, RadioButtonsOfOneParentExcludeEachOther) {
  const auto form = make();
  int clicks = 0;
  form->bind("乙", Event::Click, [&] { ++clicks; });
  EXPECT_TRUE(form->userClick("乙"));
  EXPECT_TRUE(form->checked("乙"));
  EXPECT_FALSE(form->checked("甲"));
  EXPECT_TRUE(form->userClick("乙"));
  EXPECT_TRUE(form->checked("乙")) << "clicking a checked radio button keeps it";
  form->setChecked("甲", true);
  EXPECT_FALSE(form->checked("乙"));
  form->setChecked("甲", false);  // the program may leave none checked
  EXPECT_FALSE(form->checked("甲"));
  EXPECT_FALSE(form->checked("乙"));
  EXPECT_EQ(clicks, 2);
}

TEST_P(FormBackend, CheckBoxToggles) {
  const auto form = make();
  int clicks = 0;
  form->bind("框", Event::Click, [&] { ++clicks; });
  for (const bool expected : {true, false, true}) {
    form->userClick("框");
    EXPECT_EQ(form->checked("框"), expected);
  }
  EXPECT_EQ(clicks, 3);
}

TEST_P(FormBackend, SelectionsStayInRange) {
  const auto form = make();
  int selections = 0;
  form->bind("选择", Event::Select, [&] { ++selections; });
  form->bind("页夹", Event::Select, [&] { ++selections; });
  for (const auto& [index, read, text] : std::vector<std::tuple<int, int, std::string>>{
           {2, 2, "B"}, {3, -1, ""}, {0, 0, ""}, {-5, -1, ""}, {1, 1, "A"}}) {
    EXPECT_TRUE(form->userSelect("选择", index));
    EXPECT_EQ(form->index("选择"), read) << index;
    EXPECT_EQ(form->text("选择"), text) << index;
  }
  EXPECT_TRUE(form->userSelect("页夹", 1));
  EXPECT_EQ(form->index("页夹"), 1);
  form->setIndex("页夹", 0);
  EXPECT_EQ(form->index("页夹"), 0);
  // A tab control always shows a page: an index out of range keeps the current one.
  form->setIndex("页夹", 7);
  EXPECT_EQ(form->index("页夹"), 0);
  form->setIndex("页夹", -1);
  EXPECT_EQ(form->index("页夹"), 0);
  EXPECT_EQ(selections, 6);
}

TEST_P(FormBackend, SettersNeverFireHandlers) {
  const auto form = make();
  int fired = 0;
  for (const auto* name : {"按钮", "框", "甲", "乙"})
    form->bind(name, Event::Click, [&] { ++fired; });
  for (const auto* name : {"选择", "页夹"}) form->bind(name, Event::Select, [&] { ++fired; });
  for (const auto* name : {"密码", "编辑"}) form->bind(name, Event::Edit, [&] { ++fired; });

  form->setChecked("框", true);
  form->setChecked("乙", true);
  form->setIndex("选择", 1);
  form->setText("选择", "B");
  form->setIndex("页夹", 1);
  form->setText("密码", "99");
  form->setText("编辑", "1");
  form->setText("按钮", "停止");
  form->setVisible("页夹.二", false);
  form->setEnabled("页夹.二", false);
  EXPECT_EQ(fired, 0);

  // A second binding replaces the first.
  int second = 0;
  form->bind("按钮", Event::Click, [&] { ++second; });
  EXPECT_TRUE(form->userClick("按钮"));
  EXPECT_EQ(fired, 0);
  EXPECT_EQ(second, 1);
}

TEST_P(FormBackend, ProgressBarHoldsWhatItIsGiven) {
  const auto form = make();
  for (const int value : {57, 100, 102, 0}) {
    form->setValue("进度", value);
    EXPECT_EQ(form->value("进度"), value);
  }
}

TEST_P(FormBackend, HandlerMayCloseItsOwnForm) {
  struct Case {
    const char* name;
    Event event;
    std::function<bool(Form&)> act;
  };
  const std::vector<Case> cases = {
      {"按钮", Event::Click, [](Form& f) { return f.userClick("按钮"); }},
      {"框", Event::Click, [](Form& f) { return f.userClick("框"); }},
      {"乙", Event::Click, [](Form& f) { return f.userClick("乙"); }},
      {"选择", Event::Select, [](Form& f) { return f.userSelect("选择", 1); }},
      {"页夹", Event::Select, [](Form& f) { return f.userSelect("页夹", 1); }},
      {"密码", Event::Edit, [](Form& f) { return f.userType("密码", "1"); }},
  };
  for (const auto& c : cases) {
    auto form = make();
    form->setTitle("closing");
    form->bind(c.name, c.event, [&form] { form.reset(); });
    Form& target = *form;
    EXPECT_TRUE(c.act(target)) << c.name;
    EXPECT_EQ(form, nullptr) << c.name;
    GetParam().settle();
  }
}

#ifdef BMS_HAS_QT
const auto kBackends = ::testing::Values(kMemory, kQt);
#else
const auto kBackends = ::testing::Values(kMemory);
#endif

std::string BackendName(const ::testing::TestParamInfo<Backend>& param) { return param.param.name; }

INSTANTIATE_TEST_SUITE_P(Backends, FormBackend, kBackends, BackendName);

}  // namespace
}  // namespace bms::forms
