#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "backends.h"
#include "testing/driver.h"

// What closing and reopening the link leaves behind: nothing of the last connection may
// reopen it, corrupt the next one, or stay on screen as if it were still live.
namespace bms::testing {
namespace {

constexpr const char* kRelay = "127.0.0.1,8000,572906,100000000,0,0,0,1,";

void Start(Driver& driver, const std::string& settings) {
  driver.writeFile("bms_user.txt", settings);
  driver.start();
}

bool Logged(Driver& driver, const std::string& text) {
  return driver.text("debug:接收数据编辑框").find(text) != std::string::npos;
}

class LinkReset : public ::testing::TestWithParam<Backend> {
 protected:
  Driver driver{GetParam()};
};

TEST_P(LinkReset, LinesThatCloseTheLinkNeverReopenIt) {
  for (const std::string answer : {"D,0", "F,1"}) {
    Driver fresh(GetParam());
    Start(fresh, kRelay);
    fresh.click("通信按钮");
    // A slow relay answers two pings at once.
    const std::string line = "T,05F5E100," + answer + ",\r\n";
    fresh.receive(line + line);
    EXPECT_EQ(fresh.link(), "") << answer;
    EXPECT_EQ(fresh.text("通信按钮"), "Start") << answer;
    EXPECT_EQ(fresh.interval("通信控制定时器"), 0) << answer;
  }
}

TEST_P(LinkReset, ACutLineIsNotGluedToTheNextConnection) {
  using C = std::tuple<const char*, bool, std::function<void(Driver&)>>;  // serial?, end
  for (const auto& [how, serial, end] :
       {C{"tcp stop", false, [](Driver& d) { d.click("通信按钮"); }},
        C{"tcp lost", false, [](Driver& d) { d.peerClose(); }},
        C{"serial stop", true, [](Driver& d) { d.click("通信按钮"); }}}) {
    Driver fresh(GetParam());
    Start(fresh, std::string("127.0.0.1,8000,572906,100000000,0,0,1,") + (serial ? "0," : "1,"));
    fresh.click("通信按钮");
    fresh.receive(serial ? "T,05F5" : "T,05F5E100,7,09A1");
    end(fresh);
    fresh.click("通信按钮");
    fresh.receive("T,05F5E100,7,09A10101,03FFFFFF,FFFFFFFF,\r\n");
    EXPECT_EQ(fresh.text("BMC编号编辑框"), "100000000") << how;
    EXPECT_EQ(fresh.text("监视界面的安装BIC数量显示标签"), "3") << how;
  }
}

TEST_P(LinkReset, AStoredPasswordTooLongIsKeptWholeAndNeverSent) {
  Start(driver, "127.0.0.1,8000,123456789012345,100000000,0,0,0,1,");
  EXPECT_EQ(driver.text("远程密码编辑框"), "123456789012345");
  driver.click("Debug按钮");
  driver.click("通信按钮");
  driver.sent();
  driver.receive("T,05F5E100,B,\r\n");
  EXPECT_EQ(driver.sent(), std::vector<std::string>{});
  EXPECT_TRUE(Logged(driver, "The password is too long"));
  driver.advance(100);
  EXPECT_EQ(driver.text("错误指示灯标签"), "ERR");
  EXPECT_EQ(driver.readFile("bms_user.txt"), "127.0.0.1,8000,123456789012345,100000000,0,0,0,1,");
}

TEST_P(LinkReset, ACommaInAFreeTextSettingRefusesToConnect) {
  constexpr auto kEnglish = "The server address and the password must not contain a comma!";
  using C = std::tuple<const char*, const char*, std::string, const char*>;
  for (const auto& [box, text, settings, message] :
       {C{"服务器地址编辑框", "relay,example", "h,8000,572906,100000000,0,0,1,1,", kEnglish},
        C{"远程密码编辑框", "ab,cd", "h,8000,572906,100000000,1,0,0,1,",
          "服务器地址和密码不能包含逗号！"},
        C{"远程密码编辑框", "ab,cd", "h,8000,572906,100000000,0,3,0,0,", kEnglish}}) {
    Driver fresh(GetParam());
    Start(fresh, settings);
    fresh.setText(box, text);
    fresh.click("Debug按钮");
    fresh.click("通信按钮");
    EXPECT_EQ(fresh.link(), "") << text;
    EXPECT_EQ(fresh.readFile("bms_user.txt"), settings) << "the file is left as it was";
    EXPECT_TRUE(Logged(fresh, message)) << text;
    fresh.advance(100);
    EXPECT_EQ(fresh.text("错误指示灯标签"), "ERR") << text;
  }
}

TEST_P(LinkReset, StopReturnsEveryRunValueToItsIdleText) {
  Start(driver, kRelay);
  driver.click("通信按钮");
  driver.receive(
      "T,05F5E100,7,09A10001,42480000,42580000,\r\n"
      "T,05F5E100,7,09A10002,42480000,42580000,\r\n"
      "T,05F5E100,7,09A10004,83E80CF0,0CE4FB19,\r\n"
      "T,05F5E100,7,09A10005,00000000,00C02D00,\r\n");
  ASSERT_EQ(driver.text("分压继电器指示灯"), "ON");
  driver.click("通信按钮");
  using C = std::pair<const char*, const char*>;
  for (const auto& [label, idle] :
       {C{"分压继电器指示灯", "OFF"}, C{"充放电预计时间标签", "预计时间"},
        C{"最大充电功率标签", "*"}, C{"最大放电功率标签", "*"}, C{"充电控制标签", "*"},
        C{"最高单体电压标签", "*"}}) {
    EXPECT_EQ(driver.text(label), idle) << label;
  }
  EXPECT_EQ(driver.background("分压继电器指示灯"), (Rgb{0, 0, 0}));
  EXPECT_EQ(driver.textColor("分压继电器指示灯"), (Rgb{255, 255, 255}));
}

INSTANTIATE_TEST_SUITE_P(Backends, LinkReset, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
