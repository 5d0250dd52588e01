#include "testing/driver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "backends.h"

namespace bms::testing {
namespace {

using Lines = std::vector<std::string>;

class DriverContract : public ::testing::TestWithParam<Backend> {
 protected:
  Driver driver{GetParam()};
};

TEST_P(DriverContract, ProgramDirIsFreshAndRemovedAfterwards) {
  std::filesystem::path dir;
  {
    Driver local(GetParam());
    dir = local.programDir();
    EXPECT_TRUE(std::filesystem::is_empty(dir));
    EXPECT_EQ(local.readFile("bms_user.txt"), std::nullopt);
    local.writeFile("x.bin", std::string("a\0b", 3));
    EXPECT_EQ(local.readFile("x.bin"), std::string("a\0b", 3));
    EXPECT_NE(dir, driver.programDir());
  }
  EXPECT_FALSE(std::filesystem::exists(dir));
}

TEST_P(DriverContract, UnknownControlsAndClosedWindowsThrowNamingThem) {
  driver.start();
  for (const char* control : {"没有这个控件", "debug:接收数据编辑框", "nowhere:通信按钮"}) {
    EXPECT_FALSE(driver.exists(control)) << control;
    try {
      driver.text(control);
      ADD_FAILURE() << control << " did not throw";
    } catch (const std::invalid_argument& error) {
      EXPECT_NE(std::string(error.what()).find(control), std::string::npos) << error.what();
    }
  }
  EXPECT_THROW(driver.click("没有这个控件"), std::invalid_argument);
  EXPECT_THROW(driver.isOpen("nowhere"), std::invalid_argument);
  EXPECT_TRUE(driver.exists("main:通信按钮"));
  EXPECT_EQ(driver.text("main:通信按钮"), driver.text("通信按钮"));
}

// The user is refused by disabled or hidden controls, and typing obeys the maximum length.
TEST_P(DriverContract, ControlsRefuseTheUserAsTheyWould) {
  driver.start();
  driver.setText("远程密码编辑框", "123456789012345");
  EXPECT_EQ(driver.text("远程密码编辑框"), "12345678901");
  EXPECT_FALSE(driver.click("读取单体信息选择框"));  // disabled while idle
  EXPECT_FALSE(driver.checked("读取单体信息选择框"));
  EXPECT_FALSE(driver.click("BIC校准按钮"));  // hidden without the factory marker
  driver.click("通信按钮");
  driver.setText("BMC编号编辑框", "123");  // disabled while connected
  EXPECT_EQ(driver.text("BMC编号编辑框"), "0");
}

// Sent gives whole lines once; failNextOpen fails only the next opening.
TEST_P(DriverContract, SentLinesAndAFailedOpening) {
  driver.writeFile("bms_user.txt", "127.0.0.1,8000,1,100000000,0,0,1,1,");
  driver.start();
  EXPECT_EQ(driver.sent(), Lines{});
  driver.failNextOpen();
  driver.click("通信按钮");
  EXPECT_EQ(driver.link(), "");
  driver.click("通信按钮");
  EXPECT_EQ(driver.link(), "tcp 127.0.0.1:8000");
  driver.receive("T,05F5E100,1,\r\nT,05F5E100,1,\r\n");
  EXPECT_EQ(driver.sent(), (Lines{"T,05F5E100,2,1,\r\n", "T,05F5E100,2,1,\r\n"}));
  EXPECT_EQ(driver.sent(), Lines{});
}

TEST_P(DriverContract, ScreenHeightAndWindowMoves) {
  driver.start();
  driver.setScreenHeight(700);
  driver.click("Debug按钮");
  driver.click("debug:窗口最高按钮");
  EXPECT_EQ(driver.rect("debug").height, 600);
  driver.moveWindow("main", 10, 20);
  EXPECT_EQ(driver.rect("main"), (Rect{10, 20, 1024, 560}));
  driver.closeWindow("debug");
  EXPECT_FALSE(driver.isOpen("debug"));
}

INSTANTIATE_TEST_SUITE_P(Backends, DriverContract, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
