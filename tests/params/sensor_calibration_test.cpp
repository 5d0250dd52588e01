#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "backends.h"
#include "testing/driver.h"

// The calibration buttons of the pack current, the total voltage and the DC port's
// current, driven through the real controls.
namespace bms::testing {
namespace {

using Lines = std::vector<std::string>;
using Inputs = std::vector<std::pair<const char*, std::string>>;

std::string Line(const char* kind, const std::string& id, const std::string& data1,
                 const std::string& data2 = "FFFFFFFF") {
  return std::string("T,05F5E100,") + kind + "," + id + "," + data1 + "," + data2 + ",\r\n";
}

// Combo boxes take an item index, the divider box is clicked, anything else is typed.
void Enter(Driver& d, const Inputs& inputs) {
  for (const auto& [control, value] : inputs) {
    const std::string name = control;
    if (name.ends_with("组合框")) {
      d.select(name, std::stoi(value));
    } else if (name.ends_with("选择框")) {
      d.click(name);
    } else {
      d.setText(name, value);
    }
  }
}

// Whether the refresh tick shows the error; then lets it pass and forgets the polls.
bool ShowsError(Driver& d) {
  d.advance(100);
  const bool shown = d.text("错误指示灯标签") == "ERR";
  d.advance(1000);
  d.sent();
  return shown;
}

// The controls the cases type into, and the labels that show the answers.
constexpr const char* kPackModel = "BMC型号选择组合框";
constexpr const char* kPackAmps = "电流传感器参数输入编辑框";
constexpr const char* kPortModel = "直流充电口模块型号选择组合框";
constexpr const char* kPortAmps = "直流充电口电流传感器参数输入编辑框";
constexpr const char* kPackZeroBox = "电流传感器零位值编辑框";
constexpr const char* kPortZeroBox = "直流充电口电流传感器零位值编辑框";
constexpr const char* kUnlock = "修改内置分压电阻选择框";
constexpr const char* kRa = "内置电阻RA编辑框";
constexpr const char* kRb = "内置电阻RB编辑框";
constexpr const char* kPackRange = "总电流量程显示标签";
constexpr const char* kPackZero = "电流传感器零位显示标签";
constexpr const char* kVoltRange = "总电压量程显示标签";
constexpr const char* kPortRange = "直流充电口电流量程显示标签";
constexpr const char* kPortZero = "直流充电口电流传感器零位显示标签";
constexpr const char* kLive = "独立的直流充电口电流检测标定界面_实时电流值显示标签";
constexpr const char* kReading = "直流充电口电流检测值显示标签";
// A button and the label it sets to "Wait".
struct Button {
  const char* name;
  const char* label;
};
constexpr Button kPackCalibrate{"电流检测标定按钮", kPackRange};
constexpr Button kPortCalibrate{"直流充电口电流检测标定按钮", kPortRange};
constexpr Button kVoltCalibrate{"总电压检测标定按钮", kVoltRange};
constexpr Button kPackUp{"总电流检测步进微调加大按钮", kPackRange};
constexpr Button kVoltDown{"总电压检测步进微调减小按钮", kVoltRange};
constexpr Button kPortUp{"直流充电口电流检测步进微调加大按钮", kPortRange};
constexpr Button kPackManualZero{"手动设置电流传感器零位按钮", kPackZero};
constexpr Button kPortManualZero{"直流充电口手动设置电流传感器零位按钮", kPortZero};
constexpr Button kPackAutoZero{"自动设置电流传感器零位按钮", kPackZero};
constexpr Button kPortAutoZero{"直流充电口自动设置电流传感器零位按钮", kPortZero};
constexpr Button kReadPackRange{"读总电流量程按钮", kPackRange};
constexpr Button kReadPackZero{"读电流传感器零位按钮", kPackZero};
constexpr Button kReadVoltRange{"读总电压量程按钮", kVoltRange};
constexpr Button kReadPortRange{"直流充电口读电流量程按钮", kPortRange};
constexpr Button kReadPortZero{"直流充电口读电流传感器零位按钮", kPortZero};

class SensorCalibration : public ::testing::TestWithParam<Backend> {
 protected:
  void SetUp() override { StartConnected(driver); }

  Driver driver{GetParam()};
};

TEST_P(SensorCalibration, RequestsSendTheirLineOrAreRefusedWithTheError) {
  struct Case {
    Button button;
    Inputs inputs;
    const char *id, *data1, *data2;  // id nullptr: refused
  };
  const std::string nines(50, '9');
  const char* none = "FFFFFFFF";
  const Case cases[] = {
      {kPackCalibrate, {{kPackModel, "0"}, {kPackAmps, "10"}}, "09A0011E", "00FFFFFF", "3C7A0225"},
      {kPackCalibrate, {{kPackModel, "0"}, {kPackAmps, "abc"}}, nullptr, nullptr, nullptr},
      {kPackCalibrate, {{kPackAmps, "10"}}, nullptr, nullptr, nullptr},
      {kPortCalibrate, {{kPortModel, "2"}, {kPortAmps, "0.5"}}, "09A0FA1A", "00FFFFFF", "39C80183"},
      {kPortCalibrate, {{kPortModel, "0"}, {kPortAmps, "1e3"}}, nullptr, nullptr, nullptr},
      {kPortCalibrate, {{kPortAmps, "10"}}, nullptr, nullptr, nullptr},
      {kVoltCalibrate, {{kUnlock, ""}, {kRa, "0"}}, "09A0011A", "00FFFFFF", "38A0009F"},
      {kVoltCalibrate, {{"扩展电阻编辑框", "-1"}}, nullptr, nullptr, nullptr},
      {kVoltCalibrate, {{"扩展电阻编辑框", ""}}, nullptr, nullptr, nullptr},
      {kVoltCalibrate, {{kUnlock, ""}, {kRb, nines}}, nullptr, nullptr, nullptr},
      {kPackUp, {{"总电流步进标定选择组合框", "2"}}, "09A0011E", "01FFFFFF", "3F8147AE"},
      {kPackUp, {}, nullptr, nullptr, nullptr},
      {kVoltDown, {{"总电压步进标定选择组合框", "3"}}, "09A0011A", "01FFFFFF", "3F666666"},
      {kVoltDown, {}, nullptr, nullptr, nullptr},
      {kPortUp, {{"直流充电口电流步进标定选择组合框", "0"}}, "09A0FA1A", "01FFFFFF", "3F800347"},
      {kPortUp, {}, nullptr, nullptr, nullptr},
      {kPackManualZero, {{kPackZeroBox, "20000"}}, "09A00122", "014E20FF", none},
      {kPackManualZero, {{kPackZeroBox, "40000"}}, "09A00122", "019C40FF", none},
      {kPackManualZero, {{kPackZeroBox, "19999.5"}}, nullptr, nullptr, nullptr},
      {kPackManualZero, {{kPackZeroBox, "40000.5"}}, nullptr, nullptr, nullptr},
      {kPortManualZero, {{kPortZeroBox, "30000.9"}}, "09A0FA1E", "017530FF", none},
      {kPortManualZero, {}, nullptr, nullptr, nullptr},
      {kPackAutoZero, {}, "09A00122", "00FFFFFF", none},
      {kPortAutoZero, {}, "09A0FA1E", "00FFFFFF", none},
      {kReadPackRange, {}, "09A0011C", none, none},
      {kReadPackZero, {}, "09A00120", none, none},
      {kReadVoltRange, {}, "09A00118", none, none},
      {kReadPortRange, {}, "09A0FA18", none, none},
      {kReadPortZero, {}, "09A0FA1C", none, none},
      {{"读直流充电口独立电流检测标定界面_实时电流值按钮", kLive}, {}, "09A0FA32", none, none},
      {{"读直流充电口电流检测值按钮", kReading}, {}, "09A0FA32", none, none},
  };
  for (const auto& c : cases) {
    std::string name = c.button.name;
    for (const auto& [control, value] : c.inputs) name += std::string(" ") + control + "=" + value;
    const bool refused = c.id == nullptr;
    Driver d{GetParam()};  // each case on untouched controls
    StartConnected(d);
    Enter(d, c.inputs);
    ASSERT_TRUE(d.click(c.button.name)) << name;
    EXPECT_EQ(d.sent(), refused ? Lines{} : Lines{Line("6", c.id, c.data1, c.data2)}) << name;
    EXPECT_EQ(d.text(c.button.label), refused ? "" : "Wait") << name;
    EXPECT_EQ(ShowsError(d), refused) << name;
  }
}

TEST_P(SensorCalibration, AnswersReplaceWait) {
  using Row = std::tuple<Button, const char*, const char*, const char*>;  // id, data1, shown
  for (const auto& [request, id, data1, shown] : {
           Row{kReadPackRange, "09A1011D", "41480000", "12.500"},
           Row{kReadVoltRange, "09A10119", "C0100000", "-2.250"},
           Row{kReadPortRange, "09A1FA19", "40400000", "3.000"},
           Row{kReadPackZero, "09A10121", "7530FFFF", "30000"},
           Row{kReadPortZero, "09A1FA1D", "4E20FFFF", "20000"},
           Row{kReadPackRange, "09A1011F", "AAFFFFFF", "Done"},
           Row{kReadVoltRange, "09A1011B", "AAFFFFFF", "Done"},
           Row{kPackAutoZero, "09A10123", "AAFFFFFF", "Done"},
           Row{kReadPortRange, "09A1FA1B", "AAFFFFFF", "Done"},
           Row{kPortAutoZero, "09A1FA1F", "AAFFFFFF", "Done"},
           // Anything but an exact "AA" is no success and leaves the label waiting.
           Row{kReadPackRange, "09A1011F", "aaFFFFFF", "Wait"},
           Row{kPortAutoZero, "09A1FA1F", "55FFFFFF", "Wait"},
           // A range answer is no acknowledgement: the zero label is not its business.
           Row{kReadPackZero, "09A1011D", "41480000", "Wait"},
       }) {
    ASSERT_TRUE(driver.click(request.name)) << request.name;
    driver.receive(Line("7", id, data1));
    EXPECT_EQ(driver.text(request.label), shown) << id << " " << data1;
  }
  EXPECT_FALSE(ShowsError(driver)) << "a refusal by the controller is no error of the user";
}

TEST_P(SensorCalibration, ThePortReadingSaysWhetherItIsUsedTheLiveCurrentAlwaysShows) {
  using Reading = std::array<const char*, 4>;  // data1, data2, reading, live current
  for (const auto& [data1, data2, reading, live] : {
           Reading{"02FFFFFF", "41200000", "Not used", "10.0000"},
           Reading{"01FFFFFF", "41480000", "12.500", "12.5000"},
           Reading{"07FFFFFF", "C0100000", "12.500", "-2.2500"},  // unknown use: reading stays
           Reading{"00FFFFFF", "40400000", "Not used", "3.0000"},
       }) {
    driver.receive(Line("7", "09A1FA33", data1, data2));
    EXPECT_EQ(driver.text(kReading), reading) << data1;
    EXPECT_EQ(driver.text(kLive), live) << data1;
  }
}

TEST_P(SensorCalibration, TheDividerBoxUnlocksRaAndRbAndPutsThemBackWhenCleared) {
  struct Step {
    bool unlocked;
    const char *ra, *rb, *scale;
  };
  for (const auto& s : {Step{false, "800", "10", "3BCA80C2"}, Step{true, "1000", "20", "3B7F00FC"},
                        Step{false, "800", "10", "3BCA80C2"}}) {
    EXPECT_EQ(driver.enabled(kRa), s.unlocked);
    EXPECT_EQ(driver.enabled(kRb), s.unlocked);
    if (s.unlocked) Enter(driver, {{kRa, s.ra}, {kRb, s.rb}});
    EXPECT_EQ(driver.text(kRa), s.ra);
    EXPECT_EQ(driver.text(kRb), s.rb);
    driver.click(kVoltCalibrate.name);
    EXPECT_EQ(driver.sent(), Lines{Line("6", "09A0011A", "00FFFFFF", s.scale)});
    driver.click(kUnlock);
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, SensorCalibration, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
