#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "backends.h"
#include "testing/driver.h"
#include "wire/hex_text.h"

// The BIC calibration window, opened from the parameter page "BIC" with the factory marker.
namespace bms::testing {
namespace {

using Lines = std::vector<std::string>;
using wire::ByteToHex2;

constexpr const char* kMirrorTimer = "bic:与主窗口IC详情状态同步时钟";

std::string Frame(const std::string& id, const std::string& data1,
                  const std::string& data2 = "FFFFFFFF") {
  return "T,05F5E100,7," + id + "," + data1 + "," + data2 + ",\r\n";
}

std::string Sent(const std::string& id, const std::string& data1) {
  return "T,05F5E100,6," + id + "," + data1 + ",FFFFFFFF,\r\n";
}

// The main window's cell view shows BIC `bic` of `installed`: the count answered, reading
// ticked, ">" pressed until `bic` is planned and its first frame received.
void ShowBic(Driver& driver, int bic, int installed) {
  driver.receive(Frame("09A10101", ByteToHex2(installed) + "FFFFFF"));
  if (!driver.checked("读取单体信息选择框")) driver.click("读取单体信息选择框");
  for (int n = 1; n < bic || (bic == 0 && n == 1); ++n) driver.click("下一个BIC按钮");
  driver.receive(Frame("09A111" + ByteToHex2(bic), "0C040005", "1AFFFFFF"));
}

void StartWithWindow(Driver& driver) {
  driver.writeFile("BMS_Factory.txt", "F");
  StartConnected(driver);
  driver.select("总选择夹", 2);
  ASSERT_TRUE(driver.click("BIC校准按钮"));
  ASSERT_TRUE(driver.isOpen("bic"));
}

// The error flag shows as "ERR" at the next refresh tick.
bool ErrorShown(Driver& driver) {
  driver.advance(100);
  return driver.text("错误指示灯标签") == "ERR";
}

class BicCalibration : public ::testing::TestWithParam<Backend> {};

TEST_P(BicCalibration, RequestsGoToTheBicShownOrAreRefused) {
  struct Case {
    const char* name;
    int bic;
    int installed;
    std::vector<std::pair<const char*, const char*>> typed;
    const char* button;
    Lines sent;  // empty: refused
  };
  const char* ref = "bic:BIC基准电压设定编辑框";
  const char* cell = "bic:BIC某节单体编号输入编辑框";
  const char* volts = "bic:BIC某节单体电压输入编辑框";
  const char* read = "bic:读BIC基准电压按钮";
  const char* write = "bic:保存BIC基准电压按钮";
  const char* calibrate = "bic:校准BIC某节单体电压按钮";
  const std::vector<Case> cases = {
      {"read 3", 3, 5, {}, read, {Sent("09A02C03", "FFFFFFFF")}},
      {"read 253", 253, 253, {}, read, {Sent("09A02CFD", "FFFFFFFF")}},
      {"read 254", 254, 255, {}, read, {}},
      {"read 0 of none", 0, 0, {}, read, {}},
      {"write 2600", 3, 5, {{ref, "2600"}}, write, {Sent("09A02E03", "000A28FF")}},
      {"write 2485", 7, 9, {{ref, "2485"}}, write, {Sent("09A02E07", "0009B5FF")}},
      {"write 65535", 3, 5, {{ref, "65535"}}, write, {Sent("09A02E03", "00FFFFFF")}},
      {"write 65536", 3, 5, {{ref, "65536"}}, write, {}},
      {"write 0", 3, 5, {{ref, "0"}}, write, {}},
      {"write 2.5", 3, 5, {{ref, "2.5"}}, write, {}},
      {"write empty", 3, 5, {}, write, {}},
      {"write at 254", 254, 255, {{ref, "2500"}}, write, {}},
      {"cell 5", 3, 5, {{cell, "5"}, {volts, "3300"}}, calibrate, {Sent("09A02E03", "010CE404")}},
      {"cell 1", 3, 5, {{cell, "1"}, {volts, "3300"}}, calibrate, {Sent("09A02E03", "010CE400")}},
      {"cell 256",
       3,
       5,
       {{cell, "256"}, {volts, "65535"}},
       calibrate,
       {Sent("09A02E03", "01FFFFFF")}},
      {"cell 257", 3, 5, {{cell, "257"}, {volts, "3300"}}, calibrate, {}},
      {"cell 0", 3, 5, {{cell, "0"}, {volts, "3300"}}, calibrate, {}},
      {"cell 5 at 65536 mV", 3, 5, {{cell, "5"}, {volts, "65536"}}, calibrate, {}},
      {"cell 5 at 0 mV", 3, 5, {{cell, "5"}, {volts, "0"}}, calibrate, {}},
      {"cell 5 without a voltage", 3, 5, {{cell, "5"}}, calibrate, {}},
      {"cell 5 at 255", 255, 255, {{cell, "5"}, {volts, "3300"}}, calibrate, {}},
  };
  for (const auto& c : cases) {
    Driver driver(GetParam());
    StartWithWindow(driver);
    ShowBic(driver, c.bic, c.installed);
    ASSERT_EQ(driver.text("实时返回的BIC编号标签"), std::to_string(c.bic)) << c.name;
    for (const auto& [box, text] : c.typed) driver.setText(box, text);
    driver.sent();  // the cell detail requests of the poll
    ASSERT_TRUE(driver.click(c.button)) << c.name;
    EXPECT_EQ(driver.sent(), c.sent) << c.name;
    EXPECT_EQ(driver.text("bic:BIC基准电压显示标签"), c.sent.empty() ? "*" : "Wait") << c.name;
    EXPECT_EQ(ErrorShown(driver), c.sent.empty()) << c.name;
  }
}

TEST_P(BicCalibration, EveryButtonIsRefusedBeforeAnyCellData) {
  for (const char* button :
       {"bic:读BIC基准电压按钮", "bic:保存BIC基准电压按钮", "bic:校准BIC某节单体电压按钮",
        "bic:切换至BIC单体查看按钮", "bic:上一个BIC按钮", "bic:下一个BIC按钮"}) {
    Driver driver(GetParam());
    StartWithWindow(driver);
    driver.receive(Frame("09A10101", "05FFFFFF"));
    driver.setText("bic:BIC基准电压设定编辑框", "2500");
    driver.setText("bic:BIC某节单体编号输入编辑框", "1");
    driver.setText("bic:BIC某节单体电压输入编辑框", "3300");
    ASSERT_TRUE(driver.click(button)) << button;
    EXPECT_EQ(driver.sent(), Lines{}) << button;
    EXPECT_EQ(driver.index("总选择夹"), 2) << button;
    EXPECT_FALSE(driver.checked("读取单体信息选择框")) << button;
    EXPECT_EQ(driver.text("计划读取的BIC编号标签"), "*") << button;
    EXPECT_EQ(driver.text("bic:BIC基准电压显示标签"), "*") << button;
    EXPECT_TRUE(ErrorShown(driver)) << button;
  }
}

TEST_P(BicCalibration, OpensCentredOnTheMainWindowAndOnlyOnce) {
  for (const auto& [left, top] : std::vector<std::pair<int, int>>{{50, 0}, {-301, 7}, {333, 41}}) {
    Driver driver(GetParam());
    driver.writeFile("BMS_Factory.txt", "F");
    StartConnected(driver);
    driver.moveWindow("main", left, top);
    ASSERT_TRUE(driver.click("BIC校准按钮"));
    const auto main = driver.rect("main");
    const auto bic = driver.rect("bic");
    EXPECT_EQ(bic.left,
              static_cast<int>(std::trunc(main.left + main.width / 2.0 - bic.width / 2.0)))
        << left;
    EXPECT_EQ(bic.top,
              static_cast<int>(std::trunc(main.top + main.height / 2.0 - bic.height / 2.0)))
        << top;
    EXPECT_EQ(driver.title("bic"), "BIC校准");

    // A second press neither moves the window nor binds its buttons twice.
    driver.moveWindow("bic", 10, 20);
    ASSERT_TRUE(driver.click("BIC校准按钮"));
    EXPECT_EQ(driver.rect("bic").left, 10);
    ShowBic(driver, 2, 3);
    driver.sent();
    ASSERT_TRUE(driver.click("bic:读BIC基准电压按钮"));
    EXPECT_EQ(driver.sent(), Lines{Sent("09A02C02", "FFFFFFFF")});
  }
}

TEST_P(BicCalibration, MirrorsTheMainWindowsBicNumbersEvery100Ms) {
  Driver driver(GetParam());
  StartWithWindow(driver);
  EXPECT_EQ(driver.interval(kMirrorTimer), 100);
  ShowBic(driver, 3, 5);
  driver.advance(99);
  EXPECT_EQ(driver.text("bic:实时返回的BIC编号标签"), "*");
  driver.advance(1);
  EXPECT_EQ(driver.text("bic:实时返回的BIC编号标签"), "3");
  EXPECT_EQ(driver.text("bic:计划读取的BIC编号标签"), "3");

  struct Step {
    const char* button;
    const char* planned;
  };
  for (const auto& [button, planned] :
       {Step{"bic:上一个BIC按钮", "2"}, Step{"bic:上一个BIC按钮", "1"},
        Step{"bic:上一个BIC按钮", "1"}, Step{"bic:下一个BIC按钮", "2"}}) {
    const auto before = driver.text("bic:计划读取的BIC编号标签");
    ASSERT_TRUE(driver.click(button));
    EXPECT_EQ(driver.text("计划读取的BIC编号标签"), planned) << button;
    EXPECT_EQ(driver.text("bic:计划读取的BIC编号标签"), before) << "not before the next tick";
    driver.advance(100);
    EXPECT_EQ(driver.text("bic:计划读取的BIC编号标签"), planned) << button;
    EXPECT_EQ(driver.text("bic:实时返回的BIC编号标签"), "3")
        << "until BIC " << planned << " answers";
  }
}

TEST_P(BicCalibration, ClosingStopsTheMirror) {
  Driver driver(GetParam());
  StartWithWindow(driver);
  driver.closeWindow("bic");
  EXPECT_EQ(driver.interval(kMirrorTimer), 0);
  ASSERT_TRUE(driver.click("BIC校准按钮"));
  EXPECT_EQ(driver.interval(kMirrorTimer), 100);
  driver.closeMainWindow();
  EXPECT_FALSE(driver.isOpen("bic"));
  EXPECT_EQ(driver.interval(kMirrorTimer), 0);
}

TEST_P(BicCalibration, AnswersShowInTheOpenWindowOnly) {
  struct Answer {
    const char* id;
    const char* data1;
    const char* shown;  // after "Wait"
  };
  Driver driver(GetParam());
  StartWithWindow(driver);
  ShowBic(driver, 7, 9);
  for (const auto& [id, data1, shown] :
       {Answer{"09A12D07", "09B5FFFF", "2485"}, Answer{"09A12D01", "FFFFFFFF", "65535"},
        Answer{"09A12F07", "AAFFFFFF", "Done"}, Answer{"09A12F07", "aaFFFFFF", "Wait"},
        Answer{"09A12F07", "00FFFFFF", "Wait"}}) {
    ASSERT_TRUE(driver.click("bic:读BIC基准电压按钮"));
    driver.receive(Frame(id, data1));
    EXPECT_EQ(driver.text("bic:BIC基准电压显示标签"), shown) << id << " " << data1;
  }

  driver.closeWindow("bic");
  driver.receive(Frame("09A12D07", "09B5FFFF"));
  driver.receive(Frame("09A12F07", "AAFFFFFF"));
  EXPECT_FALSE(driver.isOpen("bic"));
  EXPECT_FALSE(ErrorShown(driver));
  ASSERT_TRUE(driver.click("BIC校准按钮"));
  EXPECT_EQ(driver.text("bic:BIC基准电压显示标签"), "*");
}

TEST_P(BicCalibration, SwitchesToTheCellViewAndReadsWhereItCan) {
  Driver driver(GetParam());
  StartWithWindow(driver);
  ShowBic(driver, 3, 5);
  driver.select("总选择夹", 2);
  ASSERT_TRUE(driver.click("bic:切换至BIC单体查看按钮"));
  EXPECT_EQ(driver.index("总选择夹"), 0);
  EXPECT_TRUE(driver.checked("读取单体信息选择框"));
  EXPECT_EQ(driver.text("计划读取的BIC编号标签"), "3");
  EXPECT_TRUE(driver.enabled("下一个BIC按钮"));

  // The link is lost: the view keeps BIC 3 but reading cannot start.
  driver.peerClose();
  driver.select("总选择夹", 2);
  ASSERT_TRUE(driver.click("bic:切换至BIC单体查看按钮"));
  EXPECT_EQ(driver.index("总选择夹"), 0);
  EXPECT_FALSE(driver.checked("读取单体信息选择框"));
  EXPECT_FALSE(driver.enabled("上一个BIC按钮"));
  EXPECT_FALSE(driver.enabled("下一个BIC按钮"));
}

INSTANTIATE_TEST_SUITE_P(Backends, BicCalibration, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
