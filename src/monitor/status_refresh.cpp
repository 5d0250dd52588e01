#include "monitor/status_refresh.h"

#include <string>

#include "forms/colours.h"

namespace bms::monitor {

namespace {

using forms::colours::kCyan;
using forms::colours::kGreen;
using forms::colours::kRed;
using forms::colours::kSilver;
using forms::colours::kWhite;
constexpr forms::Rgb kVoltageNumber{128, 224, 0};
constexpr forms::Rgb kTemperatureNumber{216, 216, 0};

// A lamp shows cyan for one tick after its flag, silver otherwise.
void Flash(forms::Form& main, const char* lamp, bool& flag) {
  if (flag) {
    main.setFill(lamp, kCyan);
    flag = false;
  } else if (main.fill(lamp) == kCyan) {
    main.setFill(lamp, kSilver);
  }
}

void FlashLabel(forms::Form& main, const char* label, bool& flag, forms::Rgb rest) {
  if (flag) {
    main.setBackground(label, kWhite);
    flag = false;
  } else if (main.background(label) != rest) {
    main.setBackground(label, rest);
  }
}

// The four number labels that light up when a cell detail frame of that kind arrives.
void FlashNumbers(forms::Form& main, int kind, bool& flag) {
  const bool voltages = kind <= 5;
  const int first = voltages ? 4 * (kind - 2) + 1 : 4 * (kind - 6) + 1;
  const std::string stem = voltages ? "电压编号标签" : "温度编号标签";
  const auto colour = flag ? kCyan : (voltages ? kVoltageNumber : kTemperatureNumber);
  for (int n = first; n < first + 4; ++n) main.setBackground(stem + std::to_string(n), colour);
  flag = false;
}

}  // namespace

void StatusRefresh::onTick() {
  auto& main = context_.main();
  auto& activity = context_.activity;
  Flash(main, "运行信息指示灯", activity.runDataComplete);
  FlashLabel(main, "TX标签", txFlash_, kRed);
  FlashLabel(main, "RX标签", activity.received, kGreen);
  for (int kind = 2; kind <= 7; ++kind) {
    FlashNumbers(main, kind, activity.cellFrames[static_cast<std::size_t>(kind)]);
  }
  Flash(main, "均衡详情指示灯", activity.cellFrames[1]);
  if (activity.sent) {
    ++context_.log.sentCount;
    main.setText("发送计数标签", std::to_string(context_.log.sentCount));
    txFlash_ = true;
    activity.sent = false;
  }
}

}  // namespace bms::monitor
