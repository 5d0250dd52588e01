#include "service/debug_window.h"

#include "base/language.h"

namespace bms::service {

namespace {

constexpr std::string_view kPauseButton = "通信协议暂停显示按钮";
constexpr std::string_view kFullHeightButton = "窗口最高按钮";

}  // namespace

void DebugWindow::bind() {
  auto& main = context_.main();
  main.bind("Debug按钮", forms::Event::Click, [this] { onDebugButton(); });
  main.bind("清零接收计数按钮", forms::Event::Click, [this] {
    context_.log.receivedCount = 0;
    context_.main().setText("接收计数标签", "0");
  });
  main.bind("清零发送计数按钮", forms::Event::Click, [this] {
    context_.log.sentCount = 0;
    context_.main().setText("发送计数标签", "0");
  });
}

// The window goes directly below the main window; where the screen ends before it does,
// it moves up (and in) as far as it must to be seen whole, over the main window.
void DebugWindow::onDebugButton() {
  auto& platform = context_.platform;
  auto main = platform.windowRect(base::Window::Main);
  if (platform.findWindow(base::Window::Debug) == nullptr) {
    main.top = 0;
    platform.setWindowRect(base::Window::Main, main);
    auto& window = platform.openWindow(base::Window::Debug);
    context_.log.clearReceived();
    context_.log.clearSent();
    bindWindow(window);
    auto rect = platform.windowRect(base::Window::Debug);
    rect.left = main.left;
    rect.top = main.top + main.height;
    platform.setWindowRect(base::Window::Debug, base::KeepOnScreen(platform, rect));
    return;
  }
  platform.openWindow(base::Window::Debug);  // brings it to the front
  auto rect = platform.windowRect(base::Window::Debug);
  if (rect.top != main.top + main.height) {
    rect.top = main.top + main.height;
    platform.setWindowRect(base::Window::Debug, base::KeepOnScreen(platform, rect));
  }
}

void DebugWindow::bindWindow(forms::Form& window) {
  auto& log = context_.log;
  window.bind("清除接收显示区按钮", forms::Event::Click, [&log] { log.clearReceived(); });
  window.bind("清除发送显示区按钮", forms::Event::Click, [&log] { log.clearSent(); });
  window.bind("清除接收和发送显示区按钮", forms::Event::Click, [&log] {
    log.clearReceived();
    log.clearSent();
  });
  window.bind(kPauseButton, forms::Event::Click, [&window] {
    const bool running = window.text(kPauseButton) == "Pause display";
    window.setText(kPauseButton, running ? "Continue display" : "Pause display");
  });
  window.bind(kFullHeightButton, forms::Event::Click, [this] { onFullHeightButton(); });
  applyLanguage();
}

void DebugWindow::applyLanguage() {
  auto* window = context_.platform.findWindow(base::Window::Debug);
  if (window == nullptr) return;
  // The button shows a symbol only, so it says what it does in either language.
  window->setToolTip(kFullHeightButton, base::IsEnglish(context_.main())
                                            ? "Full height: as tall as the screen"
                                            : "窗口最高：与屏幕同高");
}

void DebugWindow::onFullHeightButton() {
  auto& platform = context_.platform;
  auto rect = platform.windowRect(base::Window::Debug);
  rect.height = platform.screenHeight() - 100;
  rect.top = 0;
  platform.setWindowRect(base::Window::Debug, base::KeepOnScreen(platform, rect));
}

}  // namespace bms::service
