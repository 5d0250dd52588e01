// The status bar that starts in the chosen language; on both backends.

#include <gtest/gtest.h>

#include <string>

#include "backends.h"

namespace bms::testing {
namespace {

class StatusBarLabels : public ::testing::TestWithParam<Backend> {
 protected:
  Driver driver{GetParam()};
};

TEST_P(StatusBarLabels, TheStatusBarStartsIdleInTheChosenLanguage) {
  driver.writeFile("bms_user.txt", ",8000,572906,100000000,1,0,0,0,");  // Chinese
  driver.start();
  EXPECT_EQ(driver.text("链路状态标签"), "空闲");
  for (const char* label : {"链路状态标签", "最后接收时间标签", "最后错误信息标签"}) {
    EXPECT_TRUE(driver.visible(label)) << label;
  }
  EXPECT_EQ(driver.text("最后接收时间标签"), "");
  EXPECT_EQ(driver.text("最后错误信息标签"), "");
  driver.click("英文单选框");
  EXPECT_EQ(driver.text("链路状态标签"), "Idle");
  driver.click("简体中文单选框");
  EXPECT_EQ(driver.text("链路状态标签"), "空闲");
}

INSTANTIATE_TEST_SUITE_P(Backends, StatusBarLabels, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
