// English tool tips where captions stay Chinese, and tool tips for buttons that show a
// symbol; on both backends.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "backends.h"

namespace bms::testing {
namespace {

class ToolTips : public ::testing::TestWithParam<Backend> {
 protected:
  Driver driver{GetParam()};
};

// Captions that stay Chinese, a tab page among them, and a symbol button: English tool
// tips in English; in Chinese none, except the symbol button's own.
TEST_P(ToolTips, ToolTipsFollowTheLanguageSwitch) {
  driver.start();  // no settings file: English
  const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
      {"测量电流值来源标记标签", "Source of the measured charging current", ""},
      {"国标充电设置项目选择夹.重要声明", "Important notice", ""},
      {"读最高最低BIC温度位置按钮",
       "Read: which BICs have the highest and lowest board temperature", ""},
      {"上一个BIC按钮", "Previous BIC", "上一个BIC"},
      {"读最高极限电压按钮", "", ""},  // a caption that is translated needs none
  };
  for (const auto& [control, english, chinese] : cases) {
    EXPECT_EQ(driver.toolTip(control), english) << control;
  }
  ASSERT_TRUE(driver.click("简体中文单选框"));
  for (const auto& [control, english, chinese] : cases) {
    EXPECT_EQ(driver.toolTip(control), chinese) << control;
  }
  ASSERT_TRUE(driver.click("英文单选框"));
  EXPECT_EQ(driver.toolTip("国标充电设置项目选择夹.重要声明"), "Important notice");
}

TEST_P(ToolTips, TheFullHeightButtonSaysWhatItDoesInEitherLanguage) {
  driver.start();
  driver.click("Debug按钮");
  EXPECT_NE(driver.toolTip("debug:窗口最高按钮").find("Full height"), std::string::npos)
      << driver.toolTip("debug:窗口最高按钮");
  driver.click("简体中文单选框");  // while the window is open
  const std::string chinese = driver.toolTip("debug:窗口最高按钮");
  EXPECT_NE(chinese.find("窗口最高"), std::string::npos) << chinese;
  driver.closeWindow("debug");
  driver.click("Debug按钮");  // opened anew in Chinese
  EXPECT_EQ(driver.toolTip("debug:窗口最高按钮"), chinese);
}

INSTANTIATE_TEST_SUITE_P(Backends, ToolTips, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
