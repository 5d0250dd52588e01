// What the application shows as it starts, from the settings file or without one, and
// as it closes; on both backends.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "backends.h"
#include "testing/driver.h"

namespace bms::testing {
namespace {

using Texts = std::vector<std::string>;

class Startup : public ::testing::TestWithParam<Backend> {
 protected:
  // The texts of the controls, in order.
  Texts texts(std::initializer_list<const char*> controls) {
    Texts shown;
    for (const char* control : controls) shown.push_back(driver.text(control));
    return shown;
  }

  Driver driver{GetParam()};
};

TEST_P(Startup, FirstStartWithoutSettingsFile) {
  driver.start();
  EXPECT_TRUE(driver.checked("英文单选框"));
  EXPECT_FALSE(driver.checked("简体中文单选框"));
  EXPECT_EQ(texts({"服务器地址编辑框", "服务器端口编辑框", "BMC编号编辑框", "远程密码编辑框",
                   "通信按钮", "关于本软件说明信息编辑框"}),
            (Texts{"", "0", "0", "0", "Start",
                   "ARVENT 系列产品  Example Energy Systems\r\nhttps://support.example.com\r\n"
                   "Tel/Wechat:+86 000 0000 0000\r\nEmail:support@example.com"}));
  EXPECT_EQ(driver.index("串口号选择框"), 0);
  EXPECT_EQ(driver.index("网络模式选择框"), 0);
  EXPECT_TRUE(driver.checked("串口通信单选框"));
  EXPECT_FALSE(driver.checked("网络通信单选框"));
  EXPECT_EQ(driver.items("总选择夹"), (Texts{"Run Monitoring", "Data Query",
                                             "Parameter Calibration", "About this software"}));
  EXPECT_EQ(driver.title(),
            "Battery management system debugging software - For ARVENT series parts - technical "
            "support: https://support.example.com");
  for (const auto& [timer, interval] : {std::pair{"系统状态刷新定时器", 100},
                                        {"警告标签闪烁控制定时器", 500},
                                        {"升级查询控制定时器", 0},
                                        {"通信控制定时器", 0}}) {
    EXPECT_EQ(driver.interval(timer), interval) << timer;
  }
  EXPECT_EQ(driver.rect("main"), (Rect{50, 0, 1024, 560}));
  for (const char* name : {"上一个BIC按钮", "下一个BIC按钮", "读取单体信息选择框"}) {
    EXPECT_FALSE(driver.enabled(name)) << name;
  }
  EXPECT_FALSE(driver.checked("读取单体信息选择框"));
  for (const char* name :
       {"串口通信单选框", "串口号选择框", "网络通信单选框", "网络模式选择框", "服务器地址编辑框",
        "服务器端口编辑框", "BMC编号编辑框", "远程密码编辑框"}) {
    EXPECT_TRUE(driver.enabled(name)) << name;
  }
  EXPECT_FALSE(driver.visible("指定BIC地址标题标签"));
  EXPECT_FALSE(driver.visible("指定BIC地址编辑框"));
  EXPECT_EQ(driver.messageBoxes().size(), 0u);
  EXPECT_EQ(driver.beeps(), 0);
}

// The settings file fills the connection panel, and the status bar starts idle in the
// language it chose.
TEST_P(Startup, SettingsFileFillsTheConnectionPanel) {
  driver.writeFile("bms_user.txt", "relay.example.net,8000,572906,100000000,1,3,1,1,");
  driver.start();
  EXPECT_EQ(texts({"服务器地址编辑框", "服务器端口编辑框", "远程密码编辑框", "BMC编号编辑框",
                   "串口号选择框", "网络模式选择框", "通信按钮", "链路状态标签", "最后接收时间标签",
                   "最后错误信息标签"}),
            (Texts{"relay.example.net", "8000", "572906", "100000000", "COM3", "Direct network",
                   "开始", "空闲", "", ""}));
  EXPECT_TRUE(driver.checked("简体中文单选框"));
  EXPECT_TRUE(driver.checked("网络通信单选框"));
  EXPECT_FALSE(driver.checked("串口通信单选框"));
  EXPECT_EQ(driver.items("总选择夹")[0], "运行监视");
  for (const char* label : {"链路状态标签", "最后接收时间标签", "最后错误信息标签"}) {
    EXPECT_TRUE(driver.visible(label)) << label;
  }
  driver.click("英文单选框");
  EXPECT_EQ(driver.text("链路状态标签"), "Idle");
  driver.click("简体中文单选框");
  EXPECT_EQ(driver.text("链路状态标签"), "空闲");
}

TEST_P(Startup, OnlyALanguageFieldOfZeroMeansEnglish) {
  for (const auto& [field, english] : std::vector<std::pair<std::string, bool>>{
           {"0", true}, {"1", false}, {"x", false}, {"", false}, {"00", false}}) {
    Driver fresh(GetParam());
    fresh.writeFile("bms_user.txt", "a,1,p,100000000," + field + ",0,0,0,");
    fresh.start();
    EXPECT_EQ(fresh.checked("英文单选框"), english) << field;
    EXPECT_EQ(fresh.text("通信按钮"), english ? "Start" : "开始") << field;
  }
}

TEST_P(Startup, DamagedSettingsFilesNeverFail) {
  struct Case {
    std::string bytes;
    int port;
    int mode;
  };
  for (const auto& c : std::vector<Case>{
           {"", 0, 0},
           {"only-an-address", 0, 0},
           {"a,1,p,1,0,abc,xyz,0,", 0, 0},
           {"a,1,p,1,0,33,2,0,", 0, 0},
           {"a,1,p,1,0,-1,-1,0,", 0, 0},
           {"a,1,p,1,0,99999999999999999999999,1,0,", 0, 1},
           {"a,1,p,1,0,32,1,0,", 32, 1},
           {std::string("\0\xff\xfe,\x01,\x80,\0,0,5,1,1,", 18), 5, 1},
           {std::string(300000, '7'), 0, 0},
       }) {
    Driver fresh(GetParam());
    fresh.writeFile("bms_user.txt", c.bytes);
    fresh.start();
    EXPECT_EQ(fresh.index("串口号选择框"), c.port) << c.bytes.substr(0, 40);
    EXPECT_EQ(fresh.index("网络模式选择框"), c.mode) << c.bytes.substr(0, 40);
  }
}

TEST_P(Startup, FactoryMarkerShowsTheFactoryButtons) {
  for (const auto& [marker, shown] : std::vector<std::pair<std::optional<std::string>, bool>>{
           {std::nullopt, false}, {"", false}, {"F", true}, {"ABC\r\n", true}}) {
    Driver fresh(GetParam());
    if (marker) fresh.writeFile("BMS_Factory.txt", *marker);
    fresh.start();
    EXPECT_EQ(fresh.visible("打开出厂标定功能按钮"), shown);
    EXPECT_EQ(fresh.visible("BIC校准按钮"), shown);
  }
}

TEST_P(Startup, LanguageSwitchRewritesEveryCaptionThenTheMainWindowCloses) {
  driver.start();
  driver.click("简体中文单选框");
  EXPECT_EQ(driver.text("通信按钮"), "开始");
  EXPECT_EQ(driver.text("读最高极限电压按钮"), "读取");
  EXPECT_EQ(driver.items("参数标定选择夹")[8], "GB/T直流充电");
  EXPECT_TRUE(driver.title().starts_with("电池管理系统调试软件"));
  driver.click("英文单选框");
  EXPECT_EQ(driver.text("读最高极限电压按钮"), "Read");
  EXPECT_EQ(driver.items("参数标定选择夹")[8], "GB/T DC Charge");
  // No newer release is known, so the new-version label stays as it was.
  EXPECT_EQ(driver.text("新版提示"), "");

  driver.closeMainWindow();
  EXPECT_FALSE(driver.isOpen("main"));
  EXPECT_FALSE(driver.exists("通信按钮"));
  EXPECT_THROW(driver.text("通信按钮"), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(Backends, Startup, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
