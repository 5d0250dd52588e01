// The profile window through the driver, against a controller that answers every read
// and save the tool sends.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "backends.h"
#include "params/catalogue.h"
#include "profiles/profile.h"
#include "profiles/templates.h"
#include "testing/driver.h"
#include "wire/hex_text.h"

namespace bms::testing {
namespace {

using params::CatalogueRow;

constexpr std::string_view kTable = "profile:参数配置表格";
constexpr std::string_view kSummary = "profile:配置结果标签";
constexpr int kController = 2;
constexpr int kFile = 3;
constexpr int kState = 4;
constexpr Rgb kWhite{255, 255, 255};

std::span<const CatalogueRow> Catalogue() { return params::ParameterCatalogue(); }
int IndexOf(const CatalogueRow& row) { return static_cast<int>(&row - Catalogue().data()); }

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (auto comma = line.find(','); comma != std::string::npos; comma = line.find(',', start)) {
    fields.push_back(line.substr(start, comma - start));
    start = comma + 1;
  }
  return fields;
}

// A value the row sends and reads back as the same text.
std::string ValueFor(const CatalogueRow& row) {
  std::vector<std::string> candidates = {"1", "10", "100", "3000", "1.0", "1.000", "0"};
  for (const auto code : row.codes) candidates.emplace_back(code);
  for (const auto& value : candidates) {
    const auto fields = params::SaveRequest(row.codec, value);
    if (fields && params::DecodeValue(row.codec, fields->data1, fields->data2) == value) {
      return value;
    }
  }
  return "";
}

// Holds one value per row; answers reads, saves what is not refused, and acknowledges.
class Controller {
 public:
  explicit Controller(Driver& driver) : driver_(driver) {
    for (const auto& row : Catalogue()) values[&row] = ValueFor(row);
  }

  // Answers what was sent, letting 50 ms pass between rounds.
  void run(int rounds = 2000) {
    for (int i = 0; i < rounds; ++i) {
      for (const auto& line : driver_.sent()) answer(Fields(line));
      driver_.advance(50);
    }
  }

  std::map<const CatalogueRow*, std::string> values;
  std::set<const CatalogueRow*> refused;   // saves it refuses
  std::vector<const CatalogueRow*> saved;  // in the order saved
  int reads = 0;

 private:
  // Reads first: one group's read ID may be another's save ID.
  void answer(const std::vector<std::string>& f) {
    if (f.size() < 6 || f[2] != "6") return;
    for (const auto& row : Catalogue()) {
      const auto ids = params::IdsOfGroup(row.codec.readId);
      if (f[3] == ids.read && params::ReadRequest(row.codec).data1 == f[4]) {
        ++reads;
        if (const auto fields = params::SaveRequest(row.codec, values[&row])) {
          send(ids.value, fields->data1, fields->data2);
        }
        return;
      }
    }
    for (const auto& row : Catalogue()) {
      const auto ids = params::IdsOfGroup(row.codec.readId);
      const auto itemByte = row.codec.item ? wire::ByteToHex2(*row.codec.item) : std::string();
      const auto value = params::DecodeValue(row.codec, f[4], f[5]);
      if (f[3] != ids.save || !f[4].starts_with(itemByte) || !value) continue;
      const bool refuse = refused.contains(&row);
      if (!refuse) {
        values[&row] = *value;
        saved.push_back(&row);
      }
      send(ids.ack, (itemByte + (refuse ? "55" : "AA") + "FFFFFFFF").substr(0, 8), "FFFFFFFF");
      return;
    }
  }

  void send(const std::string& id, const std::string& data1, const std::string& data2) {
    driver_.receive("T,05F5E100,7," + id + "," + data1 + "," + data2 + ",\r\n");
  }

  Driver& driver_;
};

class ProfileWindow : public ::testing::TestWithParam<Backend> {
 protected:
  void SetUp() override {
    StartConnected(driver);
    ASSERT_TRUE(driver.click("参数配置文件按钮"));
  }

  std::string cell(const CatalogueRow& row, int column) {
    return driver.cell(kTable, IndexOf(row), column);
  }

  void readAll() {
    ASSERT_TRUE(driver.click("profile:读取全部参数按钮"));
    controller.run();
  }

  // A file that holds the controller's values but for `changed`, which hold others.
  void openFileChanging(const std::vector<const CatalogueRow*>& changed) {
    profiles::Profile profile{.bmc = "100000000", .created = "2026-12-06T16:30:00Z", .entries = {}};
    for (const auto& row : Catalogue()) {
      auto value = controller.values[&row];
      for (const auto* other : changed) {
        if (other == &row) value = ValueFor(row) == "1" ? "10" : "1";
      }
      profile.entries.push_back({std::string(row.codec.readId), row.codec.item, value});
    }
    driver.writeFile("changed.json", profiles::WriteProfileFile(profile, Catalogue()));
    driver.answerOpenFile("changed.json");
    ASSERT_TRUE(driver.click("profile:打开配置文件按钮"));
  }

  // Rows that take another value and read it back as written.
  static std::vector<const CatalogueRow*> changeable(std::size_t count) {
    std::vector<const CatalogueRow*> rows;
    for (const auto& row : Catalogue()) {
      const std::string other = ValueFor(row) == "1" ? "10" : "1";
      const auto fields = params::SaveRequest(row.codec, other);
      if (rows.size() < count && row.choices.empty() && fields &&
          params::DecodeValue(row.codec, fields->data1, fields->data2) == other) {
        rows.push_back(&row);
      }
    }
    return rows;
  }

  Driver driver{GetParam()};
  Controller controller{driver};
};

// Save as writes what was read; an unwritable file leaves a message.
TEST_P(ProfileWindow, ReadAllFillsTheTableInEitherLanguageAndSavesIt) {
  EXPECT_EQ(driver.title("profile"), "Parameter profile");
  ASSERT_EQ(driver.rowCount(kTable), static_cast<int>(Catalogue().size()));
  readAll();
  EXPECT_EQ(controller.reads, static_cast<int>(Catalogue().size()));
  for (const auto& row : Catalogue()) {
    ASSERT_FALSE(controller.values[&row].empty()) << row.english;
    EXPECT_EQ(cell(row, 0), row.english);
    EXPECT_EQ(cell(row, 1), row.unit);
    EXPECT_TRUE(cell(row, kController).starts_with(controller.values[&row])) << row.english;
    EXPECT_EQ(cell(row, kState), "Read") << row.english;
  }
  EXPECT_EQ(driver.value("profile:配置进度条"), 100);
  EXPECT_EQ(driver.text(kSummary), std::to_string(Catalogue().size()) + " read");

  driver.click("简体中文单选框");
  EXPECT_EQ(driver.title("profile"), "参数配置文件");
  EXPECT_EQ(driver.items(kTable)[kState], "状态");
  EXPECT_EQ(driver.text("profile:写入更改按钮"), "写入更改");
  EXPECT_EQ(cell(Catalogue()[0], 0), Catalogue()[0].chinese);
  EXPECT_EQ(cell(Catalogue()[0], kState), "已读取");
  EXPECT_EQ(driver.text(kSummary), "已读取 " + std::to_string(Catalogue().size()) + " 项");

  driver.click("英文单选框");
  driver.answerSaveFile("no such folder/backup.json");
  ASSERT_TRUE(driver.click("profile:配置文件另存为按钮"));
  EXPECT_TRUE(driver.text(kSummary).starts_with("Cannot write ")) << driver.text(kSummary);
  driver.answerSaveFile("backup.json");
  ASSERT_TRUE(driver.click("profile:配置文件另存为按钮"));
  const auto read = profiles::ReadProfileFile(driver.readFile("backup.json").value(), Catalogue());
  ASSERT_TRUE(std::holds_alternative<profiles::Profile>(read));
  const auto& profile = std::get<profiles::Profile>(read);
  EXPECT_EQ(profile.bmc, "100000000");
  ASSERT_EQ(profile.entries.size(), Catalogue().size());
  for (const auto& entry : profile.entries) {
    EXPECT_EQ(entry.value,
              controller.values[profiles::FindRow(Catalogue(), entry.readId, entry.item)]);
  }
}

// A bad file loads nothing; an opened one shows its differences; writing asks first.
TEST_P(ProfileWindow, WriteChangesAsksThenWritesOnlyDifferingRows) {
  driver.writeFile("bad.json", "{\"format\": ");
  driver.answerOpenFile("bad.json");
  ASSERT_TRUE(driver.click("profile:打开配置文件按钮"));
  EXPECT_TRUE(driver.text(kSummary).starts_with("bad.json was refused, nothing was loaded: "))
      << driver.text(kSummary);
  EXPECT_EQ(cell(Catalogue()[0], kFile), "");
  // Nothing read, nothing differs: refused without a question.
  ASSERT_TRUE(driver.click("profile:写入更改按钮"));
  readAll();
  openFileChanging({});
  ASSERT_TRUE(driver.click("profile:写入更改按钮"));
  EXPECT_EQ(driver.text(kSummary), "Nothing differs: nothing to write");
  ASSERT_EQ(driver.dialogs().size(), 2u);  // the two files opened, no question
  EXPECT_EQ(driver.dialogs()[1].kind, "open");

  const auto changed = changeable(3);
  openFileChanging(changed);
  EXPECT_EQ(driver.text(kSummary), "3 rows differ from the controller");
  EXPECT_EQ(driver.text("profile:配置文件名标签"), "File: changed.json");
  for (const auto& row : Catalogue()) {
    const bool differs = std::find(changed.begin(), changed.end(), &row) != changed.end();
    EXPECT_EQ(cell(row, kState), differs ? "Differs" : "Same") << row.english;
    EXPECT_EQ(driver.cellBackground(kTable, IndexOf(row), kFile) != kWhite, differs);
  }
  controller.refused.insert(changed[1]);
  driver.answerYesNo(false);
  ASSERT_TRUE(driver.click("profile:写入更改按钮"));
  controller.run(100);
  EXPECT_TRUE(controller.saved.empty());
  ASSERT_EQ(driver.dialogs().back().kind, "yes/no");
  EXPECT_NE(driver.dialogs().back().text.find("Write 3 changed rows"), std::string::npos);

  driver.answerYesNo(true);
  ASSERT_TRUE(driver.click("profile:写入更改按钮"));
  controller.run();
  EXPECT_EQ(controller.saved, (std::vector<const CatalogueRow*>{changed[0], changed[2]}));
  EXPECT_EQ(cell(*changed[0], kState), "Written and verified");
  EXPECT_EQ(cell(*changed[1], kState), "Refused");
  EXPECT_NE(driver.cellBackground(kTable, IndexOf(*changed[1]), kState), kWhite);
  EXPECT_EQ(cell(*changed[2], kState), "Written and verified");
  EXPECT_EQ(cell(Catalogue().back(), kState), "Same");  // not among the changed
  const auto summary = driver.text(kSummary);
  EXPECT_NE(summary.find("2 written and verified"), std::string::npos) << summary;
  EXPECT_NE(summary.find("1 refused: " + std::string(changed[1]->english)), std::string::npos)
      << summary;
}

TEST_P(ProfileWindow, ALostLinkEndsTheRun) {
  ASSERT_TRUE(driver.click("profile:读取全部参数按钮"));
  EXPECT_FALSE(driver.enabled("profile:写入更改按钮"));
  controller.run(3);
  driver.peerClose();
  EXPECT_TRUE(driver.enabled("profile:读取全部参数按钮"));
  EXPECT_EQ(cell(Catalogue().back(), kState), "Not done");
  EXPECT_NE(driver.text(kSummary).find("not done: "), std::string::npos);
  // Without a link nothing starts.
  ASSERT_TRUE(driver.click("profile:读取全部参数按钮"));
  EXPECT_EQ(driver.text(kSummary), "Not connected: start the communication first");
}

TEST_P(ProfileWindow, QuickSettingButtonsLoadTheirTemplateAndSendNothing) {
  using profiles::Chemistry;
  struct Case {
    const char* button;
    Chemistry chemistry;
    const char* label;
  };
  for (const auto& [button, chemistry, label] :
       {Case{"磷酸铁锂按钮", Chemistry::Lfp, "Template: LFP"},
        Case{"钛酸锂按钮", Chemistry::Lto, "Template: LTO"},
        Case{"三元按钮", Chemistry::Ncm, "Template: NCM"},
        Case{"聚合物按钮", Chemistry::Polymer, "Template: polymer"},
        Case{"超级电容按钮", Chemistry::SuperCapacitor, "Template: super-capacitor"},
        Case{"钠离子按钮", Chemistry::SodiumIon, "Template: sodium-ion"}}) {
    ASSERT_TRUE(driver.click(button));
    EXPECT_EQ(driver.text("profile:配置文件名标签"), label);
    const auto profile = profiles::ChemistryTemplate(chemistry);
    ASSERT_FALSE(profile.entries.empty()) << label;
    for (const auto& entry : profile.entries) {
      const auto* row = profiles::FindRow(Catalogue(), entry.readId, entry.item);
      ASSERT_NE(row, nullptr) << label;
      EXPECT_TRUE(cell(*row, kFile).starts_with(entry.value)) << label << " " << row->english;
      EXPECT_EQ(cell(*row, kState), "File only") << label;
    }
  }
  EXPECT_TRUE(driver.sent().empty());
  EXPECT_TRUE(driver.dialogs().empty());
}

INSTANTIATE_TEST_SUITE_P(Backends, ProfileWindow, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
