// Counters, the factory window, the password change, the DC charging page and the CAN
// debug panel against the real bmc-sim, as a user would use them.
#include <optional>
#include <string>

#include "qt/end_to_end.h"

namespace bms::qt {
namespace {

#ifdef BMC_SIM_PATH

std::optional<long long> Number(const std::string& text) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return {};
  return std::stoll(text);
}

TEST_F(EndToEnd, CountersAdvanceAndASubtotalClears) {
  const auto endpoints = startSim({"--direct", "0", "--rate", "10"});
  startApp(DirectSettings(endpoints));
  const auto read = [&](const char* button, const char* label) {
    EXPECT_TRUE(main->userClick(button));
    EXPECT_TRUE(waitFor([&] { return Number(main->text(label)).has_value(); })) << label;
    return Number(main->text(label)).value_or(-1);
  };
  const auto first = read("读本次运行时间按钮", "本次运行时间显示");
  ProcessEventsFor(1500);
  EXPECT_GT(read("读本次运行时间按钮", "本次运行时间显示"), first);

  const auto subtotal = read("读运行时间小计1按钮", "运行时间小计1显示");
  ASSERT_TRUE(main->userType("清时间小计1确认码编辑框", "585"));
  ASSERT_TRUE(main->userClick("清时间小计1按钮"));
  ASSERT_TRUE(waitFor([&] { return main->text("运行时间小计1显示") == "Done"; }));
  EXPECT_EQ(main->text("清时间小计1确认码编辑框"), "");
  EXPECT_LT(read("读运行时间小计1按钮", "运行时间小计1显示"), subtotal);
}

TEST_F(EndToEnd, AFactoryBmcNumberIsWhatTheControllerAnswersUnder) {
  std::ofstream(dir.path() / "BMS_Factory.txt") << "09A030";
  const auto endpoints = startSim({"--direct", "0", "--rate", "5"});
  startApp(DirectSettings(endpoints));
  ASSERT_TRUE(main->userClick("打开出厂标定功能按钮"));
  auto* factory = platform->findWindow(base::Window::Factory);
  ASSERT_NE(factory, nullptr);
  for (const auto& [box, digits] : {std::pair{"编号1至3位编辑框", "123"},
                                    {"编号4至6位编辑框", "456"},
                                    {"编号7至9位编辑框", "789"}}) {
    ASSERT_TRUE(factory->userType(box, digits));
  }
  ASSERT_TRUE(factory->userClick("标定BMC编号按钮"));
  ASSERT_TRUE(waitFor([&] { return factory->text("标定BMC编号回应显示标签") == "Done"; }));
  ASSERT_TRUE(waitFor([&] { return main->text("BMC编号编辑框") == "123456789"; }));
}

TEST_F(EndToEnd, APasswordChangedThroughTheRelayIsTheNextLogin) {
  const auto endpoints = startSim({"--relay", "0", "--password", "572906", "--rate", "5"});
  startApp("127.0.0.1," + Port(endpoints.at("relay")) + ",572906,100000000,0,0,0,1,");
  const auto logins = [&] {
    const auto text = received();
    int count = 0;
    for (auto at = text.find(",D,1,"); at != std::string::npos; at = text.find(",D,1,", at + 1)) {
      ++count;
    }
    return count;
  };
  ASSERT_TRUE(waitFor([&] { return logins() == 1; }));
  ASSERT_TRUE(main->userType("新密码编辑框", "new-123"));
  ASSERT_TRUE(main->userType("重复输入密码编辑框", "new-123"));
  ASSERT_TRUE(main->userClick("修改密码按钮"));
  ASSERT_TRUE(waitFor([&] { return main->text("修改密码状态标签") == "Done"; }));
  ASSERT_TRUE(waitFor([&] { return main->text("通信按钮") == "Start"; }));
  EXPECT_EQ(main->text("远程密码编辑框"), "new-123");

  ASSERT_TRUE(main->userClick("通信按钮"));
  ASSERT_TRUE(waitFor([&] { return logins() == 2; })) << "the new password logs in";
  ASSERT_TRUE(main->userClick("通信按钮"));
  ASSERT_TRUE(main->userType("远程密码编辑框", "572906"));
  ASSERT_TRUE(main->userClick("通信按钮"));
  ASSERT_TRUE(waitFor([&] { return received().find(",D,0,") != std::string::npos; }));
  ASSERT_TRUE(waitFor([&] { return main->text("通信按钮") == "Start"; }))
      << "the old one no longer does";
}

TEST_F(EndToEnd, TheDcChargingPageShowsTheChargerAndPausesIt) {
  const auto endpoints = startSim({"--direct", "0", "--rate", "5"});
  startApp(DirectSettings(endpoints));
  const auto shows = [&](const char* button, const char* label, const std::string& expected) {
    EXPECT_TRUE(main->userClick(button)) << button;
    EXPECT_TRUE(waitFor([&] { return main->text(label).starts_with(expected); }))
        << label << " shows " << main->text(label);
  };
  ASSERT_TRUE(main->userClick("读充电机最高输出电压按钮"));
  ASSERT_TRUE(waitFor([&] {
    const auto text = main->text("充电机最高输出电压显示标签");
    const auto point = text.find('.');
    return point != std::string::npos && point + 2 == text.size() && Number(text.substr(0, point));
  })) << "volts with one decimal, not "
      << main->text("充电机最高输出电压显示标签");
  shows("读直流充电插座温度值按钮", "直流充电插座温度值显示标签", "1: ");
  shows("读充电机12V供电电压按钮", "充电机12V供电电压显示标签", "12.");
  shows("控制充电机暂停充电按钮", "充电机报告当前暂停状态显示标签", "Done");
  shows("读充电机报告当前暂停状态按钮", "充电机报告当前暂停状态显示标签", "Pause");
  shows("控制充电机继续充电按钮", "充电机报告当前暂停状态显示标签", "Done");
  shows("读充电机报告当前暂停状态按钮", "充电机报告当前暂停状态显示标签", "Continue");
}

TEST_F(EndToEnd, TheCanPanelShowsTheEcho) {
  const auto endpoints = startSim({"--direct", "0", "--rate", "5"});
  startApp(DirectSettings(endpoints));
  ASSERT_TRUE(main->userType("CANID编辑框", "1234abcd"));
  ASSERT_TRUE(main->userType("前4字节编辑框", "11223344"));
  ASSERT_TRUE(main->userType("后4字节编辑框", "55667788"));
  ASSERT_TRUE(main->userClick("CAN调试数据发送按钮"));
  ASSERT_TRUE(waitFor([&] {
    return main->text("调试命令接收编辑框") == "1234ABCE,11223344,55667788,";
  })) << main->text("调试命令接收编辑框");
}

#endif

}  // namespace
}  // namespace bms::qt
