#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "backends.h"
#include "testing/driver.h"

// The rows of the parameter page "BIC" through their real buttons.
namespace bms::testing {
namespace {

using Lines = std::vector<std::string>;

std::string Frame(const std::string& id, const std::string& data1) {
  return "T,05F5E100,7," + id + "," + data1 + ",FFFFFFFF,\r\n";
}

std::string Sent(const std::string& id, const std::string& data1) {
  return "T,05F5E100,6," + id + "," + data1 + ",FFFFFFFF,\r\n";
}

// A value answer that puts a known text ("7") into each display label, so that a refusal
// can be seen to leave it alone.
struct Display {
  const char* label;
  const char* primer;
};
constexpr Display kInstalled{"参数标定界面安装BIC数量显示标签", "09A10101"};
constexpr Display kAddress{"BIC地址显示标签", "09A12100"};
constexpr Display kCells{"BIC安装单体数量显示标签", "09A12500"};
constexpr Display kSensors{"BIC温度传感器数量显示标签", "09A12900"};

struct Request {
  const char* name;
  Display display;
  const char* button;
  std::vector<std::pair<const char*, const char*>> typed;
  const char* address;  // typed into the ticked address box; nullptr leaves it cleared
  Lines sent;           // empty: refused
};

class BicSettings : public ::testing::TestWithParam<Backend> {};

TEST_P(BicSettings, RequestsSendTheirFrameOrAreRefused) {
  const std::vector<Request> cases = {
      {"installed read",
       kInstalled,
       "读安装BIC数量按钮",
       {},
       nullptr,
       {Sent("09A00100", "FFFFFFFF")}},
      {"installed 253",
       kInstalled,
       "保存安装BIC数量按钮",
       {{"安装BIC数量设定编辑框", "253"}},
       nullptr,
       {Sent("09A00102", "FDFFFFFF")}},
      {"installed 1",
       kInstalled,
       "保存安装BIC数量按钮",
       {{"安装BIC数量设定编辑框", "1"}},
       nullptr,
       {Sent("09A00102", "01FFFFFF")}},
      {"installed 0",
       kInstalled,
       "保存安装BIC数量按钮",
       {{"安装BIC数量设定编辑框", "0"}},
       nullptr,
       {}},
      {"installed 254",
       kInstalled,
       "保存安装BIC数量按钮",
       {{"安装BIC数量设定编辑框", "254"}},
       nullptr,
       {}},
      {"installed 1a",
       kInstalled,
       "保存安装BIC数量按钮",
       {{"安装BIC数量设定编辑框", "1a"}},
       nullptr,
       {}},
      {"installed -1",
       kInstalled,
       "保存安装BIC数量按钮",
       {{"安装BIC数量设定编辑框", "-1"}},
       nullptr,
       {}},
      {"installed huge",
       kInstalled,
       "保存安装BIC数量按钮",
       {{"安装BIC数量设定编辑框", "18446744073709551617"}},
       nullptr,
       {}},
      {"address read", kAddress, "读取BIC地址按钮", {}, "9", {Sent("09A02000", "FFFFFFFF")}},
      {"address 255",
       kAddress,
       "保存BIC地址按钮",
       {{"BIC地址设定编辑框", "255"}},
       nullptr,
       {Sent("09A02200", "FFFFFFFF")}},
      {"address 1",
       kAddress,
       "保存BIC地址按钮",
       {{"BIC地址设定编辑框", "1"}},
       "9",
       {Sent("09A02200", "01FFFFFF")}},
      {"address 300", kAddress, "保存BIC地址按钮", {{"BIC地址设定编辑框", "300"}}, nullptr, {}},
      {"address 256", kAddress, "保存BIC地址按钮", {{"BIC地址设定编辑框", "256"}}, nullptr, {}},
      {"address 0", kAddress, "保存BIC地址按钮", {{"BIC地址设定编辑框", "0"}}, nullptr, {}},
      {"address empty", kAddress, "保存BIC地址按钮", {}, nullptr, {}},
      {"cells read", kCells, "读BIC单体数量按钮", {}, nullptr, {Sent("09A02400", "FFFFFFFF")}},
      {"cells read at 255", kCells, "读BIC单体数量按钮", {}, "255", {Sent("09A024FF", "FFFFFFFF")}},
      {"cells read, empty address", kCells, "读BIC单体数量按钮", {}, "", {}},
      {"cells read, address 256", kCells, "读BIC单体数量按钮", {}, "256", {}},
      {"cells read, address 0", kCells, "读BIC单体数量按钮", {}, "0", {}},
      {"cells 16",
       kCells,
       "保存BIC单体数量按钮",
       {{"BIC安装单体数量设定编辑框", "16"}},
       nullptr,
       {Sent("09A02600", "10FFFFFF")}},
      {"cells 16 at 5",
       kCells,
       "保存BIC单体数量按钮",
       {{"BIC安装单体数量设定编辑框", "16"}},
       "5",
       {Sent("09A02605", "10FFFFFF")}},
      {"cells 255",
       kCells,
       "保存BIC单体数量按钮",
       {{"BIC安装单体数量设定编辑框", "255"}},
       nullptr,
       {Sent("09A02600", "FFFFFFFF")}},
      {"cells 0", kCells, "保存BIC单体数量按钮", {{"BIC安装单体数量设定编辑框", "0"}}, nullptr, {}},
      {"cells 256",
       kCells,
       "保存BIC单体数量按钮",
       {{"BIC安装单体数量设定编辑框", "256"}},
       nullptr,
       {}},
      {"cells 16 at 256",
       kCells,
       "保存BIC单体数量按钮",
       {{"BIC安装单体数量设定编辑框", "16"}},
       "256",
       {}},
      {"sensors read at 7", kSensors, "读BIC温感数量按钮", {}, "7", {Sent("09A02807", "FFFFFFFF")}},
      {"sensors read", kSensors, "读BIC温感数量按钮", {}, nullptr, {Sent("09A02800", "FFFFFFFF")}},
      {"sensors 0",
       kSensors,
       "保存BIC温感数量按钮",
       {{"BIC温度传感器数量设定编辑框", "0"}},
       nullptr,
       {Sent("09A02A00", "00FFFFFF")}},
      {"sensors 8 at 2",
       kSensors,
       "保存BIC温感数量按钮",
       {{"BIC温度传感器数量设定编辑框", "8"}},
       "2",
       {Sent("09A02A02", "08FFFFFF")}},
      {"sensors 256",
       kSensors,
       "保存BIC温感数量按钮",
       {{"BIC温度传感器数量设定编辑框", "256"}},
       nullptr,
       {}},
      {"sensors empty", kSensors, "保存BIC温感数量按钮", {}, nullptr, {}},
      {"sensors 8, empty address",
       kSensors,
       "保存BIC温感数量按钮",
       {{"BIC温度传感器数量设定编辑框", "8"}},
       "",
       {}},
  };
  for (const auto& c : cases) {
    Driver driver(GetParam());
    StartConnected(driver);
    driver.select("总选择夹", 2);
    driver.receive(Frame(c.display.primer, "07FFFFFF"));
    for (const auto& [box, text] : c.typed) driver.setText(box, text);
    if (c.address != nullptr) {
      ASSERT_TRUE(driver.click("指定BIC地址选择框"));
      driver.setText("指定BIC地址编辑框", c.address);
    }
    ASSERT_TRUE(driver.click(c.button)) << c.name;
    EXPECT_EQ(driver.sent(), c.sent) << c.name;
    EXPECT_EQ(driver.text(c.display.label), c.sent.empty() ? "7" : "Wait") << c.name;
    driver.advance(100);
    EXPECT_EQ(driver.text("错误指示灯标签"), c.sent.empty() ? "ERR" : "") << c.name;
  }
}

TEST_P(BicSettings, DecodersShowValuesAndOnlyExactAcknowledgements) {
  struct Answer {
    const char* id;
    const char* data1;
    const char* label;
    const char* shown;  // after the label showed "Wait"
  };
  Driver driver(GetParam());
  StartConnected(driver);
  for (const auto& a : {
           Answer{"09A12101", "05FFFFFF", kAddress.label, "5"},
           Answer{"09A121FF", "FF00FFFF", kAddress.label, "255"},
           Answer{"09A12300", "AAFFFFFF", kAddress.label, "Done"},
           Answer{"09A12300", "aaFFFFFF", kAddress.label, "Wait"},
           Answer{"09A12507", "0CFFFFFF", kCells.label, "12"},
           Answer{"09A12700", "AAFFFFFF", kCells.label, "Done"},
           Answer{"09A12705", "ABFFFFFF", kCells.label, "Wait"},
           Answer{"09A12903", "08FFFFFF", kSensors.label, "8"},
           Answer{"09A12B00", "AAFFFFFF", kSensors.label, "Done"},
           Answer{"09A12B00", "A", kSensors.label, "Wait"},
       }) {
    for (const char* button : {"读取BIC地址按钮", "读BIC单体数量按钮", "读BIC温感数量按钮"}) {
      driver.click(button);
    }
    driver.receive(Frame(a.id, a.data1));
    EXPECT_EQ(driver.text(a.label), a.shown) << a.id << " " << a.data1;
    for (const char* other : {kAddress.label, kCells.label, kSensors.label}) {
      if (other != std::string(a.label)) {
        EXPECT_EQ(driver.text(other), "Wait") << a.id;
      }
    }
  }
}

TEST_P(BicSettings, TheAddressBoxShowsTheAddressOnlyWhileTicked) {
  Driver driver(GetParam());
  driver.start();
  for (const bool ticked : {true, false, true}) {
    ASSERT_TRUE(driver.click("指定BIC地址选择框"));
    EXPECT_EQ(driver.checked("指定BIC地址选择框"), ticked);
    EXPECT_EQ(driver.visible("指定BIC地址标题标签"), ticked);
    EXPECT_EQ(driver.visible("指定BIC地址编辑框"), ticked);
  }
}

TEST_P(BicSettings, RowsWithoutFramesSendNothing) {
  for (const char* button : {"读BIC检测周期按钮", "保存BIC检测周期按钮"}) {
    Driver driver(GetParam());
    StartConnected(driver);
    driver.receive(Frame("09A12100", "07FFFFFF"));  // another row's label, to see it untouched
    EXPECT_NE(driver.text("BIC检测周期显示标签"), "Wait");
    ASSERT_TRUE(driver.click(button)) << button;
    EXPECT_EQ(driver.text("BIC检测周期显示标签"), "Wait") << button;
    EXPECT_EQ(driver.text(kAddress.label), "7") << button;
    EXPECT_EQ(driver.sent(), Lines{}) << button;
  }
  Driver driver(GetParam());
  StartConnected(driver);
  for (const char* control : {"读BIC检测周期按钮1", "保存BIC检测周期按钮1", "读BIC检测周期按钮2",
                              "保存BIC检测周期按钮2"}) {
    EXPECT_FALSE(driver.click(control)) << control;
  }
  for (const char* box : {"BIC检测周期设定编辑框1", "BIC检测周期设定编辑框2"}) {
    EXPECT_FALSE(driver.enabled(box)) << box;
  }
  EXPECT_EQ(driver.sent(), Lines{});
}

INSTANTIATE_TEST_SUITE_P(Backends, BicSettings, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
