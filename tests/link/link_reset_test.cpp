#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "backends.h"
#include "testing/driver.h"

// What closing and reopening the link leaves behind: nothing of the last connection may
// reopen it, corrupt the next one, or stay on screen as if it were still live.
namespace bms::testing {
namespace {

using Lines = std::vector<std::string>;

constexpr Rgb kBlack{0, 0, 0};

class LinkReset : public ::testing::TestWithParam<Backend> {
 protected:
  void startRelay(const std::string& password = "572906") {
    driver.writeFile("bms_user.txt", "127.0.0.1,8000," + password + ",100000000,0,0,0,1,");
    driver.start();
  }

  Driver driver{GetParam()};
};

TEST_P(LinkReset, LinesThatCloseTheLinkNeverReopenIt) {
  for (const std::string answer : {"D,0", "F,1"}) {
    Driver fresh(GetParam());
    fresh.writeFile("bms_user.txt", "127.0.0.1,8000,572906,100000000,0,0,0,1,");
    fresh.start();
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
  struct Case {
    const char* how;
    bool serial;
    std::function<void(Driver&)> end;
  };
  for (const auto& [how, serial, end] : {
           Case{"tcp stop", false, [](Driver& d) { d.click("通信按钮"); }},
           Case{"tcp lost", false, [](Driver& d) { d.peerClose(); }},
           Case{"serial stop", true, [](Driver& d) { d.click("通信按钮"); }},
       }) {
    Driver fresh(GetParam());
    fresh.writeFile("bms_user.txt",
                    std::string("127.0.0.1,8000,572906,100000000,0,0,1,") + (serial ? "0," : "1,"));
    fresh.start();
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
  startRelay("123456789012345");
  EXPECT_EQ(driver.text("远程密码编辑框"), "123456789012345");
  driver.click("Debug按钮");
  driver.click("通信按钮");
  driver.sent();
  driver.receive("T,05F5E100,B,\r\n");
  EXPECT_EQ(driver.sent(), Lines{});
  EXPECT_NE(driver.text("debug:接收数据编辑框").find("The password is too long"),
            std::string::npos);
  driver.advance(100);
  EXPECT_EQ(driver.text("错误指示灯标签"), "ERR");
  EXPECT_EQ(driver.readFile("bms_user.txt"), "127.0.0.1,8000,123456789012345,100000000,0,0,0,1,");
}

TEST_P(LinkReset, ACommaInAFreeTextSettingRefusesToConnect) {
  constexpr auto kEnglish = "The server address and the password must not contain a comma!";
  struct Case {
    const char* box;
    const char* text;
    std::string settings;
    const char* message;
  };
  for (const auto& [box, text, settings, message] : {
           Case{"服务器地址编辑框", "relay,example", "h,8000,572906,100000000,0,0,1,1,", kEnglish},
           Case{"远程密码编辑框", "ab,cd", "h,8000,572906,100000000,1,0,0,1,",
                "服务器地址和密码不能包含逗号！"},
           Case{"远程密码编辑框", "ab,cd", "h,8000,572906,100000000,0,3,0,0,", kEnglish},
       }) {
    Driver fresh(GetParam());
    fresh.writeFile("bms_user.txt", settings);
    fresh.start();
    fresh.setText(box, text);
    fresh.click("Debug按钮");
    fresh.click("通信按钮");
    EXPECT_EQ(fresh.link(), "") << text;
    EXPECT_EQ(fresh.readFile("bms_user.txt"), settings) << "the file is left as it was";
    EXPECT_NE(fresh.text("debug:接收数据编辑框").find(message), std::string::npos) << text;
    fresh.advance(100);
    EXPECT_EQ(fresh.text("错误指示灯标签"), "ERR") << text;
  }
}

TEST_P(LinkReset, StopReturnsEveryRunValueToItsIdleText) {
  startRelay();
  driver.click("通信按钮");
  driver.receive(
      "T,05F5E100,7,09A10001,42480000,42580000,\r\n"
      "T,05F5E100,7,09A10002,42480000,42580000,\r\n"
      "T,05F5E100,7,09A10004,83E80CF0,0CE4FB19,\r\n"
      "T,05F5E100,7,09A10005,00000000,00C02D00,\r\n");
  ASSERT_EQ(driver.text("分压继电器指示灯"), "ON");
  driver.click("通信按钮");
  for (const auto& [label, idle] :
       std::vector<std::pair<std::string, std::string>>{{"分压继电器指示灯", "OFF"},
                                                        {"充放电预计时间标签", "预计时间"},
                                                        {"最大充电功率标签", "*"},
                                                        {"最大放电功率标签", "*"},
                                                        {"充电控制标签", "*"},
                                                        {"最高单体电压标签", "*"}}) {
    EXPECT_EQ(driver.text(label), idle) << label;
  }
  EXPECT_EQ(driver.background("分压继电器指示灯"), kBlack);
  EXPECT_EQ(driver.textColor("分压继电器指示灯"), (Rgb{255, 255, 255}));
}

INSTANTIATE_TEST_SUITE_P(Backends, LinkReset, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
