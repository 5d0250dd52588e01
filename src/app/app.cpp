#include "app/app.h"

#include "app/factory_marker.h"
#include "app/user_settings.h"

namespace bms::app {

namespace {

constexpr const char* kConnectionSettings[] = {
    "串口通信单选框",   "串口号选择框",     "网络通信单选框", "网络模式选择框",
    "服务器地址编辑框", "服务器端口编辑框", "BMC编号编辑框",  "远程密码编辑框"};

constexpr std::string_view kEnglishNotice = "English translation is for reference only";

}  // namespace

App::App(Platform& platform)
    : platform_(platform),
      log_(platform),
      refreshTimer_(platform.createTimer("系统状态刷新定时器")),
      blinkTimer_(platform.createTimer("警告标签闪烁控制定时器")),
      updateQueryTimer_(platform.createTimer("升级查询控制定时器")),
      pollTimer_(platform.createTimer("通信控制定时器")) {
  platform_.onWindowClosed = [this](Window window) { onWindowClosed(window); };
}

App::~App() { platform_.onWindowClosed = nullptr; }

void App::start() {
  main_ = &platform_.openWindow(Window::Main);
  newVersionKnown_ = false;
  main_->setText("关于本软件说明信息编辑框", AboutText());

  refreshTimer_->setInterval(100);
  blinkTimer_->setInterval(500);
  updateQueryTimer_->setInterval(0);
  pollTimer_->setInterval(0);

  auto rect = platform_.windowRect(Window::Main);
  if (rect.top < 100) {
    rect.top = 0;
    platform_.setWindowRect(Window::Main, rect);
  }

  if (LoadUserSettings(*main_, platform_.programDir()) == Language::English) {
    applyEnglish();
  } else {
    applyChinese();
  }

  factoryMarker_ = ReadFactoryMarker(platform_.programDir());
  main_->setVisible("打开出厂标定功能按钮", factoryMarker_.has_value());
  main_->setVisible("BIC校准按钮", factoryMarker_.has_value());

  bicDetail_.clearValues();
  bicDetail_.installedCount = 1;
  monitor::ResetBicNavigation(*main_, bicDetail_);
  enableConnectionSettings(true);

  const bool addressed = main_->checked("指定BIC地址选择框");
  main_->setVisible("指定BIC地址标题标签", addressed);
  main_->setVisible("指定BIC地址编辑框", addressed);

  bindHandlers();
}

void App::bindHandlers() {
  main_->bind("简体中文单选框", forms::Event::Click, [this] { applyChinese(); });
  main_->bind("英文单选框", forms::Event::Click, [this] { applyEnglish(); });
}

void App::applyChinese() { ApplyLanguage(*main_, Language::Chinese, newVersionKnown_); }

void App::applyEnglish() {
  ApplyLanguage(*main_, Language::English, newVersionKnown_);
  log_.received(kEnglishNotice);
}

void App::enableConnectionSettings(bool enabled) {
  for (const char* name : kConnectionSettings) main_->setEnabled(name, enabled);
}

void App::onWindowClosed(Window window) {
  if (window != Window::Main) return;
  main_ = nullptr;
  // The program ends with its main window, so the error prompt goes too.
  for (auto auxiliary : {Window::Factory, Window::Debug, Window::Bic, Window::Error}) {
    platform_.closeWindow(auxiliary);
  }
}

}  // namespace bms::app
