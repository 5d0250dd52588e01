#include "testing/memory_form.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace bms::testing {
namespace {

using forms::ControlSpec;
using forms::Event;
using forms::Kind;

constexpr std::array<std::string_view, 3> kModes = {"", "A", "B"};

const std::array kControls = {
    ControlSpec{.name = "组", .kind = Kind::GroupBox},
    ControlSpec{.name = "甲", .kind = Kind::RadioButton, .parent = "组", .checked = true},
    ControlSpec{.name = "乙", .kind = Kind::RadioButton, .parent = "组", .cell = {1, 0}},
    ControlSpec{.name = "密码", .kind = Kind::PasswordEdit, .parent = "组", .maxLength = 3},
    ControlSpec{.name = "选择", .kind = Kind::ComboBox, .parent = "组", .items = kModes},
    ControlSpec{.name = "按钮", .kind = Kind::Button, .parent = "组", .caption = "开始"},
    ControlSpec{.name = "框", .kind = Kind::CheckBox},
    ControlSpec{.name = "页夹", .kind = Kind::TabControl},
    ControlSpec{.name = "页夹.一", .kind = Kind::TabPage, .parent = "页夹", .caption = "一"},
    ControlSpec{.name = "页夹.二", .kind = Kind::TabPage, .parent = "页夹", .caption = "二"},
};
const forms::FormTable kTable{.name = "t", .title = "T", .controls = kControls};

TEST(MemoryForm, StartsAsDesigned) {
  MemoryForm form(kTable);
  EXPECT_EQ(form.title(), "T");
  EXPECT_EQ(form.text("按钮"), "开始");
  EXPECT_TRUE(form.checked("甲"));
  EXPECT_EQ(form.index("选择"), -1);
  EXPECT_EQ(form.text("选择"), "");
  EXPECT_EQ(form.items("页夹"), (std::vector<std::string>{"一", "二"}));
  EXPECT_EQ(form.index("页夹"), 0);
  EXPECT_EQ(form.background("按钮"), forms::kDefaultBackground);
}

TEST(MemoryForm, UnknownNamesFailLoudly) {
  MemoryForm form(kTable);
  EXPECT_FALSE(form.exists("无"));
  EXPECT_THROW(form.text("无"), std::invalid_argument);
  EXPECT_THROW(form.setEnabled("无", false), std::invalid_argument);
  EXPECT_THROW(form.userClick("无"), std::invalid_argument);
  const std::array duplicate = {ControlSpec{.name = "a"}, ControlSpec{.name = "a"}};
  EXPECT_THROW(MemoryForm(forms::FormTable{.controls = duplicate}), std::invalid_argument);
  const std::array orphan = {ControlSpec{.name = "a", .parent = "b"}};
  EXPECT_THROW(MemoryForm(forms::FormTable{.controls = orphan}), std::invalid_argument);
}

TEST(MemoryForm, RadioButtonsOfOneParentExcludeEachOther) {
  MemoryForm form(kTable);
  int clicks = 0;
  form.bind("乙", Event::Click, [&] { ++clicks; });
  EXPECT_TRUE(form.userClick("乙"));
  EXPECT_TRUE(form.checked("乙"));
  EXPECT_FALSE(form.checked("甲"));
  form.setChecked("甲", true);  // programmatic: no handler runs
  EXPECT_FALSE(form.checked("乙"));
  EXPECT_EQ(clicks, 1);
}

TEST(MemoryForm, UserActionsRespectDisabledAndHiddenParents) {
  MemoryForm form(kTable);
  int clicks = 0;
  form.bind("按钮", Event::Click, [&] { ++clicks; });
  form.setEnabled("组", false);
  EXPECT_FALSE(form.userClick("按钮"));
  EXPECT_FALSE(form.userType("密码", "x"));
  form.setEnabled("组", true);
  form.setVisible("按钮", false);
  EXPECT_FALSE(form.userClick("按钮"));
  form.setVisible("按钮", true);
  EXPECT_TRUE(form.userClick("按钮"));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form.text("密码"), "");
}

TEST(MemoryForm, TypingObeysMaxLengthInCharacters) {
  MemoryForm form(kTable);
  int edits = 0;
  form.bind("密码", Event::Edit, [&] { ++edits; });
  EXPECT_TRUE(form.userType("密码", "12345"));
  EXPECT_EQ(form.text("密码"), "123");
  form.userType("密码", "密码很长");
  EXPECT_EQ(form.text("密码"), "密码很");
  EXPECT_EQ(edits, 2);
}

TEST(MemoryForm, SelectionsStayInRange) {
  MemoryForm form(kTable);
  int selections = 0;
  form.bind("选择", Event::Select, [&] { ++selections; });
  form.userSelect("选择", 2);
  EXPECT_EQ(form.text("选择"), "B");
  form.setIndex("选择", 3);
  EXPECT_EQ(form.index("选择"), -1);
  form.userSelect("页夹", 1);
  EXPECT_EQ(form.index("页夹"), 1);
  form.setText("页夹.二", "Two");
  EXPECT_EQ(form.items("页夹")[1], "Two");
  EXPECT_EQ(selections, 1);
}

TEST(MemoryForm, CheckBoxToggles) {
  MemoryForm form(kTable);
  form.userClick("框");
  EXPECT_TRUE(form.checked("框"));
  form.userClick("框");
  EXPECT_FALSE(form.checked("框"));
}

}  // namespace
}  // namespace bms::testing
