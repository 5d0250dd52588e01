#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "backends.h"
#include "testing/driver.h"

// The rows of the parameter page "BIC" through their real buttons.
namespace bms::testing {
namespace {

using Lines = std::vector<std::string>;

// A line the controller sends ("7") or the tool sends ("6").
std::string Frame(const std::string& id, const std::string& data1, const char* kind = "7") {
  return std::string("T,05F5E100,") + kind + "," + id + "," + data1 + ",FFFFFFFF,\r\n";
}

constexpr const char* kAddressLabel = "BIC地址显示标签";
constexpr const char* kCellsLabel = "BIC安装单体数量显示标签";
constexpr const char* kSensorsLabel = "BIC温度传感器数量显示标签";

// A button, the box its value is typed into, and the label it sets to "Wait". The primer
// is a value answer that puts "7" into that label, so that a refusal can be seen to leave
// it alone.
struct Button {
  const char* name;
  const char* box;
  const char* label;
  const char* primer;
};
constexpr Button kReadInstalled{"读安装BIC数量按钮", nullptr, "参数标定界面安装BIC数量显示标签",
                                "09A10101"};
constexpr Button kSaveInstalled{"保存安装BIC数量按钮", "安装BIC数量设定编辑框",
                                kReadInstalled.label, "09A10101"};
constexpr Button kReadAddress{"读取BIC地址按钮", nullptr, kAddressLabel, "09A12100"};
constexpr Button kSaveAddress{"保存BIC地址按钮", "BIC地址设定编辑框", kAddressLabel, "09A12100"};
constexpr Button kReadCells{"读BIC单体数量按钮", nullptr, kCellsLabel, "09A12500"};
constexpr Button kSaveCells{"保存BIC单体数量按钮", "BIC安装单体数量设定编辑框", kCellsLabel,
                            "09A12500"};
constexpr Button kReadSensors{"读BIC温感数量按钮", nullptr, kSensorsLabel, "09A12900"};
constexpr Button kSaveSensors{"保存BIC温感数量按钮", "BIC温度传感器数量设定编辑框", kSensorsLabel,
                              "09A12900"};

class BicSettings : public ::testing::TestWithParam<Backend> {};

TEST_P(BicSettings, RequestsSendTheirFrameOrAreRefused) {
  struct Case {
    const Button& button;
    const char* typed;
    const char* address;     // typed into the ticked address box; nullptr leaves it cleared
    const char *id, *data1;  // id nullptr: refused
  };
  const char* none = "FFFFFFFF";
  const Case cases[] = {
      {kReadInstalled, nullptr, nullptr, "09A00100", none},
      {kSaveInstalled, "253", nullptr, "09A00102", "FDFFFFFF"},
      {kSaveInstalled, "1", nullptr, "09A00102", "01FFFFFF"},
      {kSaveInstalled, "0", nullptr, nullptr, nullptr},
      {kSaveInstalled, "254", nullptr, nullptr, nullptr},
      {kSaveInstalled, "1a", nullptr, nullptr, nullptr},
      {kSaveInstalled, "-1", nullptr, nullptr, nullptr},
      {kSaveInstalled, "18446744073709551617", nullptr, nullptr, nullptr},
      {kReadAddress, nullptr, "9", "09A02000", none},
      {kSaveAddress, "255", nullptr, "09A02200", "FFFFFFFF"},
      {kSaveAddress, "1", "9", "09A02200", "01FFFFFF"},
      {kSaveAddress, "256", nullptr, nullptr, nullptr},
      {kSaveAddress, "0", nullptr, nullptr, nullptr},
      {kSaveAddress, nullptr, nullptr, nullptr, nullptr},
      {kReadCells, nullptr, nullptr, "09A02400", none},
      {kReadCells, nullptr, "255", "09A024FF", none},
      {kReadCells, nullptr, "", nullptr, nullptr},
      {kReadCells, nullptr, "256", nullptr, nullptr},
      {kReadCells, nullptr, "0", nullptr, nullptr},
      {kSaveCells, "16", "5", "09A02605", "10FFFFFF"},
      {kSaveCells, "255", nullptr, "09A02600", "FFFFFFFF"},
      {kSaveCells, "0", nullptr, nullptr, nullptr},
      {kSaveCells, "256", nullptr, nullptr, nullptr},
      {kReadSensors, nullptr, "7", "09A02807", none},
      {kSaveSensors, "0", nullptr, "09A02A00", "00FFFFFF"},
      {kSaveSensors, "8", "2", "09A02A02", "08FFFFFF"},
      {kSaveSensors, "256", nullptr, nullptr, nullptr},
      {kSaveSensors, nullptr, nullptr, nullptr, nullptr},
  };
  for (const auto& c : cases) {
    const std::string name = std::string(c.button.name) + " " + (c.typed ? c.typed : "-") + " at " +
                             (c.address ? c.address : "-");
    const bool refused = c.id == nullptr;
    Driver driver(GetParam());
    StartConnected(driver);
    driver.select("总选择夹", 2);
    driver.receive(Frame(c.button.primer, "07FFFFFF"));
    if (c.typed != nullptr) driver.setText(c.button.box, c.typed);
    if (c.address != nullptr) {
      ASSERT_TRUE(driver.click("指定BIC地址选择框"));
      driver.setText("指定BIC地址编辑框", c.address);
    }
    ASSERT_TRUE(driver.click(c.button.name)) << name;
    EXPECT_EQ(driver.sent(), refused ? Lines{} : Lines{Frame(c.id, c.data1, "6")}) << name;
    EXPECT_EQ(driver.text(c.button.label), refused ? "7" : "Wait") << name;
    driver.advance(100);
    EXPECT_EQ(driver.text("错误指示灯标签"), refused ? "ERR" : "") << name;
  }
}

TEST_P(BicSettings, DecodersShowValuesAndOnlyExactAcknowledgements) {
  // The label a value or acknowledgement answer sets, and what it shows after "Wait".
  using Answer = std::array<const char*, 4>;
  Driver driver(GetParam());
  StartConnected(driver);
  for (const auto& [id, data1, label, shown] : {
           Answer{"09A12101", "05FFFFFF", kAddressLabel, "5"},
           Answer{"09A121FF", "FF00FFFF", kAddressLabel, "255"},
           Answer{"09A12300", "AAFFFFFF", kAddressLabel, "Done"},
           Answer{"09A12300", "aaFFFFFF", kAddressLabel, "Wait"},
           Answer{"09A12507", "0CFFFFFF", kCellsLabel, "12"},
           Answer{"09A12700", "AAFFFFFF", kCellsLabel, "Done"},
           Answer{"09A12705", "ABFFFFFF", kCellsLabel, "Wait"},
           Answer{"09A12903", "08FFFFFF", kSensorsLabel, "8"},
           Answer{"09A12B00", "AAFFFFFF", kSensorsLabel, "Done"},
           Answer{"09A12B00", "A", kSensorsLabel, "Wait"},
       }) {
    for (const auto* button : {&kReadAddress, &kReadCells, &kReadSensors}) {
      driver.click(button->name);
    }
    driver.receive(Frame(id, data1));
    for (const char* other : {kAddressLabel, kCellsLabel, kSensorsLabel}) {
      EXPECT_EQ(driver.text(other), std::string_view(other) == label ? shown : "Wait")
          << id << " " << data1;
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
    for (const char* control : {"读BIC检测周期按钮1", "保存BIC检测周期按钮1", "读BIC检测周期按钮2",
                                "保存BIC检测周期按钮2"}) {
      EXPECT_FALSE(driver.click(control)) << control;
    }
    for (const char* box : {"BIC检测周期设定编辑框1", "BIC检测周期设定编辑框2"}) {
      EXPECT_FALSE(driver.enabled(box)) << box;
    }
    driver.receive(Frame("09A12100", "07FFFFFF"));  // another row's label, to see it untouched
    EXPECT_NE(driver.text("BIC检测周期显示标签"), "Wait");
    ASSERT_TRUE(driver.click(button)) << button;
    EXPECT_EQ(driver.text("BIC检测周期显示标签"), "Wait") << button;
    EXPECT_EQ(driver.text(kAddressLabel), "7") << button;
    EXPECT_EQ(driver.sent(), Lines{}) << button;
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, BicSettings, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
