#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "backends.h"
#include "forms/tables.h"
#include "testing/driver.h"

// A noisy cable cuts and garbles lines. Whatever arrives damaged is shown in the debug
// window and dropped: it never becomes a value, a count or a BMC number.
namespace bms::testing {
namespace {

// Every text of the main window but those that speak of the link itself: the receive
// counter, which counts every line, and the status line, which counts damaged ones.
std::map<std::string, std::string> Texts(Driver& driver) {
  std::map<std::string, std::string> texts;
  for (const auto& control : forms::MainWindowTable().controls) {
    if (control.name == "接收计数标签" || control.parent == "状态栏") continue;
    texts[std::string(control.name)] = driver.text(control.name);
  }
  return texts;
}

// The controls whose text differs, with both texts.
std::string Changes(const std::map<std::string, std::string>& before,
                    const std::map<std::string, std::string>& after) {
  std::string changes;
  for (const auto& [name, text] : after) {
    if (before.at(name) != text) changes += name + ": " + before.at(name) + " -> " + text + "; ";
  }
  return changes;
}

struct Answer {
  std::string id, data1, data2;
  const char* label;  // shows the good frame
  const char* shown;
};

std::string Line(const std::string& id, const std::string& data1, const std::string& data2) {
  return "T,05F5E100,7," + id + "," + data1 + "," + data2 + ",\r\n";
}

class DamagedLines : public ::testing::TestWithParam<Backend> {};

TEST_P(DamagedLines, ADamagedAnswerChangesNothingAndTheNextGoodOneDecodes) {
  const Answer answers[] = {
      {"09A10003", "C1200000", "42480000", "总电压标签", "50.0V"},
      {"09A10101", "10FFFFFF", "FFFFFFFF", "监视界面的安装BIC数量显示标签", "16"},
      {"09A11201", "0CF00CE4", "0CFA0CE4", "单体1电压标签", "3.312V"},
      {"09A10105", "02FFFFFF", "FFFFFFFF", "热敏电阻类型显示标签", "2"},
  };
  struct Damage {
    const char* what;
    std::string (*line)(const Answer&);
  };
  const Damage damages[] = {
      {"cut in the ID",
       [](const Answer& a) { return "T,05F5E100,7," + a.id.substr(0, 5) + "\r\n"; }},
      {"cut in data1",
       [](const Answer& a) {
         return "T,05F5E100,7," + a.id + "," + a.data1.substr(0, 3) + "\r\n";
       }},
      {"cut in data2", [](const Answer& a) { return Line(a.id, a.data1, a.data2.substr(0, 6)); }},
      {"7 digits", [](const Answer& a) { return Line(a.id, a.data1.substr(1), a.data2); }},
      {"9 digits", [](const Answer& a) { return Line(a.id, a.data1, a.data2 + "0"); }},
      {"not hex", [](const Answer& a) { return Line(a.id, "G" + a.data1.substr(1), a.data2); }},
      {"empty field", [](const Answer& a) { return Line(a.id, "", a.data2); }},
  };
  for (const auto& answer : answers) {
    for (const auto& [what, damaged] : damages) {
      Driver driver(GetParam());
      StartConnected(driver);
      driver.receive(Line("09A10101", "01FFFFFF", "FFFFFFFF"));
      driver.click("读取单体信息选择框");
      driver.receive(Line("09A11101", "1008FFFF", "00000000"));  // 16 cells, 8 sensors
      const auto before = Texts(driver);
      driver.receive(damaged(answer));
      driver.advance(100);
      EXPECT_EQ(Changes(before, Texts(driver)), "") << answer.id << ", " << what;
      EXPECT_EQ(driver.beeps(), 0) << answer.id << ", " << what;
      driver.receive(Line(answer.id, answer.data1, answer.data2));
      EXPECT_EQ(driver.text(answer.label), answer.shown) << answer.id << ", " << what;
    }
  }
}

TEST_P(DamagedLines, OnlyAWholeBmcFieldRewritesTheBmcNumberAndLowerCaseDataIsWhole) {
  Driver driver(GetParam());
  StartConnected(driver);
  for (const std::string field : {"", "05F5", "05F5E1000", "05F5E10G", "0BEBC200"}) {
    driver.receive("T," + field + ",5,\r\n");
    EXPECT_EQ(driver.text("BMC编号编辑框"), field == "0BEBC200" ? "200000000" : "100000000")
        << field;
  }
  driver.receive(Line("09A10003", "c1200000", "42480000"));  // lower-case data is still whole
  EXPECT_EQ(driver.text("电流标签"), "-10.000A");
}

INSTANTIATE_TEST_SUITE_P(Backends, DamagedLines, AllBackends(), BackendName);

// Good answers cut and garbled at random, as a noisy line does: whatever is not a whole
// answer, nor a control line the relay or the controller may send, changes no text.
TEST(DamagedLinesProperty, NothingButWholeAnswersAndControlLinesChangesATextOnScreen) {
  static const std::regex kWholeAnswer("T,[^,]*,7,[0-9A-Fa-f]{8},[0-9A-Fa-f]{8},[0-9A-Fa-f]{8},.*",
                                       std::regex::extended);
  static const std::regex kControlLine("T,[^,]*,(1|S2|B|D|F|5)(,.*)?", std::regex::extended);
  const std::string good[] = {
      Line("09A10003", "C1200000", "42480000"), Line("09A10004", "83E80CF0", "0CE4FB19"),
      Line("09A10101", "10FFFFFF", "FFFFFFFF"), Line("09A11201", "0CF00CE4", "0CFA0CE4"),
      Line("09A10105", "02FFFFFF", "FFFFFFFF")};
  std::mt19937 random(20261206);
  Driver driver;
  StartConnected(driver);
  driver.receive(Line("09A10101", "01FFFFFF", "FFFFFFFF"));
  driver.click("读取单体信息选择框");
  int checked = 0;
  for (int i = 0; i < 1500; ++i) {
    std::string line = good[random() % std::size(good)];
    line.resize(line.size() - 2);  // without its line end
    switch (random() % 3) {
      case 0:  // cut
        line.resize(random() % line.size());
        break;
      case 1:  // a byte changed
        line[random() % line.size()] = static_cast<char>(random() % 256);
        break;
      default:  // a byte lost
        line.erase(random() % line.size(), 1);
    }
    if (std::regex_match(line, kWholeAnswer) || std::regex_match(line, kControlLine)) continue;
    const auto before = Texts(driver);
    driver.receive(line + "\r\n");
    ASSERT_EQ(Changes(before, Texts(driver)), "") << line;
    ++checked;
  }
  EXPECT_GT(checked, 500);
}

}  // namespace
}  // namespace bms::testing
