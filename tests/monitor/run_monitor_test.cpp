#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "backends.h"
#include "monitor/run_monitor_format.h"
#include "testing/driver.h"

namespace bms::testing {
namespace {

using Lines = std::vector<std::string>;
using Shown = std::pair<const char*, const char*>;  // label, text

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kRed{255, 0, 0};

TEST(RunMonitorFormat, UnitsFollowTheMagnitudeAndKeepTheSign) {
  using C = std::pair<double, const char*>;
  for (const auto& [value, text] :
       {C{0, "0.000A"}, C{-10, "-10.000A"}, C{999.999, "999.999A"},
        C{999.99999995, "1.000kA"} /* within the tolerance of the threshold */, C{1000, "1.000kA"},
        C{-1500, "-1.500kA"}, C{kNaN, "NaNA"}, C{kInf, "INFA"}, C{-kInf, "-INFA"}}) {
    EXPECT_EQ(monitor::FormatCurrent(value), text) << value;
  }
  for (const auto& [value, text] :
       {C{-500, "-500.000W"}, C{1000, "1.000kW"}, C{-2500, "-2.500kW"}, C{999999, "999.999kW"},
        C{2500000, "2.500MW"}, C{-1e9, "-1.000GW"}, C{1e12, "1000.000GW"}, C{kNaN, "NaNW"},
        C{-kInf, "-INFW"}}) {
    EXPECT_EQ(monitor::FormatPower(value), text) << value;
  }
}

// "ID,data1,data2" as a received frame line.
std::string Frame(const std::string& fields) { return "T,05F5E100,7," + fields + ",\r\n"; }

class RunMonitorPage : public ::testing::TestWithParam<Backend> {
 protected:
  void SetUp() override { StartConnected(driver); }

  Driver driver{GetParam()};
};

TEST_P(RunMonitorPage, AnswersWriteTheirTexts) {
  const std::vector<std::pair<const char*, std::vector<Shown>>> english = {
      {"09A10003,C1200000,42480000",
       {{"总电压标签", "50.0V"},
        {"电流标签", "-10.000A"},
        {"功率标签", "-500.000W"},
        {"参数标定界面实时总电压值标签", "50.00000V"},
        {"参数标定界面实时电流值标签", "-10.00000A"},
        {"直流充电界面电池组当前功率显示值标签", "-500.000W"}}},
      {"09A10003,44BB8000,3F800000", {{"电流标签", "1.500kA"}}},
      {"09A10001,42480000,42580000",
       {{"充电控制标签", "50.000A"}, {"最大充电功率标签", "x54.0V=2.700kW"}}},
      {"09A10002,42480000,42580000", {{"最大放电功率标签", "x54.0V=2.700kW"}}},
      {"09A10004,83E80CF0,0CE4FB19",
       {{"最高单体电压标签", "3.312V"}, {"最高单体温度标签", "-5"}, {"最低单体温度标签", "25"}}},
      {"09A10005,000019FB,80FFFF0E",
       {{"管理器主机温度标签", "25"},
        {"最高BIC温度显示标签", "-5"},
        {"最低BIC温度显示标签", "-128"}}},
      {"09A10005,00000000,00FFFF0E", {{"低压供电12V值显示标签", "<8V"}}},
      {"09A10005,00000000,00FFFF0F", {{"低压供电12V值显示标签", "8.0V"}}},
      {"09A10005,00000000,00FFFFEB", {{"低压供电12V值显示标签", "30.0V"}}},
      {"09A10005,00000000,00FFFFEC", {{"低压供电12V值显示标签", ">30V"}}},
      {"09A10005,00000000,003FFF00", {{"充放电预计时间标签", "****"}}},
      {"09A10005,00000000,00C02D00",
       {{"充放电预计时间标签", "Estimated charging time 45 minutes"}}},
      {"09A10005,00000000,00403C00",
       {{"充放电预计时间标签", "Estimated duration of discharge 60 minutes"}}},
      {"09A10005,00000000,00403D00",
       {{"充放电预计时间标签", "Estimated duration of discharge 1 hours 1 minutes"}}},
      {"09A10013,00000064,FFFFFFFF", {{"BMC主机版本显示", "100"}}},
      {"09A10021,40200000,FFFFFFFF", {{"剩余电量显示标签", "2.500"}}},
      {"09A10043,0203010C,05060708", {{"最低单体电压位置显示标签", "BIC-1,Cell-12"}}},
      {"09A10043,FFFFFFFF,FFFFFFFF",
       {{"最高单体电压位置显示标签", "BIC-255,Cell-255"},
        {"最低温度点位置显示标签", "BIC-255,Sensor-255"}}},
      {"09A10045,0305FFFF,FFFFFFFF", {{"最低温度的BIC电路板显示标签", "5#BIC"}}},
      // A NaN or infinity shows as such with the base unit; lower-case digits are read.
      {"09A10003,7FC00000,42480000", {{"功率标签", "NaNW"}}},
      {"09A10003,FF800000,42480000", {{"电流标签", "-INFA"}}},
      {"09A10003,7F800000,00000000", {{"功率标签", "NaNW"}}},  // infinity times 0
      {"09A10001,42480000,7FC00000", {{"最大充电功率标签", "xNaNV=NaNW"}}},
      {"09A10013,0000006a,FFFFFFFF", {{"BMC主机版本显示", "106"}}},
  };
  for (const auto& [frame, shown] : english) {
    driver.receive(Frame(frame));
    for (const auto& [label, text] : shown) EXPECT_EQ(driver.text(label), text) << frame;
  }
  driver.click("简体中文单选框");
  for (const auto& [frame, text] :
       {Shown{"09A10005,00000000,00407D00", "预计放电可持续时间2小时5分钟"},
        Shown{"09A10005,00000000,00C03C00", "预计充电需要时间60分钟"}}) {
    driver.receive(Frame(frame));
    EXPECT_EQ(driver.text("充放电预计时间标签"), text) << frame;
  }
}

TEST_P(RunMonitorPage, ContactorStateOfChargeAndTheLiveValueBackgrounds) {
  using C = std::tuple<const char*, const char*, Rgb, Rgb, const char*, int>;
  for (const auto& [data1, caption, background, text, charge, progress] :
       {C{"83E80000", "ON", kGreen, kBlack, "100.0%", 100},
        C{"03E80000", "OFF", kBlack, kWhite, "100.0%", 100},
        C{"03FF0000", "OFF", kBlack, kWhite, "102.3%", 102},
        C{"80050000", "ON", kGreen, kBlack, "0.5%", 0}}) {
    driver.receive(Frame("09A10004," + std::string(data1) + ",00000000"));
    EXPECT_EQ(driver.text("分压继电器指示灯"), caption) << data1;
    EXPECT_EQ(driver.background("分压继电器指示灯"), background) << data1;
    EXPECT_EQ(driver.textColor("分压继电器指示灯"), text) << data1;
    EXPECT_EQ(driver.text("电量标签"), charge) << data1;
    EXPECT_EQ(driver.value("电量进度条"), progress) << data1;
  }
  // Each current answer toggles the backgrounds of the live values.
  for (const Rgb expected : {Rgb{192, 192, 192}, kWhite, Rgb{192, 192, 192}}) {
    driver.receive(Frame("09A10003,3F800000,42480000"));
    for (const char* label :
         {"直流充电界面电池组当前功率显示值标签", "直流充电界面BMS当前电压显示值标签",
          "直流充电界面BMS当前电流显示值标签", "参数标定界面实时总电压值标签",
          "参数标定界面实时电流值标签"}) {
      EXPECT_EQ(driver.background(label), expected) << label;
    }
  }
}

TEST_P(RunMonitorPage, FaultAndWarningBytesBlinkTheirLamps) {
  driver.receive(Frame("09A10005,81020000,00000000"));
  driver.advance(500);
  EXPECT_EQ(driver.fill("BIC通信故障指示灯"), kRed);
  EXPECT_EQ(driver.fill("其他故障指示灯"), kRed);
  EXPECT_EQ(driver.fill("单体电压故障指示灯"), kWhite);
  EXPECT_EQ(driver.fill("单体电压预警指示灯"), (Rgb{255, 128, 0}));
  EXPECT_EQ(driver.fill("BIC通信预警指示灯"), kWhite);
  driver.advance(500);
  EXPECT_EQ(driver.fill("其他故障指示灯"), kWhite);
  driver.advance(500);
  EXPECT_EQ(driver.fill("其他故障指示灯"), kRed);
  driver.receive(Frame("09A10005,00000000,00000000"));
  driver.advance(1000);
  EXPECT_EQ(driver.fill("其他故障指示灯"),
            kWhite);  // white in both phases once cleared
}

TEST_P(RunMonitorPage, ReadButtonsWriteWaitAndSendTheirRequest) {
  using C = std::tuple<const char*, std::vector<const char*>, const char*>;
  driver.select("运行信息选择夹", 1);
  for (const auto& [button, labels, request] :
       {C{"读最高最低电压温度所在位置按钮",
          {"最高单体电压位置显示标签", "最低单体电压位置显示标签", "最高温度点位置显示标签",
           "最低温度点位置显示标签"},
          "09A00042"},
        C{"读最高最低BIC温度位置按钮",
          {"最高温度的BIC电路板显示标签", "最低温度的BIC电路板显示标签"},
          "09A00044"},
        C{"读BMC主机版本按钮", {"BMC主机版本显示"}, "09A00012"},
        C{"读剩余KWH按钮", {"剩余电量显示标签"}, "09A00020"}}) {
    ASSERT_TRUE(driver.click(button)) << button;
    for (const char* label : labels) EXPECT_EQ(driver.text(label), "Wait") << label;
    EXPECT_EQ(driver.sent(),
              Lines{"T,05F5E100,6," + std::string(request) + ",FFFFFFFF,FFFFFFFF,\r\n"});
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, RunMonitorPage, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
