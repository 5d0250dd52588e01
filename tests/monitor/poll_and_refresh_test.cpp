#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backends.h"
#include "testing/driver.h"

namespace bms::testing {
namespace {

using Lines = std::vector<std::string>;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kCyan{0, 255, 255};
constexpr Rgb kSilver{192, 192, 192};
constexpr Rgb kYellow{255, 255, 0};

std::string Frame(const std::string& id, const std::string& data1 = "FFFFFFFF") {
  return "T,05F5E100,7," + id + "," + data1 + ",FFFFFFFF,\r\n";
}

class PollAndRefresh : public ::testing::TestWithParam<Backend> {
 protected:
  void connect() { StartConnected(driver); }

  Driver driver{GetParam()};
};

TEST_P(PollAndRefresh, CellDetailsArePolledOnlyOnTheRunMonitoringPage) {
  connect();
  driver.receive(Frame("09A10101", "03FFFFFF"));
  ASSERT_TRUE(driver.click("读取单体信息选择框"));
  driver.advance(300);
  EXPECT_EQ(driver.sent(), Lines{"T,05F5E100,6,09A01001,FFFFFFFF,FFFFFFFF,\r\n"});
  EXPECT_EQ(driver.interval("通信控制定时器"), 1000);
  driver.select("总选择夹", 2);
  driver.advance(1000);
  EXPECT_EQ(driver.sent(), Lines{"T,05F5E100,5,\r\n"});
  EXPECT_EQ(driver.interval("通信控制定时器"), 1000);  // never logged in: stays fast
}

TEST_P(PollAndRefresh, TheTxCounterCountsTicksWithSendsNotLines) {
  connect();
  for (int i = 0; i < 10; ++i) driver.receive("T,05F5E100,1,\r\n");
  EXPECT_EQ(driver.sent().size(), 10u);
  driver.advance(100);
  EXPECT_EQ(driver.text("发送计数标签"), "1");
  EXPECT_EQ(driver.background("TX标签"), kRed);
  driver.advance(100);
  EXPECT_EQ(driver.background("TX标签"), kWhite);
  driver.advance(100);
  EXPECT_EQ(driver.background("TX标签"), kRed);
  EXPECT_EQ(driver.text("发送计数标签"), "1");
}

TEST_P(PollAndRefresh, RxBlinksOncePerTickWithLines) {
  connect();
  driver.advance(50);
  driver.receive(Frame("09A1FFFF") + Frame("09A1FFFF"));
  driver.advance(50);
  EXPECT_EQ(driver.background("RX标签"), kWhite);
  driver.advance(100);
  EXPECT_EQ(driver.background("RX标签"), kGreen);
  EXPECT_EQ(driver.text("接收计数标签"), "2");
}

TEST_P(PollAndRefresh, AFullRunMonitorSetFlashesTheRunInfoLamp) {
  connect();
  for (int i = 0; i < 5; ++i) driver.receive(Frame("09A10003"));
  driver.advance(100);
  EXPECT_NE(driver.fill("运行信息指示灯"), kCyan);
  for (const char* id : {"09A10005", "09A10002", "09A10004", "09A10001"}) driver.receive(Frame(id));
  driver.advance(100);
  EXPECT_EQ(driver.fill("运行信息指示灯"), kCyan);
  driver.advance(100);
  EXPECT_EQ(driver.fill("运行信息指示灯"), kSilver);
}

TEST_P(PollAndRefresh, CellDetailFramesOfThePlannedBicLightTheirNumbers) {
  connect();
  driver.receive(Frame("09A10101", "02FFFFFF"));
  driver.click("读取单体信息选择框");
  driver.receive(Frame("09A11702") + Frame("09A11801"));  // another BIC; an unknown kind
  driver.advance(100);
  EXPECT_NE(driver.background("温度编号标签5"), kCyan);
  driver.receive(Frame("09A11201") + Frame("09A11701"));
  driver.advance(100);
  for (const char* label : {"电压编号标签1", "电压编号标签4", "温度编号标签5", "温度编号标签8"}) {
    EXPECT_EQ(driver.background(label), kCyan) << label;
  }
  EXPECT_EQ(driver.background("电压编号标签5"), (Rgb{128, 224, 0}));
  driver.advance(100);
  EXPECT_EQ(driver.background("电压编号标签1"), (Rgb{128, 224, 0}));
  EXPECT_EQ(driver.background("温度编号标签8"), (Rgb{216, 216, 0}));
}

TEST_P(PollAndRefresh, OneErrorShowsErrSixTicksBeepsOnceAndClosesThePromptLaterALaterOneAgain) {
  driver.start();
  driver.failNextOpen();
  driver.click("通信按钮");
  driver.failNextOpen();
  driver.click("通信按钮");  // a second error in the same tick
  driver.advance(100);
  EXPECT_EQ(driver.text("错误指示灯标签"), "ERR");
  EXPECT_EQ(driver.background("错误指示灯标签"), kRed);
  EXPECT_TRUE(driver.isOpen("error"));
  EXPECT_EQ(driver.rect("error"), (Rect{372, 180, 380, 200}));
  EXPECT_EQ(driver.title("error"), "An error has occurred");
  EXPECT_EQ(driver.text("error:关闭错误提示窗口的按钮"), "Close prompt");
  driver.advance(400);
  EXPECT_EQ(driver.text("错误指示灯标签"), "ERR");
  driver.advance(100);
  EXPECT_EQ(driver.text("错误指示灯标签"), "");
  EXPECT_EQ(driver.background("错误指示灯标签"), kSilver);
  driver.advance(2800);
  EXPECT_TRUE(driver.isOpen("error"));
  driver.advance(100);
  EXPECT_FALSE(driver.isOpen("error"));
  EXPECT_EQ(driver.beeps(), 1);
  // A later error starts over with a new beep.
  driver.click("简体中文单选框");
  driver.failNextOpen();
  driver.click("通信按钮");
  driver.advance(100);
  EXPECT_EQ(driver.beeps(), 2);
  EXPECT_EQ(driver.text("错误指示灯标签"), "ERR");
  // Closing the prompt while the error is held opens it again, without a beep.
  EXPECT_EQ(driver.title("error"), "出现了错误");
  ASSERT_TRUE(driver.click("error:关闭错误提示窗口的按钮"));
  EXPECT_FALSE(driver.isOpen("error"));
  driver.advance(100);
  EXPECT_TRUE(driver.isOpen("error"));
  EXPECT_EQ(driver.beeps(), 2);
}

TEST_P(PollAndRefresh, TheSettingsHintAlternatesAndTheDebugWindowSitsUnderTheMainWindow) {
  driver.start();
  driver.advance(500);
  const Rgb first = driver.background("设置提示信息标签");
  EXPECT_TRUE(first == kRed || first == kYellow);
  driver.advance(500);
  EXPECT_EQ(driver.background("设置提示信息标签"), first == kRed ? kYellow : kRed);
  EXPECT_EQ(driver.fill("BIC通信故障指示灯"), kWhite);
  driver.moveWindow("main", 80, 200);
  ASSERT_TRUE(driver.click("Debug按钮"));
  EXPECT_EQ(driver.rect("main").top, 0);
  EXPECT_EQ(driver.rect("debug").left, 80);
  EXPECT_EQ(driver.rect("debug").top, 560);
  driver.moveWindow("debug", 300, 700);
  driver.click("Debug按钮");
  EXPECT_EQ(driver.rect("debug"), (Rect{300, 560, 1024, 500}));
  driver.click("debug:窗口最高按钮");
  EXPECT_EQ(driver.rect("debug").height, 980);
  EXPECT_EQ(driver.rect("debug").top, 0);
  // Closing the main window closes the others and stops the timers.
  driver.closeMainWindow();
  EXPECT_FALSE(driver.isOpen("debug"));
  driver.advance(5000);
  EXPECT_EQ(driver.interval("系统状态刷新定时器"), 0);
}

TEST_P(PollAndRefresh, AReopenedDebugWindowShowsOnlyWhatCameAfter) {
  connect();
  driver.click("Debug按钮");
  driver.receive(Frame("09A1FFFF"));
  driver.closeWindow("debug");
  driver.click("Debug按钮");
  driver.receive(Frame("09A1EEEE"));
  EXPECT_EQ(driver.text("debug:接收数据编辑框"), "1: T,05F5E100,7,09A1EEEE,FFFFFFFF,FFFFFFFF,\r\n");
}

TEST_P(PollAndRefresh, DebugPanesNumberPauseAndClear) {
  connect();
  driver.click("Debug按钮");
  driver.receive(Frame("09A1FFFF"));
  driver.advance(300);
  EXPECT_EQ(driver.text("debug:接收数据编辑框"), "0: T,05F5E100,7,09A1FFFF,FFFFFFFF,FFFFFFFF,\r\n");
  EXPECT_EQ(driver.text("debug:发送数据编辑框"), "0: T,05F5E100,6,09A00100,FFFFFFFF,FFFFFFFF,\r\n");
  driver.click("debug:通信协议暂停显示按钮");
  EXPECT_EQ(driver.text("debug:通信协议暂停显示按钮"), "Continue display");
  driver.receive(Frame("09A1FFFF"));
  driver.click("debug:通信协议暂停显示按钮");
  driver.click("debug:清除发送显示区按钮");
  EXPECT_EQ(driver.text("debug:发送数据编辑框"), "");
  EXPECT_EQ(driver.text("debug:接收数据编辑框"), "0: T,05F5E100,7,09A1FFFF,FFFFFFFF,FFFFFFFF,\r\n");
  driver.click("debug:清除接收和发送显示区按钮");
  EXPECT_EQ(driver.text("debug:接收数据编辑框"), "");
  EXPECT_EQ(driver.text("接收计数标签"), "2");
  driver.click("清零接收计数按钮");
  EXPECT_EQ(driver.text("接收计数标签"), "0");
  driver.click("清零发送计数按钮");
  EXPECT_EQ(driver.text("发送计数标签"), "0");
  driver.advance(1000);
  EXPECT_EQ(driver.text("发送计数标签"), "1");
}

INSTANTIATE_TEST_SUITE_P(Backends, PollAndRefresh, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
