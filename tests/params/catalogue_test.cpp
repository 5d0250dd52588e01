#include "params/catalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "forms/tables.h"

namespace bms::params {
namespace {

const forms::ControlSpec* FindControl(std::string_view name) {
  for (const auto& control : forms::MainWindowTable().controls) {
    if (control.name == name) return &control;
  }
  return nullptr;
}

// The tab page a control stands on, through its group boxes.
std::string_view PageOf(std::string_view name) {
  const forms::ControlSpec* control = FindControl(name);
  for (int depth = 0; control && depth < 16; ++depth) {
    if (control->kind == forms::Kind::TabPage) return control->name;
    control = FindControl(control->parent);
  }
  return {};
}

bool HasSiblingWithCaption(std::string_view name, std::string_view caption) {
  const forms::ControlSpec* control = FindControl(name);
  if (!control) return false;
  for (const auto& other : forms::MainWindowTable().controls) {
    if (other.parent == control->parent && other.caption == caption) return true;
  }
  return false;
}

std::string Describe(const CatalogueRow& row) {
  return std::string(row.page) + " " + std::string(row.tag);
}

const CatalogueRow* FindRow(std::string_view page, std::string_view tag) {
  for (const auto& row : ParameterCatalogue()) {
    if (row.page == page && row.tag == tag) return &row;
  }
  return nullptr;
}

bool TakesChoice(const CatalogueRow& row) {
  return row.codec.encoding == Encoding::Choice || row.codec.encoding == Encoding::Code;
}

// No two rows share a tag on a page, an item of a group, or a control.
TEST(Catalogue, EveryRowOwnsItsControlsOnItsPage) {
  std::set<std::pair<std::string_view, std::string_view>> tags;
  std::set<std::pair<std::string_view, int>> items;
  std::set<std::string_view> controls;
  for (const auto& row : ParameterCatalogue()) {
    SCOPED_TRACE(Describe(row));
    if (!row.tag.empty()) {
      EXPECT_TRUE(tags.emplace(row.page, row.tag).second);
    }
    EXPECT_TRUE(items.emplace(row.codec.readId, row.codec.item.value_or(-1)).second);
    const auto input = TakesChoice(row) ? forms::Kind::ComboBox : forms::Kind::Edit;
    for (const auto& [name, kind] :
         {std::pair{row.display, forms::Kind::Label}, std::pair{row.input, input},
          std::pair{row.readButton, forms::Kind::Button},
          std::pair{row.saveButton, forms::Kind::Button}}) {
      const forms::ControlSpec* control = FindControl(name);
      ASSERT_NE(control, nullptr) << name;
      EXPECT_EQ(control->kind, kind) << name;
      EXPECT_EQ(PageOf(name), row.page) << name;
      EXPECT_TRUE(controls.insert(name).second) << name;
    }
    for (const auto caption : {row.chinese, row.tag, row.unit}) {
      if (!caption.empty()) {
        EXPECT_TRUE(HasSiblingWithCaption(row.display, caption)) << caption;
      }
    }
    EXPECT_FALSE(row.chinese.empty());
    EXPECT_FALSE(row.english.empty());
  }
}

TEST(Catalogue, ComboItemsAreTheValuesTheRowSends) {
  for (const auto& row : ParameterCatalogue()) {
    SCOPED_TRACE(Describe(row));
    const forms::ControlSpec* input = FindControl(row.input);
    ASSERT_NE(input, nullptr);
    const std::vector<std::string_view> items(input->items.begin(), input->items.end());
    if (row.codec.encoding == Encoding::Code) {
      EXPECT_EQ(items, std::vector<std::string_view>(row.codes.begin(), row.codes.end()));
    } else if (row.codec.encoding != Encoding::Choice) {
      EXPECT_TRUE(row.choices.empty());
      EXPECT_TRUE(row.codes.empty());
      EXPECT_FALSE(row.otherChoice.has_value());
      continue;
    }
    EXPECT_FALSE(items.empty());
    if (row.choices.empty()) continue;  // the answer shows the number itself
    // The item chosen is the value that comes back: item n reads as choice n.
    ASSERT_EQ(items.size(), row.choices.size());
    for (std::size_t n = 0; n < items.size(); ++n) {
      EXPECT_TRUE(items[n].ends_with(row.choices[n].english)) << items[n];
      EXPECT_EQ(row.choices[n].chinese, row.choices[n].english);
    }
  }
}

// The bytes of data1 behind the item index that a value takes (a float goes in data2).
int FieldBytes(Encoding encoding) {
  return encoding == Encoding::U16 ? 2 : encoding == Encoding::F32 ? 0 : 1;
}

// A group is either one row without an item index, or rows whose items count 00, 01, ...
// without a gap, with fields of one size.
TEST(Catalogue, GroupsAreSingleRowsOrNumberedItems) {
  std::map<std::string_view, std::vector<const CatalogueRow*>> groups;
  for (const auto& row : ParameterCatalogue()) groups[row.codec.readId].push_back(&row);
  for (const auto& [readId, rows] : groups) {
    SCOPED_TRACE(std::string(readId));
    if (rows.size() == 1 && !rows.front()->codec.item) continue;
    std::set<int> seen;
    for (const auto* row : rows) {
      ASSERT_TRUE(row->codec.item.has_value()) << Describe(*row);
      seen.insert(*row->codec.item);
      EXPECT_EQ(FieldBytes(row->codec.encoding), FieldBytes(rows.front()->codec.encoding))
          << Describe(*row);
    }
    EXPECT_EQ(seen.size(), rows.size());
    EXPECT_EQ(*seen.begin(), 0);
    EXPECT_EQ(*seen.rbegin(), static_cast<int>(rows.size()) - 1);
  }
}

// No frame ID of one group is a frame ID of another, so an answer has only one reader.
TEST(Catalogue, GroupsUseDistinctFrameIds) {
  std::map<std::string, std::string_view> owners;
  for (const auto& row : ParameterCatalogue()) {
    const GroupIds ids = IdsOfGroup(row.codec.readId);
    for (const auto& id : {ids.read, ids.value, ids.save, ids.ack}) {
      const auto [owner, added] = owners.emplace(id, row.codec.readId);
      EXPECT_EQ(owner->second, row.codec.readId) << id;
    }
  }
}

TEST(Catalogue, EveryPageHasAllItsRows) {
  const std::map<std::string_view, int> expected = {
      {"参数标定选择夹.单体电压", 10},
      {"参数标定选择夹.温度", 12},
      {"参数标定选择夹.BIC", 1},
      {"参数标定选择夹.整组设置", 8},
      {"参数标定选择夹.特性", 1},
      {"参数标定选择夹.信号", 7},
      {"国标充电设置项目选择夹.基础设置", 5},
  };
  std::map<std::string_view, int> counted;
  for (const auto& row : ParameterCatalogue()) ++counted[row.page];
  EXPECT_EQ(counted, expected);
}

struct SaveCase {
  std::string_view page;
  std::string_view tag;
  std::string_view value;
  std::optional<std::string_view> saveId;  // nothing: the value is refused
  std::string_view data1 = {};
  std::string_view data2 = "FFFFFFFF";
};

TEST(Catalogue, SavesSendWhatTheControllerExpects) {
  constexpr std::string_view cell = "参数标定选择夹.单体电压";
  constexpr std::string_view temperature = "参数标定选择夹.温度";
  constexpr std::string_view pack = "参数标定选择夹.整组设置";
  const SaveCase cases[] = {{cell, "V1", "3300", "09A00176", "0CE4FFFF"},
                            {cell, "V2", "2500", "09A0017A", "09C4FFFF"},
                            {cell, "V3", "3650", "09A00182", "000E42FF"},
                            {cell, "V10", "3400", "09A00182", "070D48FF"},
                            {cell, "V3", "0", std::nullopt},
                            {cell, "V1", "3300.5", std::nullopt},
                            {temperature, "P6", "-20", "09A00192", "05ECFFFF"},
                            {temperature, "P3", "120", "09A00192", "0278FFFF"},
                            {temperature, "P3", "-100", "09A00192", "029CFFFF"},
                            {temperature, "P1", "121", std::nullopt},
                            {temperature, "P10", "-101", std::nullopt},
                            {temperature, "P11", "127", "09A00192", "0A7FFFFF"},
                            {temperature, "P12", "0", "09A00192", "0B00FFFF"},
                            {temperature, "P12", "-1", std::nullopt},
                            {temperature, "P11", "128", std::nullopt},
                            {pack, "P1", "100", "09A00132", "00FFFFFF", "42C80000"},
                            {pack, "P8", "0.5", "09A00132", "07FFFFFF", "3F000000"},
                            {pack, "P2", "0", std::nullopt},
                            {"参数标定选择夹.BIC", "P5", "3", "09A00106", "03FFFFFF"},
                            {"参数标定选择夹.BIC", "P5", "-1", std::nullopt},
                            {"参数标定选择夹.特性", "P1", "03", "09A0012E", "03FFFFFF"},
                            {"参数标定选择夹.信号", "P4", "1", "09A00162", "0501FFFF"},
                            {"参数标定选择夹.信号", "P1", "0", "09A00162", "0600FFFF"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.page) + " " + std::string(c.tag) + " " + std::string(c.value));
    const CatalogueRow* row = FindRow(c.page, c.tag);
    ASSERT_NE(row, nullptr);
    const auto fields = SaveRequest(row->codec, c.value);
    if (!c.saveId) {
      EXPECT_FALSE(fields.has_value());
      continue;
    }
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ(IdsOfGroup(row->codec.readId).save, *c.saveId);
    EXPECT_EQ(fields->data1, c.data1);
    EXPECT_EQ(fields->data2, c.data2);
  }
}

struct AnswerCase {
  std::string_view page;
  std::string_view tag;
  std::string_view valueId;
  std::string_view data1;
  std::string_view data2;
  std::string_view shown;
};

TEST(Catalogue, AnswersShowAsTheWindowShowsThem) {
  const AnswerCase cases[] = {
      {"参数标定选择夹.单体电压", "V2", "09A10179", "0BB8FFFF", "FFFFFFFF", "3000"},
      {"参数标定选择夹.单体电压", "V5", "09A10181", "020D48FF", "FFFFFFFF", "3400"},
      {"参数标定选择夹.温度", "P11", "09A10191", "0AFBFFFF", "FFFFFFFF", "-5"},
      {"参数标定选择夹.整组设置", "P1", "09A10131", "00FFFFFF", "42C80000", "100.000"},
      {"参数标定选择夹.整组设置", "P2", "09A10131", "01FFFFFF", "424CCCCD", "51.2"},
      {"参数标定选择夹.整组设置", "P7", "09A10131", "06FFFFFF", "42C80000", "100.000"},
      {"参数标定选择夹.特性", "P1", "09A1012D", "FFFFFFFF", "FFFFFFFF", "FF"},
      {"参数标定选择夹.BIC", "P5", "09A10105", "0AFFFFFF", "FFFFFFFF", "10"},
      {"参数标定选择夹.信号", "P3", "09A10161", "0101FFFF", "FFFFFFFF", "Only Turn ON"},
      {"参数标定选择夹.信号", "P7", "09A10161", "0400FFFF", "FFFFFFFF", "NO"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.page) + " " + std::string(c.tag));
    const CatalogueRow* row = FindRow(c.page, c.tag);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(IdsOfGroup(row->codec.readId).value, c.valueId);
    auto shown = DecodeValue(row->codec, c.data1, c.data2);
    ASSERT_TRUE(shown.has_value());
    if (row->codec.encoding == Encoding::Choice) {
      const auto index = std::stoul(*shown);
      ASSERT_LT(index, row->choices.size());
      shown = std::string(row->choices[index].english);
    }
    EXPECT_EQ(*shown, c.shown);
  }
}

}  // namespace
}  // namespace bms::params
