#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "backends.h"
#include "testing/driver.h"

// The calibration buttons of the pack current, the total voltage and the DC port's
// current, driven through the real controls.
namespace bms::testing {
namespace {

using Lines = std::vector<std::string>;
using Action = std::function<void(Driver&)>;

std::string Sent(const std::string& id, const std::string& data1, const std::string& data2) {
  return "T,05F5E100,6," + id + "," + data1 + "," + data2 + ",\r\n";
}

std::string Answer(const std::string& id, const std::string& data1, const std::string& data2) {
  return "T,05F5E100,7," + id + "," + data1 + "," + data2 + ",\r\n";
}

Action Type(std::string control, std::string text) {
  return [control, text](Driver& d) { d.setText(control, text); };
}

Action Choose(std::string control, int index) {
  return [control, index](Driver& d) { d.select(control, index); };
}

Action Both(Action first, Action second) {
  return [first, second](Driver& d) {
    first(d);
    second(d);
  };
}

Action Nothing() {
  return [](Driver&) {};
}

// Lets Ra and Rb be typed into.
Action Unlock() {
  return [](Driver& d) { d.click("修改内置分压电阻选择框"); };
}

// Whether the refresh tick shows the error; then lets it pass and forgets the polls.
bool ShowsError(Driver& d) {
  d.advance(100);
  const bool shown = d.text("错误指示灯标签") == "ERR";
  d.advance(1000);
  d.sent();
  return shown;
}

class SensorCalibration : public ::testing::TestWithParam<Backend> {
 protected:
  void SetUp() override { StartConnected(driver); }

  Driver driver{GetParam()};
};

TEST_P(SensorCalibration, RefusedInputSendsNothingAndRaisesTheError) {
  struct Case {
    const char* what;
    Action setup;
    const char* button;
    const char* label;
  };
  const Action pack50mV = Choose("BMC型号选择组合框", 0);
  const Case cases[] = {
      {"not a number", Both(pack50mV, Type("电流传感器参数输入编辑框", "abc")), "电流检测标定按钮",
       "总电流量程显示标签"},
      {"no model", Type("电流传感器参数输入编辑框", "10"), "电流检测标定按钮",
       "总电流量程显示标签"},
      {"no sensor output", Both(pack50mV, Type("电流传感器参数输入编辑框", "0.0000001")),
       "电流检测标定按钮", "总电流量程显示标签"},
      {"a 50-digit output", Both(pack50mV, Type("电流传感器参数输入编辑框", std::string(50, '9'))),
       "电流检测标定按钮", "总电流量程显示标签"},
      {"port: not a number",
       Both(Choose("直流充电口模块型号选择组合框", 0),
            Type("直流充电口电流传感器参数输入编辑框", "1e3")),
       "直流充电口电流检测标定按钮", "直流充电口电流量程显示标签"},
      {"port: no model", Type("直流充电口电流传感器参数输入编辑框", "10"),
       "直流充电口电流检测标定按钮", "直流充电口电流量程显示标签"},
      {"no step", Nothing(), "总电流检测步进微调加大按钮", "总电流量程显示标签"},
      {"no voltage step", Nothing(), "总电压检测步进微调减小按钮", "总电压量程显示标签"},
      {"no port step", Nothing(), "直流充电口电流检测步进微调加大按钮",
       "直流充电口电流量程显示标签"},
      {"Re -1", Type("扩展电阻编辑框", "-1"), "总电压检测标定按钮", "总电压量程显示标签"},
      {"Re empty", Type("扩展电阻编辑框", ""), "总电压检测标定按钮", "总电压量程显示标签"},
      {"Rb 0", Both(Unlock(), Type("内置电阻RB编辑框", "0")), "总电压检测标定按钮",
       "总电压量程显示标签"},
      {"Rb 50 digits", Both(Unlock(), Type("内置电阻RB编辑框", std::string(50, '9'))),
       "总电压检测标定按钮", "总电压量程显示标签"},
      {"zero 19999.5", Type("电流传感器零位值编辑框", "19999.5"), "手动设置电流传感器零位按钮",
       "电流传感器零位显示标签"},
      {"zero 40000.5", Type("电流传感器零位值编辑框", "40000.5"), "手动设置电流传感器零位按钮",
       "电流传感器零位显示标签"},
      {"zero abc", Type("电流传感器零位值编辑框", "abc"), "手动设置电流传感器零位按钮",
       "电流传感器零位显示标签"},
      {"zero nan", Type("电流传感器零位值编辑框", "nan"), "手动设置电流传感器零位按钮",
       "电流传感器零位显示标签"},
      {"zero 3e4", Type("电流传感器零位值编辑框", "3e4"), "手动设置电流传感器零位按钮",
       "电流传感器零位显示标签"},
      {"port zero empty", Nothing(), "直流充电口手动设置电流传感器零位按钮",
       "直流充电口电流传感器零位显示标签"},
  };
  for (const auto& c : cases) {
    Driver d{GetParam()};  // each case on untouched controls
    StartConnected(d);
    c.setup(d);
    ASSERT_TRUE(d.click(c.button)) << c.what;
    EXPECT_EQ(d.sent(), Lines{}) << c.what;
    EXPECT_EQ(d.text(c.label), "") << c.what;
    EXPECT_TRUE(ShowsError(d)) << c.what;
  }
}

TEST_P(SensorCalibration, AcceptedInputSendsItsLineAndWaits) {
  struct Case {
    const char* what;
    Action setup;
    const char* button;
    std::string line;
    const char* label;
  };
  const Case cases[] = {
      {"50 mV, 10 A/mV",
       Both(Choose("BMC型号选择组合框", 0), Type("电流传感器参数输入编辑框", "10")),
       "电流检测标定按钮", Sent("09A0011E", "00FFFFFF", "3C7A0225"), "总电流量程显示标签"},
      {"port 25 mV, 0.5 A/mV",
       Both(Choose("直流充电口模块型号选择组合框", 2),
            Type("直流充电口电流传感器参数输入编辑框", "0.5")),
       "直流充电口电流检测标定按钮", Sent("09A0FA1A", "00FFFFFF", "39C80183"),
       "直流充电口电流量程显示标签"},
      {"built-in divider", Nothing(), "总电压检测标定按钮",
       Sent("09A0011A", "00FFFFFF", "3BCA80C2"), "总电压量程显示标签"},
      {"Re 0, Ra 0, Rb 10", Both(Unlock(), Type("内置电阻RA编辑框", "0")), "总电压检测标定按钮",
       Sent("09A0011A", "00FFFFFF", "38A0009F"), "总电压量程显示标签"},
      {"1% up", Choose("总电流步进标定选择组合框", 2), "总电流检测步进微调加大按钮",
       Sent("09A0011E", "01FFFFFF", "3F8147AE"), "总电流量程显示标签"},
      {"10% down", Choose("总电压步进标定选择组合框", 3), "总电压检测步进微调减小按钮",
       Sent("09A0011A", "01FFFFFF", "3F666666"), "总电压量程显示标签"},
      {"port 0.01% up", Choose("直流充电口电流步进标定选择组合框", 0),
       "直流充电口电流检测步进微调加大按钮", Sent("09A0FA1A", "01FFFFFF", "3F800347"),
       "直流充电口电流量程显示标签"},
      {"zero 20000", Type("电流传感器零位值编辑框", "20000"), "手动设置电流传感器零位按钮",
       Sent("09A00122", "014E20FF", "FFFFFFFF"), "电流传感器零位显示标签"},
      {"zero 40000", Type("电流传感器零位值编辑框", "40000"), "手动设置电流传感器零位按钮",
       Sent("09A00122", "019C40FF", "FFFFFFFF"), "电流传感器零位显示标签"},
      {"zero 30000.9", Type("电流传感器零位值编辑框", "30000.9"), "手动设置电流传感器零位按钮",
       Sent("09A00122", "017530FF", "FFFFFFFF"), "电流传感器零位显示标签"},
      {"port zero 30000", Type("直流充电口电流传感器零位值编辑框", "30000"),
       "直流充电口手动设置电流传感器零位按钮", Sent("09A0FA1E", "017530FF", "FFFFFFFF"),
       "直流充电口电流传感器零位显示标签"},
      {"automatic zero", Nothing(), "自动设置电流传感器零位按钮",
       Sent("09A00122", "00FFFFFF", "FFFFFFFF"), "电流传感器零位显示标签"},
      {"port automatic zero", Nothing(), "直流充电口自动设置电流传感器零位按钮",
       Sent("09A0FA1E", "00FFFFFF", "FFFFFFFF"), "直流充电口电流传感器零位显示标签"},
      {"current range", Nothing(), "读总电流量程按钮", Sent("09A0011C", "FFFFFFFF", "FFFFFFFF"),
       "总电流量程显示标签"},
      {"current zero", Nothing(), "读电流传感器零位按钮", Sent("09A00120", "FFFFFFFF", "FFFFFFFF"),
       "电流传感器零位显示标签"},
      {"voltage range", Nothing(), "读总电压量程按钮", Sent("09A00118", "FFFFFFFF", "FFFFFFFF"),
       "总电压量程显示标签"},
      {"port range", Nothing(), "直流充电口读电流量程按钮",
       Sent("09A0FA18", "FFFFFFFF", "FFFFFFFF"), "直流充电口电流量程显示标签"},
      {"port zero", Nothing(), "直流充电口读电流传感器零位按钮",
       Sent("09A0FA1C", "FFFFFFFF", "FFFFFFFF"), "直流充电口电流传感器零位显示标签"},
      {"port live current", Nothing(), "读直流充电口独立电流检测标定界面_实时电流值按钮",
       Sent("09A0FA32", "FFFFFFFF", "FFFFFFFF"),
       "独立的直流充电口电流检测标定界面_实时电流值显示标签"},
      {"port reading", Nothing(), "读直流充电口电流检测值按钮",
       Sent("09A0FA32", "FFFFFFFF", "FFFFFFFF"), "直流充电口电流检测值显示标签"},
  };
  for (const auto& c : cases) {
    Driver d{GetParam()};  // each case on untouched controls
    StartConnected(d);
    c.setup(d);
    ASSERT_TRUE(d.click(c.button)) << c.what;
    EXPECT_EQ(d.sent(), Lines{c.line}) << c.what;
    EXPECT_EQ(d.text(c.label), "Wait") << c.what;
    EXPECT_FALSE(ShowsError(d)) << c.what;
  }
}

TEST_P(SensorCalibration, AnswersReplaceWait) {
  struct Case {
    const char* request;
    std::string answer;
    const char* label;
    const char* shown;
  };
  const Case cases[] = {
      {"读总电流量程按钮", Answer("09A1011D", "41480000", "FFFFFFFF"), "总电流量程显示标签",
       "12.500"},
      {"读总电压量程按钮", Answer("09A10119", "C0100000", "FFFFFFFF"), "总电压量程显示标签",
       "-2.250"},
      {"直流充电口读电流量程按钮", Answer("09A1FA19", "40400000", "FFFFFFFF"),
       "直流充电口电流量程显示标签", "3.000"},
      {"读电流传感器零位按钮", Answer("09A10121", "7530FFFF", "FFFFFFFF"), "电流传感器零位显示标签",
       "30000"},
      {"直流充电口读电流传感器零位按钮", Answer("09A1FA1D", "4E20FFFF", "FFFFFFFF"),
       "直流充电口电流传感器零位显示标签", "20000"},
      {"读总电流量程按钮", Answer("09A1011F", "AAFFFFFF", "FFFFFFFF"), "总电流量程显示标签",
       "Done"},
      {"读总电压量程按钮", Answer("09A1011B", "AAFFFFFF", "FFFFFFFF"), "总电压量程显示标签",
       "Done"},
      {"自动设置电流传感器零位按钮", Answer("09A10123", "AAFFFFFF", "FFFFFFFF"),
       "电流传感器零位显示标签", "Done"},
      {"直流充电口读电流量程按钮", Answer("09A1FA1B", "AAFFFFFF", "FFFFFFFF"),
       "直流充电口电流量程显示标签", "Done"},
      {"直流充电口自动设置电流传感器零位按钮", Answer("09A1FA1F", "AAFFFFFF", "FFFFFFFF"),
       "直流充电口电流传感器零位显示标签", "Done"},
      // Anything but an exact "AA" is no success and leaves the label waiting.
      {"读总电流量程按钮", Answer("09A1011F", "aaFFFFFF", "FFFFFFFF"), "总电流量程显示标签",
       "Wait"},
      {"直流充电口自动设置电流传感器零位按钮", Answer("09A1FA1F", "55FFFFFF", "FFFFFFFF"),
       "直流充电口电流传感器零位显示标签", "Wait"},
      // A range answer is no acknowledgement: the zero label is not its business.
      {"读电流传感器零位按钮", Answer("09A1011D", "41480000", "FFFFFFFF"), "电流传感器零位显示标签",
       "Wait"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(driver.click(c.request)) << c.request;
    driver.receive(c.answer);
    EXPECT_EQ(driver.text(c.label), c.shown) << c.answer;
  }
  EXPECT_FALSE(ShowsError(driver)) << "a refusal by the controller is no error of the user";
}

TEST_P(SensorCalibration, ThePortReadingSaysWhetherItIsUsedTheLiveCurrentAlwaysShows) {
  constexpr const char* kReading = "直流充电口电流检测值显示标签";
  constexpr const char* kLive = "独立的直流充电口电流检测标定界面_实时电流值显示标签";
  struct Case {
    const char* data1;
    const char* data2;
    const char* reading;
    const char* live;
  };
  for (const auto& c : {
           Case{"02FFFFFF", "41200000", "Not used", "10.0000"},
           Case{"01FFFFFF", "41480000", "12.500", "12.5000"},
           Case{"07FFFFFF", "C0100000", "12.500", "-2.2500"},  // unknown use: reading stays
           Case{"00FFFFFF", "40400000", "Not used", "3.0000"},
       }) {
    driver.receive(Answer("09A1FA33", c.data1, c.data2));
    EXPECT_EQ(driver.text(kReading), c.reading) << c.data1;
    EXPECT_EQ(driver.text(kLive), c.live) << c.data1;
  }
}

TEST_P(SensorCalibration, TheDividerBoxUnlocksRaAndRbAndPutsThemBackWhenCleared) {
  EXPECT_FALSE(driver.enabled("内置电阻RA编辑框"));
  EXPECT_FALSE(driver.enabled("内置电阻RB编辑框"));
  driver.click("修改内置分压电阻选择框");
  EXPECT_TRUE(driver.enabled("内置电阻RA编辑框"));
  EXPECT_TRUE(driver.enabled("内置电阻RB编辑框"));
  driver.setText("内置电阻RA编辑框", "1000");
  driver.setText("内置电阻RB编辑框", "20");
  driver.click("总电压检测标定按钮");
  EXPECT_EQ(driver.sent(), Lines{Sent("09A0011A", "00FFFFFF", "3B7F00FC")});

  driver.click("修改内置分压电阻选择框");
  EXPECT_FALSE(driver.enabled("内置电阻RA编辑框"));
  EXPECT_FALSE(driver.enabled("内置电阻RB编辑框"));
  EXPECT_EQ(driver.text("内置电阻RA编辑框"), "800");
  EXPECT_EQ(driver.text("内置电阻RB编辑框"), "10");
  driver.click("总电压检测标定按钮");
  EXPECT_EQ(driver.sent(), Lines{Sent("09A0011A", "00FFFFFF", "3BCA80C2")});
}

INSTANTIATE_TEST_SUITE_P(Backends, SensorCalibration, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
