#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backends.h"
#include "testing/driver.h"

// Entering the setting mode and restarting the controller: one request ID, one answer.
namespace bms::testing {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kModeLabel = "BMC响应设定模式命令的标签";
constexpr const char* kRestartLabel = "重新尝试启动回应显示标签";

std::string Answer(const std::string& data1) {
  return "T,05F5E100,7,09A1001F," + data1 + ",FFFFFFFF,\r\n";
}

class SettingMode : public ::testing::TestWithParam<Backend> {
 protected:
  void SetUp() override { StartConnected(driver); }

  Driver driver{GetParam()};
};

TEST_P(SettingMode, TheRequestAndItsAnswersInBothLanguages) {
  driver.click("发送进入设定模式的按钮");
  EXPECT_EQ(driver.sent(), Lines{"T,05F5E100,6,09A0001E,00FFFFFF,FFFFFFFF,\r\n"});
  EXPECT_EQ(driver.text(kModeLabel),
            "Please wait. If there is no response after a few seconds, please check the "
            "communication line or other");
  struct Case {
    const char* language;
    std::string data1, shown;
    bool error;
  };
  for (const auto& [language, data1, shown, error] : {
           Case{"英文单选框", "00AAFFFF", "The setting mode has been entered", false},
           Case{"英文单选框", "0001FFFF",
                "Failed to enter the setting mode. Please check the BMC status,etc.", true},
           Case{"简体中文单选框", "00AAFFFF", "已经进入设定模式", false},
           Case{"简体中文单选框", "00BBFFFF", "未能进入设定模式，请检查BMC状态等。", true},
           Case{"简体中文单选框", "02AAFFFF", "未能进入设定模式，请检查BMC状态等。", false},
       }) {
    driver.click(language);
    driver.receive(Answer(data1));
    EXPECT_EQ(driver.text(kModeLabel), shown) << data1;
    driver.advance(100);
    EXPECT_EQ(driver.text("错误指示灯标签"), error ? "ERR" : "") << data1;
    driver.advance(1000);
  }
}

TEST_P(SettingMode, RestartNeedsTheConfirmationCode) {
  for (const std::string code : {"0585", "585 ", ""}) {
    driver.setText("重新尝试启动确认码编辑框", code);
    driver.click("重新尝试启动按钮");
    EXPECT_EQ(driver.sent(), Lines{}) << code;
    EXPECT_EQ(driver.text("重新尝试启动确认码编辑框"), code);
  }
  driver.advance(100);
  EXPECT_EQ(driver.text("错误指示灯标签"), "ERR");
  driver.setText("重新尝试启动确认码编辑框", "585");
  driver.click("重新尝试启动按钮");
  EXPECT_EQ(driver.sent(), Lines{"T,05F5E100,6,09A0001E,01FFFFFF,FFFFFFFF,\r\n"});
  EXPECT_EQ(driver.text("重新尝试启动确认码编辑框"), "");
  EXPECT_EQ(driver.text(kRestartLabel), "Wait");
  driver.receive(Answer("01BBFFFF"));
  EXPECT_EQ(driver.text(kRestartLabel), "Wait");
  driver.receive(Answer("01AAFFFF"));
  EXPECT_EQ(driver.text(kRestartLabel), "BMS is received");
}

INSTANTIATE_TEST_SUITE_P(Backends, SettingMode, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
