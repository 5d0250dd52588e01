#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "backends.h"
#include "testing/driver.h"

namespace bms::testing {
namespace {

using Lines = std::vector<std::string>;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr const char* kLog = "debug:接收数据编辑框";
constexpr const char* kFailure = "最后错误信息标签";

const char* const kSettings[] = {"串口通信单选框", "串口号选择框",     "网络通信单选框",
                                 "网络模式选择框", "服务器地址编辑框", "服务器端口编辑框",
                                 "BMC编号编辑框",  "远程密码编辑框"};

// Network mode 0 is the relay, 1 direct.
std::string Network(int mode, const std::string& bmc = "100000000") {
  return "127.0.0.1,8000,572906," + bmc + ",0,0," + std::to_string(mode) + ",1,";
}

// Starts with the given settings file, or with none.
void Start(Driver& driver, const std::string& settings) {
  if (!settings.empty()) driver.writeFile("bms_user.txt", settings);
  driver.start();
}

bool Logged(Driver& driver, const std::string& text) {
  return driver.text(kLog).find(text) != std::string::npos;
}

class Link : public ::testing::TestWithParam<Backend> {
 protected:
  Driver driver{GetParam()};
};

TEST_P(Link, SerialOpeningLightsTheLampAndStartsPolling) {
  driver.start();
  driver.select("串口号选择框", 3);
  ASSERT_TRUE(driver.click("通信按钮"));
  EXPECT_EQ(driver.link(), "serial COM3 9600 8N2");
  EXPECT_EQ(driver.fill("串口状态显示"), kGreen);
  EXPECT_EQ(driver.fill("网络状态显示"), kBlack);
  EXPECT_EQ(driver.text("通信按钮"), "Stop");
  for (const char* name : kSettings) EXPECT_FALSE(driver.enabled(name)) << name;
  EXPECT_EQ(driver.interval("通信控制定时器"), 300);
  EXPECT_EQ(driver.interval("升级查询控制定时器"), 1000);
  EXPECT_EQ(driver.readFile("bms_user.txt"), ",0,0,0,0,3,0,0,");

  driver.advance(299);
  EXPECT_EQ(driver.sent(), Lines{});
  driver.advance(1);
  EXPECT_EQ(driver.sent(), Lines{"T,00000000,6,09A00100,FFFFFFFF,FFFFFFFF,\r\n"});
  EXPECT_EQ(driver.interval("通信控制定时器"), 1000);
  // Serial lines end at a line feed.
  driver.receive("T,05F5E100,7,09A10101,05FFFFFF,FFFFFFFF,\r\n\n");
  EXPECT_EQ(driver.text("接收计数标签"), "2");
  EXPECT_EQ(driver.text("监视界面的安装BIC数量显示标签"), "5");
  // The button follows the language while connected.
  driver.click("简体中文单选框");
  EXPECT_EQ(driver.text("通信按钮"), "停止");
  driver.click("英文单选框");
  EXPECT_EQ(driver.text("通信按钮"), "Stop");

  ASSERT_TRUE(driver.click("通信按钮"));
  EXPECT_EQ(driver.link(), "");
  EXPECT_EQ(driver.fill("串口状态显示"), kBlack);
  EXPECT_EQ(driver.text("通信按钮"), "Start");
  EXPECT_EQ(driver.interval("通信控制定时器"), 0);
  for (const char* name : kSettings) EXPECT_TRUE(driver.enabled(name)) << name;
}

TEST_P(Link, AFailedOpeningRaisesTheErrorAndWritesNoSettingsAFailedSaveIsReported) {
  driver.start();
  driver.failNextOpen();
  driver.click("通信按钮");
  EXPECT_EQ(driver.link(), "");
  EXPECT_EQ(driver.text("通信按钮"), "Start");
  EXPECT_EQ(driver.fill("串口状态显示"), kBlack);
  EXPECT_EQ(driver.readFile("bms_user.txt"), std::nullopt);
  driver.advance(100);
  EXPECT_EQ(driver.text("错误指示灯标签"), "ERR");
  EXPECT_EQ(driver.text(kFailure),
            "Failed to open serial port, please check if it is occupied or exists!");
  EXPECT_EQ(driver.beeps(), 1);
  EXPECT_TRUE(driver.isOpen("error"));
  // The next opening works again and the empty port item opens COM1, though the settings
  // cannot be saved: the temporary file's place is taken by a folder, even for root.
  driver.advance(1000);
  std::filesystem::create_directory(driver.programDir() / "bms_user.txt.tmp");
  driver.click("Debug按钮");
  driver.select("串口号选择框", 0);
  driver.click("通信按钮");
  EXPECT_EQ(driver.link(), "serial COM1 9600 8N2");
  EXPECT_TRUE(Logged(driver, "Failed to save the settings file!"));
  driver.advance(100);
  EXPECT_EQ(driver.beeps(), 2);
}

TEST_P(Link, NetworkNeedsANineDigitBmcNumberSerialDoesNot) {
  for (const std::string bmc : {"99999999", "1000000000", " 100000000", "-100000000", "1e8", ""}) {
    Driver fresh(GetParam());
    Start(fresh, "127.0.0.1,8000,1," + bmc + ",1,0,0,1,");
    fresh.click("通信按钮");
    EXPECT_EQ(fresh.link(), "") << bmc;
    ASSERT_EQ(fresh.messageBoxes().size(), 1u) << bmc;
    EXPECT_EQ(fresh.messageBoxes()[0].text, "请输入正确的BMC编号！");
    EXPECT_EQ(fresh.messageBoxes()[0].title, "错误信息");
    EXPECT_TRUE(fresh.enabled("BMC编号编辑框"));
  }
  Start(driver, Network(1, "99999999"));
  driver.click("通信按钮");
  ASSERT_EQ(driver.messageBoxes().size(), 1u);
  EXPECT_EQ(driver.messageBoxes()[0].text, "Please enter the correct BMC number!");
  EXPECT_EQ(driver.messageBoxes()[0].title, "Error message");
  driver.advance(100);
  EXPECT_EQ(driver.text(kFailure), "Please enter the correct BMC number!");

  Driver serial(GetParam());
  Start(serial, ",0,1,99999999,0,2,0,0,");
  serial.click("通信按钮");
  EXPECT_EQ(serial.link(), "serial COM2 9600 8N2");
  EXPECT_EQ(serial.messageBoxes().size(), 0u);
}

TEST_P(Link, DirectModeSendsPlainLinesAndAnswersPingsWithTheReceivedBmcField) {
  Start(driver, Network(1, "0100000000"));
  driver.click("通信按钮");
  EXPECT_EQ(driver.text("BMC编号编辑框"), "100000000");
  EXPECT_EQ(driver.link(), "tcp 127.0.0.1:8000");
  EXPECT_EQ(driver.fill("网络状态显示"), kGreen);
  driver.advance(300);
  EXPECT_EQ(driver.sent(), Lines{"T,05F5E100,6,09A00100,FFFFFFFF,FFFFFFFF,\r\n"});
  driver.receive("T,0BEBC200,1,\r\n");
  EXPECT_EQ(driver.sent(), Lines{"T,0BEBC200,2,1,\r\n"});
  EXPECT_EQ(driver.text("BMC编号编辑框"), "200000000");
}

TEST_P(Link, RelayModePingsUntilAnsweredThenSlowsDownAfterLogin) {
  Start(driver, Network(0));
  driver.click("通信按钮");
  driver.advance(300);
  EXPECT_EQ(driver.sent(),
            (Lines{"T,05F5E100,S1,\r\n", "T,05F5E100,S6,09A00100,FFFFFFFF,FFFFFFFF,\r\n"}));
  driver.advance(1000);
  EXPECT_EQ(driver.sent().size(), 2u);
  driver.receive("T,05F5E100,S2,\r\n");
  driver.receive("T,05F5E100,B,\r\n");
  EXPECT_EQ(driver.sent(), Lines{"T,05F5E100,SC,06353732,39303630,30303030,\r\n"});
  driver.receive("T,05F5E100,D,1,\r\n");
  driver.receive("T,05F5E100,7,09A10101,03FFFFFF,FFFFFFFF,\r\n");
  driver.advance(1000);
  EXPECT_EQ(driver.sent(), Lines{"T,05F5E100,S5,\r\n"});
  EXPECT_EQ(driver.interval("通信控制定时器"), 3000);
  EXPECT_EQ(driver.text("监视界面的安装BIC数量显示标签"), "3");
  EXPECT_TRUE(driver.enabled("读取单体信息选择框"));
  driver.receive("T,05F5E100,1,\r\n");
  EXPECT_EQ(driver.sent(), Lines{"T,05F5E100,S2,1,\r\n"});
}

TEST_P(Link, OnlyARefusedLoginClosesTheLink) {
  Start(driver, Network(0));
  driver.click("Debug按钮");
  driver.click("通信按钮");
  driver.receive("T,05F5E100,D,2,\r\nT,05F5E100,D\r\n");  // other results change nothing
  EXPECT_EQ(driver.link(), "tcp 127.0.0.1:8000");
  driver.advance(100);
  EXPECT_EQ(driver.beeps(), 0);
  driver.receive("T,05F5E100,D,0,\r\n");
  EXPECT_EQ(driver.link(), "");
  EXPECT_EQ(driver.text("通信按钮"), "Start");
  EXPECT_TRUE(Logged(driver, "Password error!"));
  driver.advance(100);
  EXPECT_EQ(driver.text("错误指示灯标签"), "ERR");
  EXPECT_EQ(driver.text(kFailure), "Password error!");
}

TEST_P(Link, ALostConnectionOrAnUnpluggedAdapterReturnsToIdle) {
  struct Case {
    std::string settings;
    const char* lamp;
    const char* logged;
  };
  for (const auto& c : {Case{Network(1), "网络状态显示", "Remote connection disconnected!\r\n"},
                        Case{"", "串口状态显示", "The serial port was lost"}}) {
    Driver fresh(GetParam());
    Start(fresh, c.settings);
    fresh.click("Debug按钮");
    fresh.click("通信按钮");
    if (c.settings.empty()) {
      fresh.unplugSerial();
    } else {
      fresh.peerClose();
    }
    EXPECT_EQ(fresh.link(), "") << c.lamp;
    EXPECT_EQ(fresh.fill(c.lamp), kBlack) << c.lamp;
    EXPECT_EQ(fresh.text("通信按钮"), "Start") << c.lamp;
    EXPECT_EQ(fresh.interval("通信控制定时器"), 0) << c.lamp;
    EXPECT_TRUE(fresh.enabled("BMC编号编辑框")) << c.lamp;
    EXPECT_TRUE(Logged(fresh, c.logged)) << c.lamp;
    fresh.advance(100);
    EXPECT_EQ(fresh.beeps(), 1) << c.lamp;
  }
}

TEST_P(Link, ReceivedBytesAreCutIntoLinesAndGarbageNeverStopsTheTool) {
  Start(driver, Network(1));
  driver.click("通信按钮");
  driver.receive("T,05F5E100,7,09A10101,02FFFFFF,FFFFFFFF,\r\nT,05F5");
  EXPECT_EQ(driver.text("接收计数标签"), "1");
  EXPECT_EQ(driver.text("监视界面的安装BIC数量显示标签"), "2");
  driver.receive("E100,7,09A10101,04FFFFFF,FFFFFFFF,\r\nT,0,5,\r\n");
  EXPECT_EQ(driver.text("接收计数标签"), "3");
  EXPECT_EQ(driver.text("监视界面的安装BIC数量显示标签"), "4");
  EXPECT_EQ(driver.text("BMC编号编辑框"), "100000000") << "a damaged BMC field names no BMC";

  std::string garbage(3 * 1024 * 1024, '\0');
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 7919 % 251);
  driver.receive(garbage);
  driver.receive(std::string(2 * 1024 * 1024, 'x'));                   // a line that never ends
  driver.receive("\r\nT,05f5e100,7,09a10101,07FFFFFF,FFFFFFFF,\r\n");  // lower-case ID
  driver.receive("T,05F5E100,7,09A101");                               // cut line
  driver.receive("\r\nT,05F5E100,7,09A10101,06FFFFFF,FFFFFFFF,\r\n");
  EXPECT_EQ(driver.text("监视界面的安装BIC数量显示标签"), "6");
  EXPECT_EQ(driver.link(), "tcp 127.0.0.1:8000");
}

INSTANTIATE_TEST_SUITE_P(Backends, Link, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
