#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "backends.h"
#include "testing/driver.h"

namespace bms::testing {
namespace {

using Lines = std::vector<std::string>;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};

std::string Frame(const std::string& id, const std::string& data1, const std::string& data2) {
  return "T,05F5E100,7," + id + "," + data1 + "," + data2 + ",\r\n";
}
std::string Balance(int n) { return "单体" + std::to_string(n) + "平衡标签"; }
std::string Voltage(int n) { return "单体" + std::to_string(n) + "电压标签"; }
std::string Sensor(int n) { return "温度" + std::to_string(n) + "标签"; }

// Connected in direct network mode with `count` BICs (a hex byte), reading BIC `planned`.
void ReadBic(Driver& driver, const std::string& count, int planned) {
  StartConnected(driver);
  driver.receive(Frame("09A10101", count + "FFFFFF", "FFFFFFFF"));
  driver.click("读取单体信息选择框");
  for (int n = 1; n < planned; ++n) driver.click("下一个BIC按钮");
  driver.sent();
}

class BicDetail : public ::testing::TestWithParam<Backend> {
 protected:
  // The texts of labels 1 to count, separated by blanks.
  std::string column(std::string (*name)(int), int count) {
    std::string texts;
    for (int n = 1; n <= count; ++n) texts += (n > 1 ? " " : "") + driver.text(name(n));
    return texts;
  }

  Driver driver{GetParam()};
};

TEST_P(BicDetail, FramesOfThePlannedBicFillTheView) {
  ReadBic(driver, "05", 5);
  driver.receive(Frame("09A11105", "0C040005", "1AFFFFFF") +
                 Frame("09A11205", "0CF00CE4", "0CFA0D00") +
                 Frame("09A11605", "19FFEC00", "80FF7FFF"));
  EXPECT_EQ(driver.text("实时返回的BIC编号标签"), "5");
  EXPECT_EQ(driver.text("实时返回的BIC电路温度标签"), "26");
  EXPECT_EQ(column(Balance, 16), "ON OFF ON OFF OFF OFF OFF OFF OFF OFF OFF OFF * * * *");
  for (int n : {1, 3}) EXPECT_EQ(driver.textColor(Balance(n)), kRed) << n;
  for (int n : {2, 12, 13}) EXPECT_EQ(driver.textColor(Balance(n)), kBlack) << n;
  EXPECT_EQ(column(Voltage, 16),
            "3.312V 3.300V 3.322V 3.328V 0.000V 0.000V 0.000V 0.000V 0.000V 0.000V 0.000V "
            "0.000V * * * *");
  EXPECT_EQ(column(Sensor, 8), "25 -20 -128 127 * * * *");
}

TEST_P(BicDetail, MoreThanSixteenCellsOrEightSensorsFillEveryPositionLowerCaseDecodesCutDoesNot) {
  ReadBic(driver, "01", 1);
  driver.receive(Frame("09A11101", "1409FFFF", "FFFFFFFF") +
                 Frame("09A11501", "0D000D01", "0D020D03") +
                 Frame("09A11701", "01FF02FF", "03FF04FF"));
  EXPECT_EQ(driver.text(Balance(16)), "ON");
  EXPECT_EQ(driver.text(Voltage(16)), "3.331V");
  EXPECT_EQ(driver.text(Sensor(8)), "4");
  driver.receive(Frame("09A11101", "0200FFFF", "FFFFFFFF"));  // then a smaller BIC
  EXPECT_EQ(driver.text(Balance(3)), "*");
  EXPECT_EQ(driver.textColor(Balance(3)), kBlack);
  // Lower-case fields decode, and cut ones change nothing.
  driver.receive(Frame("09A11101", "1008FFFF", "00000000") +
                 Frame("09A11201", "0cf00ce4", "0cfa0ce4") + Frame("09A11301", "0cf", "") +
                 Frame("09A11601", "ecfbFFFF", "FFFFFFFF") + Frame("09A11701", "G1FF", "FFF"));
  EXPECT_EQ(column(Voltage, 4), "3.312V 3.300V 3.322V 3.300V");
  EXPECT_EQ(driver.text(Sensor(1)), "-20");
}

TEST_P(BicDetail, NavigationStaysWithinTheInstalledBicsKeepsTheViewTillTheBoxIsCleared) {
  ReadBic(driver, "03", 1);
  driver.click("上一个BIC按钮");
  EXPECT_EQ(driver.text("计划读取的BIC编号标签"), "1");
  for (int i = 0; i < 3; ++i) driver.click("下一个BIC按钮");
  EXPECT_EQ(driver.text("计划读取的BIC编号标签"), "3");
  driver.receive(Frame("09A11103", "1008FFFF", "19FFFFFF") +
                 Frame("09A11203", "0CF00CE4", "0CFA0D00") +
                 Frame("09A11603", "19FFEC00", "80FF7FFF"));
  driver.click("上一个BIC按钮");
  EXPECT_EQ(driver.text("计划读取的BIC编号标签"), "2");
  EXPECT_EQ(driver.text("实时返回的BIC编号标签"), "3");
  driver.advance(1000);
  EXPECT_EQ(driver.sent(), Lines{"T,05F5E100,6,09A01002,FFFFFFFF,FFFFFFFF,\r\n"});
  // Clearing the box plans the first BIC and empties the view.
  driver.click("读取单体信息选择框");
  EXPECT_FALSE(driver.enabled("下一个BIC按钮"));
  EXPECT_EQ(driver.text("计划读取的BIC编号标签"), "*");
  EXPECT_EQ(driver.text("实时返回的BIC电路温度标签"), "*");
  const std::string stars = "* * * * * * * * * * * * * * * *";
  EXPECT_EQ(column(Voltage, 16), stars);
  EXPECT_EQ(column(Balance, 16), stars);
  EXPECT_EQ(driver.textColor(Balance(1)), kBlack);
  EXPECT_EQ(column(Sensor, 8), stars.substr(0, 15));
  driver.click("读取单体信息选择框");
  EXPECT_EQ(driver.text("计划读取的BIC编号标签"), "1");
}

TEST_P(BicDetail, NoBicOrTheMostBicsStillNavigate) {
  for (const auto& [count, planned, bb] : {std::tuple{"00", "0", "00"}, {"FF", "255", "FF"}}) {
    Driver d(GetParam());
    ReadBic(d, count, 300);
    EXPECT_EQ(d.text("计划读取的BIC编号标签"), planned);
    d.advance(1000);
    EXPECT_EQ(d.sent(), Lines{"T,05F5E100,6,09A010" + std::string(bb) + ",FFFFFFFF,FFFFFFFF,\r\n"});
    d.receive(Frame("09A111" + std::string(bb), "0100FFFF", "05FFFFFF"));
    EXPECT_EQ(d.text("实时返回的BIC电路温度标签"), "5") << count;
  }
}

TEST_P(BicDetail, SavedBicCountIsDoneOnlyForUpperCaseAa) {
  for (const auto& [data1, shown, err] : {std::tuple{"AAFFFFFF", "Done", ""},
                                          {"aaFFFFFF", "Error", "ERR"},
                                          {"ABFFFFFF", "Error", "ERR"}}) {
    Driver d(GetParam());
    d.start();
    d.click("通信按钮");
    d.receive(Frame("09A10103", data1, "FFFFFFFF"));
    d.advance(100);
    EXPECT_EQ(d.text("参数标定界面安装BIC数量显示标签"), shown) << data1;
    EXPECT_EQ(d.text("错误指示灯标签"), err) << data1;
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, BicDetail, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
