#include "service/error_prompt.h"

#include "base/language.h"
#include "forms/colours.h"

namespace bms::service {

namespace {

using forms::colours::kBlack;
using forms::colours::kRed;
using forms::colours::kSilver;
constexpr int kHoldTicks = 5;
constexpr int kPromptTicks = 30;

}  // namespace

void ErrorDisplay::showErrorState() {
  auto& main = context_.main();
  if (context_.error) {
    openPrompt();
    promptAge_ = 0;
    if (holdTicks_ == 0) {
      main.setBackground("错误指示灯标签", kRed);
      main.setTextColor("错误指示灯标签", kBlack);
      main.setText("错误指示灯标签", "ERR");
      context_.platform.beep();
    }
    if (++holdTicks_ >= kHoldTicks) context_.error = false;
  } else {
    holdTicks_ = 0;
    if (main.background("错误指示灯标签") != kSilver) {
      main.setBackground("错误指示灯标签", kSilver);
      main.setText("错误指示灯标签", "");
    }
  }
  if (context_.platform.findWindow(base::Window::Error) != nullptr && ++promptAge_ > kPromptTicks) {
    context_.platform.closeWindow(base::Window::Error);
  }
}

void ErrorDisplay::openPrompt() {
  auto& platform = context_.platform;
  if (platform.findWindow(base::Window::Error) != nullptr) return;
  auto& prompt = platform.openWindow(base::Window::Error);
  const auto main = platform.windowRect(base::Window::Main);
  auto rect = platform.windowRect(base::Window::Error);
  rect.left = main.left + main.width / 2 - rect.width / 2;
  rect.top = main.top + main.height / 2 - rect.height / 2;
  // Centred on the main window, unless that would put part of it off the screen.
  platform.setWindowRect(base::Window::Error, base::KeepOnScreen(platform, rect));

  const bool chinese = !base::IsEnglish(context_.main());
  prompt.setTitle(chinese ? "出现了错误" : "An error has occurred");
  prompt.setText("错误提示内容标签",
                 chinese ? "1、请检查输入的参数、数值、密码等是否符合要求；\r\n"
                           "2、通信连接出现了问题，比如串口、网络等；\r\n"
                           "3、几秒后本提示窗自动关闭"
                         : "1. Please check whether the input parameters, values and passwords "
                           "meet the requirements;\r\n"
                           "2, communication connection problems, such as serial port, network, "
                           "etc.;\r\n"
                           "3. This prompt window will close automatically after a few seconds");
  prompt.setText("关闭错误提示窗口的按钮", chinese ? "关闭提示" : "Close prompt");
  prompt.bind("关闭错误提示窗口的按钮", forms::Event::Click,
              [&platform] { platform.closeWindow(base::Window::Error); });
}

}  // namespace bms::service
