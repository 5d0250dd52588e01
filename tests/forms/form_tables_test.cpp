#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/caption_table.h"
#include "forms/tables.h"

namespace bms::forms {
namespace {

const FormTable& Table(const std::string& name) {
  for (const auto* table : {&MainWindowTable(), &DebugWindowTable(), &ErrorPromptTable(),
                            &FactoryWindowTable(), &BicWindowTable(), &ProfileWindowTable(),
                            &JournalWindowTable(), &HeatMapWindowTable(), &TrendsWindowTable()}) {
    if (table->name == name) return *table;
  }
  throw std::invalid_argument(name);
}

std::map<std::string, const ControlSpec*, std::less<>> ByName(const FormTable& table) {
  std::map<std::string, const ControlSpec*, std::less<>> byName;
  for (const auto& control : table.controls) byName[std::string(control.name)] = &control;
  return byName;
}

class FormTables : public ::testing::TestWithParam<std::string> {};

TEST_P(FormTables, NamesAreUniqueParentsComeFirstAndAreContainersAndCellsDoNotOverlap) {
  const auto& table = Table(GetParam());
  EXPECT_GT(table.width, 0);
  EXPECT_GT(table.height, 0);
  const auto byName = ByName(table);
  std::set<std::string_view> seen;
  std::map<std::string_view, std::set<std::pair<int, int>>> taken;
  for (const auto& control : table.controls) {
    EXPECT_FALSE(control.name.empty());
    EXPECT_TRUE(control.parent.empty() || seen.contains(control.parent))
        << control.name << " stands before its parent " << control.parent;
    EXPECT_TRUE(seen.insert(control.name).second) << "twice: " << control.name;
    if (!control.parent.empty()) {
      const auto parentKind = byName.find(control.parent)->second->kind;
      if (control.kind == Kind::TabPage) {
        EXPECT_EQ(parentKind, Kind::TabControl) << control.name;
        EXPECT_EQ(control.name, std::string(control.parent) + "." + std::string(control.caption));
        continue;  // pages stack, they take no cells
      }
      EXPECT_TRUE(parentKind == Kind::GroupBox || parentKind == Kind::TabPage ||
                  (parentKind == Kind::StatusBar &&
                   (control.kind == Kind::Label || control.kind == Kind::CheckBox ||
                    control.kind == Kind::Button)))
          << control.name << " is inside " << control.parent;
    }
    EXPECT_TRUE(control.kind != Kind::ComboBox || !control.items.empty()) << control.name;
    const auto& cell = control.cell;
    EXPECT_TRUE(cell.row >= 0 && cell.column >= 0 && cell.rowSpan >= 1 && cell.columnSpan >= 1)
        << control.name;
    for (int r = cell.row; r < cell.row + cell.rowSpan; ++r) {
      for (int c = cell.column; c < cell.column + cell.columnSpan; ++c) {
        EXPECT_TRUE(taken[control.parent].insert({r, c}).second)
            << control.name << " overlaps another control at " << r << "," << c;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllWindows, FormTables,
                         ::testing::Values("main", "debug", "error", "factory", "bic", "profile",
                                           "journal", "heatmap", "trends"));

TEST(CaptionTable, EveryEntryNamesAMainWindowControlOrPageWithThatChineseCaption) {
  const auto byName = ByName(MainWindowTable());
  std::set<std::string_view> seen;
  for (const auto& caption : app::ControlCaptions()) {
    EXPECT_TRUE(seen.insert(caption.control).second) << "twice: " << caption.control;
    const auto found = byName.find(caption.control);
    ASSERT_NE(found, byName.end()) << caption.control;
    EXPECT_EQ(found->second->caption, caption.chinese) << caption.control;
    EXPECT_FALSE(caption.english.empty()) << caption.control;
  }
  for (const auto& page : app::PageCaptions()) {
    std::vector<std::string_view> pages;
    for (const auto& control : MainWindowTable().controls) {
      if (control.kind == Kind::TabPage && control.parent == page.tabControl) {
        pages.push_back(control.caption);
      }
    }
    ASSERT_GE(page.page, 1);
    ASSERT_LE(static_cast<std::size_t>(page.page), pages.size()) << page.tabControl;
    EXPECT_EQ(pages[static_cast<std::size_t>(page.page - 1)], page.chinese) << page.tabControl;
  }
}

// Chinese text left in the English interface is what an English tool tip explains.
bool HasChinese(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0xE0; });
}

bool HasLettersOrChinese(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0xE0;
  });
}

TEST(ToolTipTable, EveryEntryNamesAControlAndEveryCaptionLeftInChineseHasOne) {
  const auto byName = ByName(MainWindowTable());
  std::set<std::string_view> seen;
  for (const auto& tip : app::ControlToolTips()) {
    EXPECT_TRUE(seen.insert(tip.control).second) << "twice: " << tip.control;
    const auto found = byName.find(tip.control);
    ASSERT_NE(found, byName.end()) << tip.control;
    EXPECT_FALSE(tip.english.empty()) << tip.control;
    EXPECT_FALSE(HasChinese(tip.english)) << tip.control;
    // Only a button that shows a symbol instead of a word says what it is in Chinese.
    const auto& spec = *found->second;
    const bool symbol = spec.kind == Kind::Button && !HasLettersOrChinese(spec.caption);
    EXPECT_EQ(tip.chinese.empty(), !symbol) << tip.control;
  }
  // Every caption left in Chinese in English has an English tool tip, but those meant to
  // stay: the language box names both languages, and a language is named in its own; the
  // communication and record buttons are translated by the language switch by their state.
  const std::set<std::string_view> kept = {"分组框2", "简体中文单选框", "通信按钮", "录制按钮"};
  std::set<std::string_view> translated;
  for (const auto& caption : app::ControlCaptions()) translated.insert(caption.control);
  std::set<std::string> translatedPages;
  for (const auto& page : app::PageCaptions()) {
    translatedPages.insert(std::string(page.tabControl) + "." + std::string(page.chinese));
  }

  int leftInChinese = 0;
  for (const auto& control : MainWindowTable().controls) {
    const bool chinese = HasChinese(control.caption) ||
                         std::any_of(control.items.begin(), control.items.end(), HasChinese);
    const bool isTranslated = control.kind == Kind::TabPage
                                  ? translatedPages.contains(std::string(control.name))
                                  : translated.contains(control.name);
    if (!chinese || isTranslated || kept.contains(control.name)) continue;
    ++leftInChinese;
    EXPECT_TRUE(seen.contains(control.name)) << control.name << " stays Chinese unexplained";
  }
  EXPECT_GT(leftInChinese, 50);  // the GB/T pages alone hold more
}

TEST(StatusBar, HoldsTheLinkStateTheLastErrorAutoReconnectThenRecordingJournalHeatMapTrends) {
  std::vector<std::string_view> controls;
  for (const auto& control : MainWindowTable().controls) {
    if (control.parent == "状态栏") controls.push_back(control.name);
  }
  EXPECT_EQ(controls, (std::vector<std::string_view>{
                          "链路状态标签", "最后接收时间标签", "最后错误信息标签", "自动重连选择框",
                          "录制按钮", "录制状态标签", "告警日志按钮", "热图按钮", "趋势按钮"}));
  const auto byName = ByName(MainWindowTable());
  EXPECT_EQ(byName.at("自动重连选择框")->kind, Kind::CheckBox);
  EXPECT_EQ(byName.at("状态栏")->kind, Kind::StatusBar);
  EXPECT_EQ(byName.at("链路状态标签")->caption, "空闲");
  // Only the error message stretches: a longer caption or figure never moves the others.
  EXPECT_EQ(byName.at("最后错误信息标签")->minimumWidth, 0);
  for (const char* fixed :
       {"链路状态标签", "最后接收时间标签", "录制按钮", "录制状态标签", "告警日志按钮"}) {
    EXPECT_GT(byName.at(fixed)->minimumWidth, 0) << fixed;
  }
}

}  // namespace
}  // namespace bms::forms
