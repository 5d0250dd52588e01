#include <gtest/gtest.h>

#include <array>
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
constexpr const char* kResult = "bic:BIC基准电压显示标签";
constexpr const char* kRead = "bic:读BIC基准电压按钮";

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

// Where a window of `size` starts when centred on one at `start` of `outer`: the exact
// value cut toward zero.
int Centred(int start, int outer, int size) {
  return static_cast<int>(std::trunc(start + outer / 2.0 - size / 2.0));
}

// The error flag shows as "ERR" at the next refresh tick.
bool ErrorShown(Driver& driver) {
  driver.advance(100);
  return driver.text("错误指示灯标签") == "ERR";
}

class BicCalibration : public ::testing::TestWithParam<Backend> {};

TEST_P(BicCalibration, RequestsGoToTheBicShownOrAreRefused) {
  struct Case {
    int bic, installed;
    const char* button;
    std::vector<std::pair<const char*, const char*>> typed;
    Lines sent;  // empty: refused
  };
  const char* ref = "bic:BIC基准电压设定编辑框";
  const char* cell = "bic:BIC某节单体编号输入编辑框";
  const char* volts = "bic:BIC某节单体电压输入编辑框";
  const char* write = "bic:保存BIC基准电压按钮";
  const char* calibrate = "bic:校准BIC某节单体电压按钮";
  const Case cases[] = {
      {3, 5, kRead, {}, {Sent("09A02C03", "FFFFFFFF")}},
      {253, 253, kRead, {}, {Sent("09A02CFD", "FFFFFFFF")}},
      {254, 255, kRead, {}, {}},
      {0, 0, kRead, {}, {}},
      {7, 9, write, {{ref, "2485"}}, {Sent("09A02E07", "0009B5FF")}},
      {3, 5, write, {{ref, "65535"}}, {Sent("09A02E03", "00FFFFFF")}},
      {3, 5, write, {{ref, "65536"}}, {}},
      {3, 5, write, {{ref, "0"}}, {}},
      {3, 5, write, {{ref, "2.5"}}, {}},
      {3, 5, write, {}, {}},
      {254, 255, write, {{ref, "2500"}}, {}},
      {3, 5, calibrate, {{cell, "1"}, {volts, "3300"}}, {Sent("09A02E03", "010CE400")}},
      {3, 5, calibrate, {{cell, "256"}, {volts, "65535"}}, {Sent("09A02E03", "01FFFFFF")}},
      {3, 5, calibrate, {{cell, "257"}, {volts, "3300"}}, {}},
      {3, 5, calibrate, {{cell, "0"}, {volts, "3300"}}, {}},
      {3, 5, calibrate, {{cell, "5"}, {volts, "65536"}}, {}},
      {3, 5, calibrate, {{cell, "5"}, {volts, "0"}}, {}},
      {3, 5, calibrate, {{cell, "5"}}, {}},
      {255, 255, calibrate, {{cell, "5"}, {volts, "3300"}}, {}},
  };
  for (const auto& c : cases) {
    std::string name = c.button + (" at BIC " + std::to_string(c.bic));
    for (const auto& [box, text] : c.typed) name += std::string(" ") + box + "=" + text;
    Driver driver(GetParam());
    StartWithWindow(driver);
    ShowBic(driver, c.bic, c.installed);
    ASSERT_EQ(driver.text("实时返回的BIC编号标签"), std::to_string(c.bic)) << name;
    for (const auto& [box, text] : c.typed) driver.setText(box, text);
    driver.sent();  // the cell detail requests of the poll
    ASSERT_TRUE(driver.click(c.button)) << name;
    EXPECT_EQ(driver.sent(), c.sent) << name;
    EXPECT_EQ(driver.text(kResult), c.sent.empty() ? "*" : "Wait") << name;
    EXPECT_EQ(ErrorShown(driver), c.sent.empty()) << name;
  }
}

TEST_P(BicCalibration, EveryButtonIsRefusedBeforeAnyCellData) {
  for (const char* button :
       {kRead, "bic:保存BIC基准电压按钮", "bic:校准BIC某节单体电压按钮",
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
    EXPECT_EQ(driver.text(kResult), "*") << button;
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
    EXPECT_EQ(bic.left, Centred(main.left, main.width, bic.width)) << left;
    EXPECT_EQ(bic.top, Centred(main.top, main.height, bic.height)) << top;
    EXPECT_EQ(driver.title("bic"), "BIC校准");
    // A second press neither moves the window nor binds its buttons twice.
    driver.moveWindow("bic", 10, 20);
    ASSERT_TRUE(driver.click("BIC校准按钮"));
    EXPECT_EQ(driver.rect("bic").left, 10);
    ShowBic(driver, 2, 3);
    driver.sent();
    ASSERT_TRUE(driver.click(kRead));
    EXPECT_EQ(driver.sent(), Lines{Sent("09A02C02", "FFFFFFFF")});
  }
}

TEST_P(BicCalibration, MirrorsTheMainWindowsBicNumbersEvery100MsWhileOpen) {
  Driver driver(GetParam());
  StartWithWindow(driver);
  EXPECT_EQ(driver.interval(kMirrorTimer), 100);
  ShowBic(driver, 3, 5);
  driver.advance(99);
  EXPECT_EQ(driver.text("bic:实时返回的BIC编号标签"), "*");
  driver.advance(1);
  EXPECT_EQ(driver.text("bic:实时返回的BIC编号标签"), "3");
  EXPECT_EQ(driver.text("bic:计划读取的BIC编号标签"), "3");
  const char* previous = "bic:上一个BIC按钮";
  for (const auto& [button, planned] :
       {std::pair{previous, "2"}, std::pair{previous, "1"}, std::pair{previous, "1"},
        std::pair{"bic:下一个BIC按钮", "2"}}) {
    const auto before = driver.text("bic:计划读取的BIC编号标签");
    ASSERT_TRUE(driver.click(button));
    EXPECT_EQ(driver.text("计划读取的BIC编号标签"), planned) << button;
    EXPECT_EQ(driver.text("bic:计划读取的BIC编号标签"), before) << "not before the next tick";
    driver.advance(100);
    EXPECT_EQ(driver.text("bic:计划读取的BIC编号标签"), planned) << button;
    EXPECT_EQ(driver.text("bic:实时返回的BIC编号标签"), "3")
        << "until BIC " << planned << " answers";
  }
  driver.closeWindow("bic");
  EXPECT_EQ(driver.interval(kMirrorTimer), 0);
  ASSERT_TRUE(driver.click("BIC校准按钮"));
  EXPECT_EQ(driver.interval(kMirrorTimer), 100);
  driver.closeMainWindow();
  EXPECT_FALSE(driver.isOpen("bic"));
  EXPECT_EQ(driver.interval(kMirrorTimer), 0);
}

TEST_P(BicCalibration, AnswersShowInTheOpenWindowOnly) {
  Driver driver(GetParam());
  StartWithWindow(driver);
  ShowBic(driver, 7, 9);
  using Answer = std::array<const char*, 3>;  // id, data1, what shows after "Wait"
  for (const auto& [id, data1, shown] :
       {Answer{"09A12D07", "09B5FFFF", "2485"}, Answer{"09A12D01", "FFFFFFFF", "65535"},
        Answer{"09A12F07", "AAFFFFFF", "Done"}, Answer{"09A12F07", "aaFFFFFF", "Wait"},
        Answer{"09A12F07", "00FFFFFF", "Wait"}}) {
    ASSERT_TRUE(driver.click(kRead));
    driver.receive(Frame(id, data1));
    EXPECT_EQ(driver.text(kResult), shown) << id << " " << data1;
  }
  driver.closeWindow("bic");
  driver.receive(Frame("09A12D07", "09B5FFFF"));
  driver.receive(Frame("09A12F07", "AAFFFFFF"));
  EXPECT_FALSE(driver.isOpen("bic"));
  EXPECT_FALSE(ErrorShown(driver));
  ASSERT_TRUE(driver.click("BIC校准按钮"));
  EXPECT_EQ(driver.text(kResult), "*");
}

TEST_P(BicCalibration, SwitchesToTheCellViewAndReadsWhereItCan) {
  Driver driver(GetParam());
  StartWithWindow(driver);
  ShowBic(driver, 3, 5);
  // Connected, reading starts; after the link is lost the view keeps BIC 3 but cannot read.
  for (const bool connected : {true, false}) {
    if (!connected) driver.peerClose();
    driver.select("总选择夹", 2);
    ASSERT_TRUE(driver.click("bic:切换至BIC单体查看按钮"));
    EXPECT_EQ(driver.index("总选择夹"), 0);
    EXPECT_EQ(driver.checked("读取单体信息选择框"), connected);
    EXPECT_EQ(driver.text("计划读取的BIC编号标签"), "3");
    EXPECT_EQ(driver.enabled("下一个BIC按钮"), connected);
    EXPECT_EQ(driver.enabled("上一个BIC按钮"), connected);
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, BicCalibration, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
