#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backends.h"
#include "testing/driver.h"

// The DC charging page through its real controls: the module's settings, the charger's
// reports and the commands.
namespace bms::testing {
namespace {

using Lines = std::vector<std::string>;

// A line the controller sends ("7") or the tool sends ("6").
std::string Line(const std::string& id, const std::string& data1, const char* kind = "7") {
  return std::string("T,05F5E100,") + kind + "," + id + "," + data1 + ",FFFFFFFF,\r\n";
}

// Whether the refresh tick shows the error; then lets it pass and forgets the polls.
bool ShowsError(Driver& d) {
  d.advance(100);
  const bool shown = d.text("错误指示灯标签") == "ERR";
  d.advance(1000);
  d.sent();
  return shown;
}

// Row names; a row's controls are named after it.
const std::string kSoc = "报告给充电机最高的SOC";
const std::string kProtection = "充电插座温度保护值";
const std::string kWarning = "充电插座温度预警值";
const std::string kSource = "测量电流值来源";
const std::string kSensors = "充电插座温度传感器数量";

class DcCharging : public ::testing::TestWithParam<Backend> {
 protected:
  void SetUp() override { StartConnected(driver); }

  Driver driver{GetParam()};
};

TEST_P(DcCharging, SettingsSaveWhatTheModuleTakesAndRefuseTheRest) {
  struct Case {
    std::string row, typed;  // typed into edit rows
    int chosen;              // in combo rows
    std::string data1;       // "" = refused
  };
  const Case cases[] = {
      {kSoc, "100", 0, "0164FFFF"},
      {kSoc, "101", 0, ""},
      {kSoc, "-1", 0, ""},
      {kSoc, "0", 0, "0100FFFF"},
      {kProtection, "95", 0, "025FFFFF"},
      {kProtection, "96", 0, ""},
      {kWarning, "95", 0, "035FFFFF"},
      {kWarning, "96", 0, ""},
      {kWarning, "", 0, ""},
      {kSensors, "", 2, "0402FFFF"},
      {kSensors, "", -1, ""},
      {kSource, "", 1, "0001FFFF"},
  };
  for (const auto& c : cases) {
    const bool combo = c.row == kSensors || c.row == kSource;
    SCOPED_TRACE(c.row + " " + c.typed + " " + std::to_string(c.chosen));
    for (const char* item : {"00", "01", "02", "03", "04"}) {  // every label shows "Done"
      driver.receive(Line("09A1FA13", item + std::string("AAFFFF")));
    }
    if (combo) {
      driver.select(c.row + "选择组合框", c.chosen);
    } else {
      driver.setText(c.row + "设定编辑框", c.typed);
    }
    ASSERT_TRUE(driver.click("保存" + c.row + "按钮"));
    const bool refused = c.data1.empty();
    EXPECT_EQ(driver.sent(), refused ? Lines{} : Lines{Line("09A0FA12", c.data1, "6")});
    EXPECT_EQ(driver.text(c.row + "显示标签"), refused ? "Done" : "Wait");
    EXPECT_EQ(ShowsError(driver), refused);
  }
}

TEST_P(DcCharging, SettingsReadAndShowTheirValues) {
  ASSERT_TRUE(driver.click("读充电插座温度传感器数量按钮"));
  EXPECT_EQ(driver.sent(), Lines{Line("09A0FA10", "04FFFFFF", "6")});
  EXPECT_EQ(driver.text("充电插座温度传感器数量显示标签"), "Wait");
  struct Case {
    const char* data1;
    std::string row;
    const char* shown;
  };
  for (const bool english : {false, true}) {
    driver.click(english ? "英文单选框" : "简体中文单选框");
    for (const auto& c :
         {Case{"0000FFFF", kSource, "充电机测量值"}, Case{"0002FFFF", kSource, "BMC测量值"},
          Case{"0007FFFF", kSource, "未设置"}, Case{"0164FFFF", kSoc, "100"},
          Case{"02FBFFFF", kProtection, "-5"}, Case{"035FFFFF", kWarning, "95"},
          Case{"0402FFFF", kSensors, "2"}, Case{"04FEFFFF", kSensors, "-2"}}) {
      driver.receive(Line("09A1FA11", c.data1));
      EXPECT_EQ(driver.text(c.row + "显示标签"), c.shown) << c.data1;
    }
  }
  driver.click("读充电插座温度保护值按钮");
  driver.receive(Line("09A1FA13", "02BBFFFF") + Line("09A1FA13", "03AAFFFF"));
  EXPECT_EQ(driver.text("充电插座温度保护值显示标签"), "Wait");
  EXPECT_EQ(driver.text("充电插座温度预警值显示标签"), "Done");
}

TEST_P(DcCharging, RunningInformationAsksAndShowsWhatTheChargerSaid) {
  struct Case {
    std::string row;          // its label is row + "显示标签"
    std::string request;      // ID and data1
    std::string answer;       // ID, data1 and data2
    const char* shown;        // "Wait": the answer changes nothing
    std::string button = {};  // "读" + row + "按钮" unless given
  };
  const std::string voltage = "充电机报告当前输出电压", pause = "充电机报告当前暂停状态",
                    socket = "直流充电插座温度值", reset = "复位充电故障状态";
  const Case cases[] = {
      {"充电机最高输出电压", "09A0FA20,00FFFFFF", "09A1FA21,0001FFFF,3F8CCCCD", "1.1"},
      {"充电机最小输出电流", "09A0FA20,03FFFFFF", "09A1FA21,0301FFFF,C1200000", "-10.0"},
      {voltage, "09A0FA20,04FFFFFF", "09A1FA21,0401FFFF,43C80000", "400.0"},
      {voltage, "09A0FA20,04FFFFFF", "09A1FA21,0400FFFF,43C80000", "Not read"},
      {"充电机报告当前输出电流", "09A0FA20,05FFFFFF", "09A1FA21,0601FFFF,43C80000", "Wait"},
      {pause, "09A0FA22,FFFFFFFF", "09A1FA23,0100FFFF,FFFFFFFF", "Pause"},
      {pause, "09A0FA22,FFFFFFFF", "09A1FA23,0101FFFF,FFFFFFFF", "Continue"},
      {pause, "09A0FA22,FFFFFFFF", "09A1FA23,00FFFFFF,FFFFFFFF", "Not read"},
      {pause, "09A0FA24,0100FFFF", "09A1FA25,AAFFFFFF,FFFFFFFF", "Done", "控制充电机暂停充电按钮"},
      {pause, "09A0FA24,0101FFFF", "09A1FA25,00FFFFFF,FFFFFFFF", "Wait", "控制充电机继续充电按钮"},
      {"充电机12V供电电压", "09A0FA26,FFFFFFFF", "09A1FA27,41420000,FFFFFFFF", "12.13"},
      {socket, "09A0FA30,FFFFFFFF", "09A1FA31,00FFFFFF,FFFFFFFF", "No Sensor"},
      {socket, "09A0FA30,FFFFFFFF", "09A1FA31,0119FFFF,FFFFFFFF", "1: 25,  2: No Sensor"},
      {socket, "09A0FA30,FFFFFFFF", "09A1FA31,0219FBFF,FFFFFFFF", "1: 25,  2: -5"},
      {socket, "09A0FA30,FFFFFFFF", "09A1FA31,0319FBFF,FFFFFFFF", "Wait"},
      {reset, "09A0FA0E,00FFFFFF", "09A1FA0F,00AAFFFF,FFFFFFFF", "Module is received",
       reset + "按钮"},
      {reset, "09A0FA0E,00FFFFFF", "09A1FA0F,01AAFFFF,FFFFFFFF", "Wait", reset + "按钮"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    const std::string label = c.row + "显示标签";
    ASSERT_TRUE(driver.click(c.button.empty() ? "读" + c.row + "按钮" : c.button));
    EXPECT_EQ(driver.sent(), Lines{"T,05F5E100,6," + c.request + ",FFFFFFFF,\r\n"});
    EXPECT_EQ(driver.text(label), "Wait");
    driver.receive("T,05F5E100,7," + c.answer + ",\r\n");
    EXPECT_EQ(driver.text(label), c.shown);
  }
  EXPECT_FALSE(ShowsError(driver)) << "no answer of this page is an error";
}

INSTANTIATE_TEST_SUITE_P(Backends, DcCharging, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
