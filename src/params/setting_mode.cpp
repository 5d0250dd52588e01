#include "params/setting_mode.h"

#include "base/language.h"
#include "wire/frame_bytes.h"

namespace bms::params {

namespace {

constexpr std::string_view kRequest = "09A0001E";
constexpr std::string_view kAnswer = "09A1001F";
constexpr std::string_view kModeLabel = "BMC响应设定模式命令的标签";
constexpr std::string_view kRestartCode = "重新尝试启动确认码编辑框";
constexpr std::string_view kRestartLabel = "重新尝试启动回应显示标签";
constexpr std::string_view kConfirmation = "585";

}  // namespace

void SettingMode::bind() {
  auto& main = context_.main();
  main.bind("发送进入设定模式的按钮", forms::Event::Click, [this] { onSettingModeButton(); });
  main.bind("重新尝试启动按钮", forms::Event::Click, [this] { onRestartButton(); });
}

void SettingMode::registerDecoder(monitor::Dispatcher& dispatcher) {
  dispatcher.addExact(kAnswer, [this](auto, std::string_view data1, auto) { onAnswer(data1); });
}

void SettingMode::onSettingModeButton() {
  auto& main = context_.main();
  main.setText(kModeLabel, base::IsEnglish(main)
                               ? "Please wait. If there is no response after a few seconds, "
                                 "please check the communication line or other"
                               : "请稍候，如果超过几秒没有响应，请检查通信线路等");
  link_.sendFrame(kRequest, "00FFFFFF", "FFFFFFFF");
}

void SettingMode::onRestartButton() {
  auto& main = context_.main();
  if (main.text(kRestartCode) != kConfirmation) {
    context_.raiseError();
    return;
  }
  main.setText(kRestartCode, "");
  link_.sendFrame(kRequest, "01FFFFFF", "FFFFFFFF");
  main.setText(kRestartLabel, "Wait");
}

void SettingMode::onAnswer(std::string_view data1) {
  auto& main = context_.main();
  const wire::FrameBytes bytes(data1, "");
  const bool accepted = bytes.byteText(2) == "AA";
  if (bytes.byteText(1) == "00") {
    const bool english = base::IsEnglish(main);
    if (accepted) {
      main.setText(kModeLabel, english ? "The setting mode has been entered" : "已经进入设定模式");
    } else {
      main.setText(kModeLabel, english ? "Failed to enter the setting mode. Please check the BMC "
                                         "status,etc."
                                       : "未能进入设定模式，请检查BMC状态等。");
      context_.raiseError();
    }
  } else if (bytes.byteText(1) == "01" && accepted) {
    main.setText(kRestartLabel, "BMS is received");
  }
}

}  // namespace bms::params
