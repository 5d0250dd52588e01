// Parameters, counters, the factory window, the DC charging page and the CAN debug panel
// against the real bmc-sim, as a user would use them.
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

// A saved parameter reads back as a user checks a change; the counters, the DC charging
// page and the CAN panel answer.
TEST_F(EndToEnd, ParametersCountersTheDcChargingPageAndTheCanPanel) {
  startDirect({"--rate", "10"});
  for (const auto& [input, read, save, display, before, typed, after] :
       {std::tuple{"最高极限电压设定编辑框", "读最高极限电压按钮", "保存最高极限电压按钮",
                   "最高极限电压显示标签", "3650", "3600", "3600"},
        std::tuple{"修改额定总电压编辑框", "读取额定总电压按钮", "保存额定总电压按钮",
                   "额定总电压显示标签", "51.2", "48", "48.0"}}) {
    ASSERT_TRUE(main->userClick(read)) << read;
    ASSERT_TRUE(waitForText(*main, display, before)) << main->text(display);
    ASSERT_TRUE(main->userType(input, typed));
    ASSERT_TRUE(main->userClick(save));
    ASSERT_TRUE(waitForText(*main, display, "Done")) << main->text(display);
    ASSERT_TRUE(main->userClick(read));
    ASSERT_TRUE(waitForText(*main, display, after)) << main->text(display);
  }
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
  ASSERT_TRUE(waitForText(*main, "运行时间小计1显示", "Done"));
  EXPECT_EQ(main->text("清时间小计1确认码编辑框"), "");
  EXPECT_LT(read("读运行时间小计1按钮", "运行时间小计1显示"), subtotal);

  ASSERT_TRUE(main->userClick("读充电机最高输出电压按钮"));
  ASSERT_TRUE(waitFor([&] {
    const auto text = main->text("充电机最高输出电压显示标签");
    const auto point = text.find('.');
    return point != std::string::npos && point + 2 == text.size() && Number(text.substr(0, point));
  })) << "volts with one decimal, not "
      << main->text("充电机最高输出电压显示标签");
  for (const auto& [button, label, expected] :
       {std::tuple{"读直流充电插座温度值按钮", "直流充电插座温度值显示标签", "1: "},
        {"读充电机12V供电电压按钮", "充电机12V供电电压显示标签", "12."},
        {"控制充电机暂停充电按钮", "充电机报告当前暂停状态显示标签", "Done"},
        {"读充电机报告当前暂停状态按钮", "充电机报告当前暂停状态显示标签", "Pause"},
        {"控制充电机继续充电按钮", "充电机报告当前暂停状态显示标签", "Done"},
        {"读充电机报告当前暂停状态按钮", "充电机报告当前暂停状态显示标签", "Continue"}}) {
    EXPECT_TRUE(main->userClick(button)) << button;
    EXPECT_TRUE(waitFor([&] { return main->text(label).starts_with(expected); }))
        << label << " shows " << main->text(label);
  }

  for (const auto& [box, typed] : {std::pair{"CANID编辑框", "1234abcd"},
                                   {"前4字节编辑框", "11223344"},
                                   {"后4字节编辑框", "55667788"}}) {
    ASSERT_TRUE(main->userType(box, typed));
  }
  ASSERT_TRUE(main->userClick("CAN调试数据发送按钮"));
  ASSERT_TRUE(waitForText(*main, "调试命令接收编辑框", "1234ABCE,11223344,55667788,"))
      << main->text("调试命令接收编辑框");
}

TEST_F(EndToEnd, AFactoryBmcNumberIsWhatTheControllerAnswersUnder) {
  std::ofstream(dir.path() / "BMS_Factory.txt") << "09A030";
  startDirect({"--rate", "5"});
  ASSERT_TRUE(main->userClick("打开出厂标定功能按钮"));
  auto* factory = platform->findWindow(base::Window::Factory);
  ASSERT_NE(factory, nullptr);
  for (const auto& [box, digits] : {std::pair{"编号1至3位编辑框", "123"},
                                    {"编号4至6位编辑框", "456"},
                                    {"编号7至9位编辑框", "789"}}) {
    ASSERT_TRUE(factory->userType(box, digits));
  }
  ASSERT_TRUE(factory->userClick("标定BMC编号按钮"));
  ASSERT_TRUE(waitForText(*factory, "标定BMC编号回应显示标签", "Done"));
  ASSERT_TRUE(waitForText(*main, "BMC编号编辑框", "123456789"));
}

#endif

}  // namespace
}  // namespace bms::qt
