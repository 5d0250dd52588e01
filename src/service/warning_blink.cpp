#include "service/warning_blink.h"
#include "forms/colours.h"

#include <array>

namespace bms::service {

namespace {

using forms::colours::kCyan;
using forms::colours::kOrange;
using forms::colours::kRed;
using forms::colours::kWhite;
using forms::colours::kYellow;

// In the bit order of the fault and warning bytes.
constexpr std::array<const char*, 8> kFaultLamps = {
    "BIC通信故障指示灯", "单体电压故障指示灯", "温度故障指示灯", "PCC故障指示灯",
    "绝缘故障指示灯",    "触点故障指示灯",     "参数故障指示灯", "其他故障指示灯"};
constexpr std::array<const char*, 8> kWarningLamps = {
    "BIC通信预警指示灯", "单体电压预警指示灯", "温度预警指示灯", "PCC预警指示灯",
    "绝缘预警指示灯",    "触点预警指示灯",     "参数预警指示灯", "其他预警指示灯"};

void Blink(forms::Form& main, const std::array<const char*, 8>& lamps,
           const std::array<bool, 8>& flags, forms::Rgb alarm) {
  for (std::size_t i = 0; i < lamps.size(); ++i) {
    const bool white = main.fill(lamps[i]) == kWhite;
    main.setFill(lamps[i], flags[i] && white ? alarm : kWhite);
  }
}

}  // namespace

void WarningBlink::onTick() {
  auto& main = context_.main();
  redPhase_ = !redPhase_;
  main.setBackground("设置提示信息标签", redPhase_ ? kRed : kYellow);
  if (context_.newVersionKnown) {
    main.setBackground("新版提示", redPhase_ ? kWhite : kCyan);
  }
  Blink(main, kFaultLamps, context_.alarms.faults, kRed);
  Blink(main, kWarningLamps, context_.alarms.warnings, kOrange);
}

}  // namespace bms::service
