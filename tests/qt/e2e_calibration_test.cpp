// Calibrating against the real bmc-sim: what the user changes shows in what the tool
// reads back from the controller.
#include <optional>

#include "qt/end_to_end.h"

namespace bms::qt {
namespace {

#ifdef BMC_SIM_PATH

constexpr int kTenPercentStep = 3;

// The live current as the calibration page shows it ("30.2A"), if it shows one yet.
std::optional<double> LiveCurrent(const forms::Form& main) {
  const std::string text = main.text("参数标定界面实时电流值标签");
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.size() < 2 || end != text.c_str() + text.size() - 1 || *end != 'A') return {};
  return value;
}

// The simulated pack charges and discharges in turns; a turn can fall between two
// readings, so the step is tried again until both readings come from the same turn.
TEST_F(EndToEnd, AStepCalibrationScalesTheLiveCurrentByTheStep) {
  startDirect({"--rate", "4", "--seed", "5"});
  ASSERT_TRUE(waitFor([&] { return LiveCurrent(*main).has_value(); }));
  ASSERT_TRUE(main->userSelect("总电流步进标定选择组合框", kTenPercentStep));
  bool measured = false;
  for (int attempt = 0; attempt < 3 && !measured; ++attempt) {
    const double before = *LiveCurrent(*main);
    ASSERT_TRUE(main->userClick("总电流检测步进微调加大按钮"));
    ASSERT_TRUE(waitForText(*main, "总电流量程显示标签", "Done"));
    const int lines = rxCount();
    ASSERT_TRUE(waitFor([&] { return rxCount() >= lines + 10; })) << "two more run data sets";
    const double after = *LiveCurrent(*main);
    if ((before > 0) != (after > 0)) continue;
    measured = true;
    // The pack's own current wanders by +-0.5 A around 30 or -40 A.
    EXPECT_NEAR(after / before, 1.1, 0.04) << before << " A became " << after << " A";
  }
  EXPECT_TRUE(measured);
  ASSERT_TRUE(main->userClick("读总电流量程按钮"));
  ASSERT_TRUE(waitFor([&] { return main->text("总电流量程显示标签") != "Wait"; }));
  EXPECT_NE(main->text("总电流量程显示标签"), "0.015") << "the stored scale grew";
}

std::string Cell(int n) { return "单体" + std::to_string(n) + "电压标签"; }

// The BIC calibration window waits for cell data, then calibrates; a BIC's cell count
// changes its cell detail.
TEST_F(EndToEnd, TheBicCalibrationWindowAndABicsCellCount) {
  std::ofstream(dir.path() / "BMS_Factory.txt") << "F1";
  startDirect({"--rate", "10", "--bics", "2"});
  ASSERT_TRUE(waitFor([&] { return main->enabled("读取单体信息选择框"); }));
  ASSERT_TRUE(main->userClick("BIC校准按钮"));
  auto* window = platform->findWindow(base::Window::Bic);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(window->userClick("读BIC基准电压按钮"));
  ASSERT_TRUE(waitForText(*main, "错误指示灯标签", "ERR"));
  EXPECT_EQ(sent().find(",09A02C"), std::string::npos) << "no BIC has answered yet";

  ASSERT_TRUE(main->userClick("读取单体信息选择框"));
  ASSERT_TRUE(waitForText(*window, "实时返回的BIC编号标签", "1"));
  ASSERT_TRUE(waitFor([&] { return main->text(Cell(1)).ends_with('V'); }));
  for (const auto& [typed, shown] : {std::pair{"", "2500"}, {"2525", "Done"}, {"", "2525"}}) {
    if (*typed != '\0') {
      ASSERT_TRUE(window->userType("BIC基准电压设定编辑框", typed));
    }
    ASSERT_TRUE(window->userClick(*typed ? "保存BIC基准电压按钮" : "读BIC基准电压按钮"));
    ASSERT_TRUE(waitForText(*window, "BIC基准电压显示标签", shown)) << shown;
  }
  EXPECT_NE(sent().find(",6,09A02E01,0009DDFF,FFFFFFFF,"), std::string::npos);

  ASSERT_TRUE(main->userClick("指定BIC地址选择框"));
  ASSERT_TRUE(main->userType("指定BIC地址编辑框", "1"));
  for (const auto& [count, shown, hidden] : {std::tuple{"16", 16, 0}, std::tuple{"8", 8, 9}}) {
    ASSERT_TRUE(main->userType("BIC安装单体数量设定编辑框", count));
    ASSERT_TRUE(main->userClick("保存BIC单体数量按钮"));
    ASSERT_TRUE(waitForText(*main, "BIC安装单体数量显示标签", "Done"));
    ASSERT_TRUE(waitFor([&] {
      return main->text(Cell(shown)).ends_with('V') &&
             (hidden == 0 || main->text(Cell(hidden)) == "*");
    })) << count
        << " cells";
    ASSERT_TRUE(main->userClick("读BIC单体数量按钮"));
    ASSERT_TRUE(waitForText(*main, "BIC安装单体数量显示标签", count));
  }
  EXPECT_NE(sent().find(",6,09A02601,08FFFFFF,FFFFFFFF,"), std::string::npos);
}

#endif

}  // namespace
}  // namespace bms::qt
