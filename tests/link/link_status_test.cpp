#include <gtest/gtest.h>

#include <string>

#include "backends.h"
#include "testing/driver.h"

// The status line says what the link does and why it failed, without the debug window.
// Each failure's reason is checked where the link tests meet it.
namespace bms::testing {
namespace {

constexpr const char* kState = "链路状态标签";
constexpr const char* kReceive = "最后接收时间标签";
constexpr const char* kFailure = "最后错误信息标签";

class LinkStatus : public ::testing::TestWithParam<Backend> {
 protected:
  void startRelay() {
    driver.writeFile("bms_user.txt", "127.0.0.1,8000,572906,100000000,0,0,0,1,");
    driver.start();
  }

  Driver driver{GetParam()};
};

TEST_P(LinkStatus, TheLinkStateInWordsInBothLanguages) {
  startRelay();
  driver.advance(100);
  EXPECT_EQ(driver.text(kState), "Idle");
  driver.failNextOpen();
  driver.click("通信按钮");
  driver.advance(100);
  EXPECT_EQ(driver.text(kFailure),
            "Failed to connect to the remote server, please check your network!");
  driver.click("通信按钮");
  driver.advance(100);
  EXPECT_EQ(driver.text(kState), "Connected to 127.0.0.1:8000");
  driver.receive("T,05F5E100,D,1,\r\n");
  driver.advance(100);
  EXPECT_EQ(driver.text(kState), "Logged in through the relay 127.0.0.1:8000");
  driver.click("简体中文单选框");
  driver.advance(100);
  EXPECT_EQ(driver.text(kState), "已通过中继服务器登录 127.0.0.1:8000");
  driver.peerClose();
  driver.advance(100);
  EXPECT_EQ(driver.text(kState), "与 127.0.0.1:8000 的连接已断开");
  EXPECT_EQ(driver.text(kFailure), "远程连接被断开！");
  driver.click("英文单选框");
  driver.advance(100);
  EXPECT_EQ(driver.text(kFailure), "Remote connection disconnected!");
  driver.click("通信按钮");
  driver.click("通信按钮");
  driver.advance(100);
  EXPECT_EQ(driver.text(kState), "Idle");
}

TEST_P(LinkStatus, TimeSinceTheLastLineAndDamagedLinesPerMinute) {
  startRelay();
  driver.click("Debug按钮");
  driver.click("通信按钮");
  driver.advance(100);
  EXPECT_EQ(driver.text(kReceive), "No line received yet");
  driver.receive("T,05F5E100,S2,\r\n");
  driver.advance(3000);
  EXPECT_EQ(driver.text(kReceive), "Last line 2 s ago");
  driver.receive("garbage\r\nT,05F5,7,09A1\r\nT,05F5E100,7,09A10003,C12,\r\n");
  driver.advance(1000);
  EXPECT_EQ(driver.text(kReceive), "Last line 0 s ago, damaged lines: 3/min");
  driver.advance(59000);
  EXPECT_NE(driver.text("debug:接收数据编辑框").find("Damaged lines in the last minute: 3"),
            std::string::npos);
  driver.advance(1000);
  EXPECT_EQ(driver.text(kReceive).find("damaged"), std::string::npos) << "a minute later";
}

INSTANTIATE_TEST_SUITE_P(Backends, LinkStatus, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
