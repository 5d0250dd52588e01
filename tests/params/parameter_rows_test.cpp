#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "backends.h"
#include "params/catalogue.h"
#include "testing/driver.h"
#include "wire/hex_text.h"

// Every parameter row reads, saves and shows its answers through one mechanism.
namespace bms::testing {
namespace {

using Lines = std::vector<std::string>;

const params::CatalogueRow& RowOf(std::string_view readId, std::optional<int> item = {}) {
  for (const auto& row : params::ParameterCatalogue()) {
    if (row.codec.readId == readId && row.codec.item == item) return row;
  }
  throw std::invalid_argument("no such row");
}

std::string Frame(const std::string& id, const std::string& data1, const std::string& data2) {
  return "T,05F5E100,7," + id + "," + data1 + "," + data2 + ",\r\n";
}

class ParameterRows : public ::testing::TestWithParam<Backend> {
 protected:
  void SetUp() override { StartConnected(driver); }

  Driver driver{GetParam()};
};

TEST_P(ParameterRows, ReadShowsWaitThenTheValue) {
  const auto& row = RowOf("09A00174");
  driver.select("总选择夹", 2);
  ASSERT_TRUE(driver.click(row.readButton));
  EXPECT_EQ(driver.text(row.display), "Wait");
  EXPECT_EQ(driver.sent(), Lines{"T,05F5E100,6,09A00174,FFFFFFFF,FFFFFFFF,\r\n"});
  driver.receive(Frame("09A10175", "0CE4FFFF", "FFFFFFFF"));
  EXPECT_EQ(driver.text(row.display), "3300");
}

TEST_P(ParameterRows, SaveSendsWhatIsValidAndRefusesTheRest) {
  const auto& row = RowOf("09A00174");
  driver.select("总选择夹", 2);
  struct Case {
    const char* typed;
    Lines sent;
  };
  for (const auto& [typed, sent] : {Case{"3300", {"T,05F5E100,6,09A00176,0CE4FFFF,FFFFFFFF,\r\n"}},
                                    Case{"70000", {}}, Case{"0", {}}, Case{"", {}}}) {
    driver.receive(Frame("09A10175", "0001FFFF", "FFFFFFFF"));  // the label shows "1"
    driver.setText(row.input, typed);
    ASSERT_TRUE(driver.click(row.saveButton));
    EXPECT_EQ(driver.sent(), sent) << typed;
    EXPECT_EQ(driver.text(row.display), sent.empty() ? "1" : "Wait") << typed;
    driver.advance(100);
    EXPECT_EQ(driver.text("错误指示灯标签"), sent.empty() ? "ERR" : "") << typed;
    driver.advance(1000);  // the error shown is over
    driver.sent();         // and the polls of that second forgotten
  }
}

TEST_P(ParameterRows, ARefusedThermistorTypeShowsErrorAndOtherRowsKeepWait) {
  const auto& thermistor = RowOf("09A00104");
  const auto& limit = RowOf("09A00174");
  driver.click(thermistor.readButton);
  driver.click(limit.readButton);
  driver.receive(Frame("09A10107", "00FFFFFF", "FFFFFFFF") +
                 Frame("09A10177", "00FFFFFF", "FFFFFFFF"));
  EXPECT_EQ(driver.text(thermistor.display), "Error");
  EXPECT_EQ(driver.text(limit.display), "Wait");
  driver.advance(100);
  EXPECT_EQ(driver.text("错误指示灯标签"), "ERR");
}

TEST_P(ParameterRows, AChoiceShowsItsTextInTheLanguageOfTheMoment) {
  for (const auto& row : params::ParameterCatalogue()) {
    if (row.choices.empty()) continue;
    const std::string item = wire::ByteToHex2(*row.codec.item);
    const std::string valueId = params::IdsOfGroup(row.codec.readId).value;
    driver.click("简体中文单选框");
    driver.receive(Frame(valueId, item + "01FFFF", "FFFFFFFF"));
    EXPECT_EQ(driver.text(row.display), row.choices[1].chinese) << row.display;
    driver.click("英文单选框");
    driver.receive(Frame(valueId, item + "01FFFF", "FFFFFFFF"));
    EXPECT_EQ(driver.text(row.display), row.choices[1].english) << row.display;
  }
}

// An acknowledgement marks its own item only; a value that names no choice leaves the label
// unless the row names it too; the rated energy follows capacity and voltage once both show a
// number.
TEST_P(ParameterRows, AnswersShowInTheirOwnRowOnly) {
  const auto& five = RowOf("09A00180", 5);
  const auto& four = RowOf("09A00180", 4);
  driver.receive(Frame("09A10183", "05AAFFFF", "FFFFFFFF"));
  EXPECT_EQ(driver.text(five.display), "Done");
  EXPECT_EQ(driver.text(four.display), "");
  driver.receive(Frame("09A10181", "040CE4FF", "FFFFFFFF"));
  EXPECT_EQ(driver.text(four.display), "3300");
  EXPECT_EQ(driver.text(five.display), "Done");
  const auto& wakeup = RowOf("09A00160", 1);
  driver.receive(Frame("09A10161", "0101FFFF", "FFFFFFFF"));
  driver.receive(Frame("09A10161", "0102FFFF", "FFFFFFFF"));
  EXPECT_EQ(driver.text(wakeup.display), "Only Turn ON");
  const auto& source = RowOf("09A0FA10", 0);
  driver.receive(Frame("09A1FA11", "0001FFFF", "FFFFFFFF"));
  driver.receive(Frame("09A1FA11", "00FFFFFF", "FFFFFFFF"));
  EXPECT_EQ(driver.text(source.display), "未设置");
  driver.click(RowOf("09A00130", 1).readButton);  // the voltage shows "Wait"
  driver.receive(Frame("09A10131", "00FFFFFF", "42C80000"));
  EXPECT_EQ(driver.text("额定容量Ah显示标签"), "100.000");
  EXPECT_EQ(driver.text("额定kWh显示标签"), "") << "not while the voltage waits";
  driver.receive(Frame("09A10131", "01FFFFFF", "424CCCCD"));
  EXPECT_EQ(driver.text("额定总电压显示标签"), "51.2");
  EXPECT_EQ(driver.text("额定kWh显示标签"), "5.120");
}

TEST_P(ParameterRows, RowsWithoutFramesCannotBeUsed) {
  for (const char* control :
       {"保存额定容量按钮1", "修改额定容量编辑框1", "读取最小充电电流按钮1",
        "保存最小充电电流按钮1", "读取最大充电电流按钮2", "保存最大充电电流按钮2",
        "读取最小充电电流按钮2", "保存最小充电电流按钮2", "读取最小充电电流按钮3",
        "保存最小充电电流按钮3"}) {
    EXPECT_FALSE(driver.click(control)) << control;
  }
  EXPECT_FALSE(driver.enabled("修改最小充电电流编辑框3"));
  EXPECT_EQ(driver.sent(), Lines{});
}

INSTANTIATE_TEST_SUITE_P(Backends, ParameterRows, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
