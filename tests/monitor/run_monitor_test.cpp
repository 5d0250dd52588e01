#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "backends.h"
#include "monitor/run_monitor_format.h"
#include "testing/driver.h"

namespace bms {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(RunMonitorFormat, UnitsFollowTheMagnitudeAndKeepTheSign) {
  const std::vector<std::pair<double, const char*>> currents = {
      {0, "0.000A"},         {-10, "-10.000A"},
      {999.999, "999.999A"}, {999.99999995, "1.000kA"},  // within the tolerance of the threshold
      {1000, "1.000kA"},     {-1500, "-1.500kA"},
      {kNaN, "NaNA"},        {kInf, "INFA"},
      {-kInf, "-INFA"}};
  for (const auto& [value, text] : currents) EXPECT_EQ(monitor::FormatCurrent(value), text);
  const std::vector<std::pair<double, const char*>> powers = {
      {-500, "-500.000W"},   {1000, "1.000kW"},    {-2500, "-2.500kW"},
      {999999, "999.999kW"}, {2500000, "2.500MW"}, {-1e9, "-1.000GW"},
      {1e12, "1000.000GW"},  {kNaN, "NaNW"},       {-kInf, "-INFW"}};
  for (const auto& [value, text] : powers) EXPECT_EQ(monitor::FormatPower(value), text);
}

}  // namespace

namespace testing {
namespace {

using Lines = std::vector<std::string>;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGrey{192, 192, 192};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kOrange{255, 128, 0};

// "ID,data1,data2" as a received frame line.
std::string Frame(const std::string& fields) { return "T,05F5E100,7," + fields + ",\r\n"; }

class RunMonitorPage : public ::testing::TestWithParam<Backend> {
 protected:
  void connect() { StartConnected(driver); }

  Driver driver{GetParam()};
};

struct Shown {
  const char* frame;
  const char* label;
  const char* text;
};

TEST_P(RunMonitorPage, AnswersWriteTheirTexts) {
  const Shown english[] = {
      {"09A10003,C1200000,42480000", "总电压标签", "50.0V"},
      {"09A10003,C1200000,42480000", "电流标签", "-10.000A"},
      {"09A10003,C1200000,42480000", "功率标签", "-500.000W"},
      {"09A10003,C1200000,42480000", "参数标定界面实时总电压值标签", "50.00000V"},
      {"09A10003,C1200000,42480000", "参数标定界面实时电流值标签", "-10.00000A"},
      {"09A10003,C1200000,42480000", "直流充电界面电池组当前功率显示值标签", "-500.000W"},
      {"09A10003,44BB8000,3F800000", "电流标签", "1.500kA"},
      {"09A10001,42480000,42580000", "充电控制标签", "50.000A"},
      {"09A10001,42480000,42580000", "最大充电功率标签", "x54.0V=2.700kW"},
      {"09A10002,42480000,42580000", "最大放电功率标签", "x54.0V=2.700kW"},
      {"09A10004,83E80CF0,0CE4FB19", "最高单体电压标签", "3.312V"},
      {"09A10004,83E80CF0,0CE4FB19", "最高单体温度标签", "-5"},
      {"09A10004,83E80CF0,0CE4FB19", "最低单体温度标签", "25"},
      {"09A10005,000019FB,80FFFF0E", "管理器主机温度标签", "25"},
      {"09A10005,000019FB,80FFFF0E", "最高BIC温度显示标签", "-5"},
      {"09A10005,000019FB,80FFFF0E", "最低BIC温度显示标签", "-128"},
      {"09A10005,00000000,00FFFF0E", "低压供电12V值显示标签", "<8V"},
      {"09A10005,00000000,00FFFF0F", "低压供电12V值显示标签", "8.0V"},
      {"09A10005,00000000,00FFFFEB", "低压供电12V值显示标签", "30.0V"},
      {"09A10005,00000000,00FFFFEC", "低压供电12V值显示标签", ">30V"},
      {"09A10005,00000000,003FFF00", "充放电预计时间标签", "****"},
      {"09A10005,00000000,00C02D00", "充放电预计时间标签", "Estimated charging time 45 minutes"},
      {"09A10005,00000000,00403C00", "充放电预计时间标签",
       "Estimated duration of discharge 60 minutes"},
      {"09A10005,00000000,00403D00", "充放电预计时间标签",
       "Estimated duration of discharge 1 hours 1 minutes"},
      {"09A10013,00000064,FFFFFFFF", "BMC主机版本显示", "100"},
      {"09A10021,40200000,FFFFFFFF", "剩余电量显示标签", "2.500"},
      {"09A10043,0203010C,05060708", "最低单体电压位置显示标签", "BIC-1,Cell-12"},
      {"09A10043,FFFFFFFF,FFFFFFFF", "最高单体电压位置显示标签", "BIC-255,Cell-255"},
      {"09A10043,FFFFFFFF,FFFFFFFF", "最低温度点位置显示标签", "BIC-255,Sensor-255"},
      {"09A10045,0305FFFF,FFFFFFFF", "最低温度的BIC电路板显示标签", "5#BIC"},
      // A NaN or infinity shows as such with the base unit; lower-case digits are read.
      {"09A10003,7FC00000,42480000", "功率标签", "NaNW"},
      {"09A10003,FF800000,42480000", "电流标签", "-INFA"},
      {"09A10003,7F800000,00000000", "功率标签", "NaNW"},  // infinity times 0
      {"09A10001,42480000,7FC00000", "最大充电功率标签", "xNaNV=NaNW"},
      {"09A10013,0000006a,FFFFFFFF", "BMC主机版本显示", "106"},
  };
  const Shown chinese[] = {
      {"09A10005,00000000,00407D00", "充放电预计时间标签", "预计放电可持续时间2小时5分钟"},
      {"09A10005,00000000,00C03C00", "充放电预计时间标签", "预计充电需要时间60分钟"},
  };
  connect();
  for (const auto& row : english) {
    driver.receive(Frame(row.frame));
    EXPECT_EQ(driver.text(row.label), row.text) << row.frame;
  }
  driver.click("简体中文单选框");
  for (const auto& row : chinese) {
    driver.receive(Frame(row.frame));
    EXPECT_EQ(driver.text(row.label), row.text) << row.frame;
  }
}

TEST_P(RunMonitorPage, ContactorAndStateOfCharge) {
  struct Row {
    const char* data1;
    const char* caption;
    Rgb background, text;
    const char* charge;
    int progress;
  };
  connect();
  for (const Row& row : {Row{"83E80000", "ON", kGreen, kBlack, "100.0%", 100},
                         Row{"03E80000", "OFF", kBlack, kWhite, "100.0%", 100},
                         Row{"03FF0000", "OFF", kBlack, kWhite, "102.3%", 102},
                         Row{"80050000", "ON", kGreen, kBlack, "0.5%", 0}}) {
    driver.receive(Frame("09A10004," + std::string(row.data1) + ",00000000"));
    EXPECT_EQ(driver.text("分压继电器指示灯"), row.caption) << row.data1;
    EXPECT_EQ(driver.background("分压继电器指示灯"), row.background) << row.data1;
    EXPECT_EQ(driver.textColor("分压继电器指示灯"), row.text) << row.data1;
    EXPECT_EQ(driver.text("电量标签"), row.charge) << row.data1;
    EXPECT_EQ(driver.value("电量进度条"), row.progress) << row.data1;
  }
}

TEST_P(RunMonitorPage, EachCurrentAnswerTogglesTheLiveValueBackgrounds) {
  connect();
  for (const Rgb expected : {kGrey, kWhite, kGrey}) {
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
  connect();
  driver.receive(Frame("09A10005,81020000,00000000"));
  driver.advance(500);
  EXPECT_EQ(driver.fill("BIC通信故障指示灯"), kRed);
  EXPECT_EQ(driver.fill("其他故障指示灯"), kRed);
  EXPECT_EQ(driver.fill("单体电压故障指示灯"), kWhite);
  EXPECT_EQ(driver.fill("单体电压预警指示灯"), kOrange);
  EXPECT_EQ(driver.fill("BIC通信预警指示灯"), kWhite);
  driver.advance(500);
  EXPECT_EQ(driver.fill("其他故障指示灯"), kWhite);
  driver.advance(500);
  EXPECT_EQ(driver.fill("其他故障指示灯"), kRed);
  driver.receive(Frame("09A10005,00000000,00000000"));
  driver.advance(1000);
  EXPECT_EQ(driver.fill("其他故障指示灯"), kWhite);  // white in both phases once cleared
}

TEST_P(RunMonitorPage, ReadButtonsWriteWaitAndSendTheirRequest) {
  struct Row {
    const char* button;
    std::vector<const char*> labels;
    const char* request;
  };
  connect();
  driver.select("运行信息选择夹", 1);
  for (const Row& row : {Row{"读最高最低电压温度所在位置按钮",
                             {"最高单体电压位置显示标签", "最低单体电压位置显示标签",
                              "最高温度点位置显示标签", "最低温度点位置显示标签"},
                             "09A00042"},
                         Row{"读最高最低BIC温度位置按钮",
                             {"最高温度的BIC电路板显示标签", "最低温度的BIC电路板显示标签"},
                             "09A00044"},
                         Row{"读BMC主机版本按钮", {"BMC主机版本显示"}, "09A00012"},
                         Row{"读剩余KWH按钮", {"剩余电量显示标签"}, "09A00020"}}) {
    ASSERT_TRUE(driver.click(row.button)) << row.button;
    for (const char* label : row.labels) EXPECT_EQ(driver.text(label), "Wait") << label;
    EXPECT_EQ(driver.sent(),
              Lines{"T,05F5E100,6," + std::string(row.request) + ",FFFFFFFF,FFFFFFFF,\r\n"});
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, RunMonitorPage, AllBackends(), BackendName);

}  // namespace
}  // namespace testing
}  // namespace bms
