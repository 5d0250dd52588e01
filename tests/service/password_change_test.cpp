#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backends.h"
#include "testing/driver.h"

// The page "访问密码": checks before anything is sent, the change line in both
// network modes, the controller's result, and a password never shown in the
// debug window.
namespace bms::testing {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kStatus = "修改密码状态标签";

// Network mode 0 is the relay, 1 a direct connection; language 1 English, 0
// Chinese.
void Connect(Driver& driver, int mode, int language = 1) {
  driver.writeFile("bms_user.txt", "127.0.0.1,8000,572906,100000000," +
                                       std::string(language == 1 ? "0" : "1") + ",0," +
                                       std::to_string(mode) + ",1,");
  driver.start();
  driver.click("Debug按钮");
  driver.click("通信按钮");
  driver.sent();
}

void Type(Driver& driver, const std::string& password, const std::string& repeated) {
  driver.setText("新密码编辑框", password);
  driver.setText("重复输入密码编辑框", repeated);
}

bool ErrorShown(Driver& driver) {
  driver.advance(100);
  return driver.text("错误指示灯标签") == "ERR";
}

class PasswordChange : public ::testing::TestWithParam<Backend> {};

TEST_P(PasswordChange, ChecksThenSendsTheChangeLine) {
  struct Case {
    int mode, language;  // mode -1: direct, but the link closed again
    std::string password, repeated;
    std::string sent;      // "": refused
    std::string messages;  // the debug window's diagnostic lines, each after "0: "
  };
  const std::string english = "0: Please input correctly!\r\n", twelve = "123456789012";
  const Case cases[] = {
      {1, 1, "abc", "abc", "E,03616263,30303030,30303030", ""},
      {0, 1, "abc", "abc", "SE,03616263,30303030,30303030", ""},
      {1, 1, "12345678901", "12345678901", "E,0B313233,34353637,38393031", ""},
      {1, 1, twelve, twelve, "", "0: The password is too long\r\n" + english},
      {1, 1, "abc", "ABC", "", english},
      {1, 1, twelve, twelve + "3", "", english},
      {1, 0, "abc", "abd", "", "0: 请正确输入！\r\n"},
      {1, 1, "", "", "", "0: Please enter a password!\r\n"},
      {1, 1, "a,b", "a,b", "", "0: The password must not contain a comma!\r\n"},
      {-1, 1, "abc", "abc", "", "0: BMS not connected!\r\n"},
      {-1, 0, "abc", "abc", "", "0: BMS未连接！\r\n"},
  };
  for (const auto& c : cases) {
    const auto name = std::to_string(c.mode) + std::to_string(c.language) + " " + c.password;
    Driver driver(GetParam());
    Connect(driver, c.mode < 0 ? 1 : c.mode, c.language);
    if (c.mode < 0) driver.click("通信按钮");
    driver.click("debug:清除接收显示区按钮");
    Type(driver, c.password, c.repeated);
    ASSERT_TRUE(driver.click("修改密码按钮")) << name;
    EXPECT_EQ(driver.sent(), c.sent.empty() ? Lines{} : Lines{"T,05F5E100," + c.sent + ",\r\n"})
        << name;
    EXPECT_EQ(driver.text(kStatus), c.sent.empty() ? "" : "Wait") << name;
    EXPECT_EQ(driver.text("debug:接收数据编辑框"), c.messages) << name;
    EXPECT_EQ(ErrorShown(driver), c.sent.empty()) << name;
  }
}

TEST_P(PasswordChange, TheResultClosesTheLinkAndKeepsTheNewPasswordForTheNextLogin) {
  struct Case {
    const char* result;
    const char* status;
    const char* button;    // after the result
    const char* password;  // in the login box
    bool error;
  };
  for (const auto& c :
       {Case{"1", "Done", "Start", "abc", false}, Case{"2", "Done", "Start", "abc", false},
        Case{"0", "Error", "Stop", "572906", true}}) {
    Driver driver(GetParam());
    Connect(driver, 0);
    Type(driver, "abc", "abc");
    driver.click("修改密码按钮");
    driver.sent();
    driver.receive("T,05F5E100,F," + std::string(c.result) + ",\r\n");
    EXPECT_EQ(driver.text(kStatus), c.status) << c.result;
    EXPECT_EQ(driver.text("通信按钮"), c.button) << c.result;
    EXPECT_EQ(driver.link().empty(), c.button == std::string("Start")) << c.result;
    EXPECT_EQ(driver.text("远程密码编辑框"), c.password) << c.result;
    EXPECT_EQ(ErrorShown(driver), c.error) << c.result;
    if (c.error) continue;
    driver.click("通信按钮");
    driver.receive("T,05F5E100,S2,\r\nT,05F5E100,B,\r\n");
    EXPECT_EQ(driver.sent(), Lines{"T,05F5E100,SC,03616263,30303030,30303030,\r\n"});
  }
}

TEST_P(PasswordChange, TheDebugWindowNeverShowsAPassword) {
  for (const std::string marker : {"S", ""}) {
    Driver driver(GetParam());
    Connect(driver, marker.empty() ? 1 : 0);
    driver.receive("T,05F5E100,B,\r\n");
    Type(driver, "abc", "abc");
    driver.click("修改密码按钮");
    EXPECT_EQ(driver.sent(), (Lines{"T,05F5E100," + marker + "C,06353732,39303630,30303030,\r\n",
                                    "T,05F5E100," + marker + "E,03616263,30303030,30303030,\r\n"}));
    const auto shown = driver.text("debug:发送数据编辑框");
    for (const std::string kind : {"C", "E"}) {
      const auto masked = "T,05F5E100," + marker + kind + ",********,********,********,\r\n";
      EXPECT_NE(shown.find(masked), std::string::npos) << shown;
    }
    EXPECT_EQ(shown.find("06353732"), std::string::npos) << shown;
    EXPECT_EQ(shown.find("03616263"), std::string::npos) << shown;
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, PasswordChange, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
