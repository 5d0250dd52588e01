#include "app/app.h"

#include <string>
#include <utility>

#include "app/factory_marker.h"
#include "app/identity.h"
#include "app/language_switch.h"
#include "app/user_settings.h"
#include "monitor/bic_detail.h"

namespace bms::app {

namespace {

using base::Window;

constexpr const char* kConnectionSettings[] = {
    "串口通信单选框",   "串口号选择框",     "网络通信单选框", "网络模式选择框",
    "服务器地址编辑框", "服务器端口编辑框", "BMC编号编辑框",  "远程密码编辑框"};

constexpr std::string_view kEnglishNotice = "English translation is for reference only";

std::string UpdateRequest() {
  return std::string(kProgramIdentityWithPlatform) + "," + std::string(kVersionText) + ",\r\n";
}

}  // namespace

App::App(base::Platform& platform, service::UpdateServer updateServer)
    : context_(platform),
      refreshTimer_(platform.createTimer("系统状态刷新定时器")),
      blinkTimer_(platform.createTimer("警告标签闪烁控制定时器")),
      updateQueryTimer_(platform.createTimer("升级查询控制定时器")),
      pollTimer_(platform.createTimer("通信控制定时器")),
      link_(context_, {*pollTimer_, *updateQueryTimer_}),
      reconnect_(context_, link_),
      status_(context_, reconnect_),
      dispatcher_(context_, link_),
      poller_(context_, link_, *pollTimer_),
      runMonitor_(context_, link_),
      parameters_(context_, link_),
      counters_(context_, link_),
      factoryWindow_(context_, link_),
      sensorCalibration_(context_, link_),
      bicSettings_(context_, link_),
      bicCalibration_(context_, link_),
      settingMode_(context_, link_),
      dcCharging_(context_, link_),
      errors_(context_),
      refresh_(context_),
      blink_(context_),
      debugWindow_(context_),
      updateQuery_(context_, *updateQueryTimer_, std::move(updateServer), UpdateRequest()),
      passwordChange_(context_, link_),
      canDebug_(context_, link_),
      profileWindow_(context_, link_),
      recording_(context_, dispatcher_, runMonitor_.values()),
      trendsWindow_(context_, recording_.trends()) {
  platform.onWindowClosed = [this](Window window) { onWindowClosed(window); };
  link_.dispatchLine = [this](std::string_view line) { recording_.dispatchLine(line); };
  link_.onSent = [this](std::string_view line) { recording_.onSent(line); };
  dispatcher_.onAnswer = [this](std::string_view id, std::string_view data1,
                                std::string_view data2) {
    recording_.onAnswer(id, data1, data2);
    profileWindow_.onFrame(id, data1, data2);
  };
  dispatcher_.onPasswordResult = [this](std::string_view result) {
    passwordChange_.onResult(result);
  };
  link_.onOpened = [this] {
    // The link is open all the same; the user learns that the settings were not kept.
    if (!SaveUserSettings(context_.main(), context_.platform.programDir())) {
      context_.fail("Failed to save the settings file!\r\n", "未能保存设置文件！\r\n");
    }
  };
  link_.onReset = [this] {
    recording_.onNewConnection();
    profileWindow_.onLinkLost();
    monitor::ClearBicDetailView(context_.main(), context_.bic);
    monitor::ResetBicNavigation(context_.main(), context_.bic);
  };
  link_.onLost = [this] {
    profileWindow_.onLinkLost();
    monitor::ResetBicNavigation(context_.main(), context_.bic);
    reconnect_.onLinkLost();
  };
  link_.onPressed = [this] { reconnect_.cancel(); };
  refreshTimer_->onTick = [this] {
    status_.onTick();
    refresh_.onTick();
    errors_.showErrorState();
  };
  blinkTimer_->onTick = [this] { blink_.onTick(); };
  updateQuery_.bind();
  parameters_.registerDecoders(dispatcher_);
  counters_.registerDecoders(dispatcher_);
  factoryWindow_.registerDecoders(dispatcher_);
  sensorCalibration_.registerDecoders(dispatcher_);
  bicSettings_.registerDecoders(dispatcher_);
  bicCalibration_.registerDecoders(dispatcher_);
  settingMode_.registerDecoder(dispatcher_);
  dcCharging_.registerDecoders(dispatcher_);
  monitor::RegisterRunMonitorDecoders(dispatcher_, context_, runMonitor_);
  monitor::RegisterBicDetailDecoders(dispatcher_, context_);
}

App::~App() { context_.platform.onWindowClosed = nullptr; }

void App::start() {
  auto& platform = context_.platform;
  context_.mainWindow = &platform.openWindow(Window::Main);
  auto& main = context_.main();
  context_.newVersionKnown = false;
  main.setText("关于本软件说明信息编辑框", AboutText());

  refreshTimer_->setInterval(100);
  blinkTimer_->setInterval(500);
  updateQueryTimer_->setInterval(0);
  pollTimer_->setInterval(0);

  auto rect = platform.windowRect(Window::Main);
  if (rect.top < 100) {
    rect.top = 0;
    platform.setWindowRect(Window::Main, rect);
  }

  if (LoadUserSettings(main, platform.programDir()) == Language::English) {
    applyEnglish();
  } else {
    applyChinese();
  }

  factoryMarker_ = ReadFactoryMarker(platform.programDir());
  main.setVisible("打开出厂标定功能按钮", factoryMarker_.has_value());
  main.setVisible("BIC校准按钮", factoryMarker_.has_value());
  factoryWindow_.setIdPrefix(factoryMarker_.value_or(""));

  context_.bic.clearValues();
  context_.bic.installedCount = 1;
  monitor::ResetBicNavigation(main, context_.bic);
  for (const char* name : kConnectionSettings) main.setEnabled(name, true);

  const bool addressed = main.checked("指定BIC地址选择框");
  main.setVisible("指定BIC地址标题标签", addressed);
  main.setVisible("指定BIC地址编辑框", addressed);

  bindHandlers();
}

void App::bindHandlers() {
  auto& main = context_.main();
  main.bind("简体中文单选框", forms::Event::Click, [this] { applyChinese(); });
  main.bind("英文单选框", forms::Event::Click, [this] { applyEnglish(); });
  link_.bind();
  reconnect_.bind();
  runMonitor_.bind();
  parameters_.bind();
  counters_.bind();
  factoryWindow_.bind();
  sensorCalibration_.bind();
  bicSettings_.bind();
  bicCalibration_.bind();
  settingMode_.bind();
  dcCharging_.bind();
  debugWindow_.bind();
  passwordChange_.bind();
  canDebug_.bind();
  profileWindow_.bind();
  recording_.bind();
  context_.main().bind("趋势按钮", forms::Event::Click, [this] { trendsWindow_.open(); });
  monitor::BindBicNavigation(context_);
}

void App::applyChinese() {
  ApplyLanguage(context_.main(), Language::Chinese, context_.newVersionKnown);
  debugWindow_.applyLanguage();
  profileWindow_.applyLanguage();
  recording_.applyLanguage();
  trendsWindow_.applyLanguage();
}

void App::applyEnglish() {
  ApplyLanguage(context_.main(), Language::English, context_.newVersionKnown);
  debugWindow_.applyLanguage();
  profileWindow_.applyLanguage();
  recording_.applyLanguage();
  trendsWindow_.applyLanguage();
  context_.log.received(kEnglishNotice);
}

void App::onWindowClosed(Window window) {
  if (window == Window::Bic) bicCalibration_.onClosed();
  if (window == Window::Profile) profileWindow_.onClosed();
  if (window == Window::Trends) trendsWindow_.onClosed();
  if (window != Window::Main) return;
  // The program ends with its main window: nothing may tick into it any more, and the
  // auxiliary windows, the error prompt included, go with it.
  for (auto* timer :
       {refreshTimer_.get(), blinkTimer_.get(), updateQueryTimer_.get(), pollTimer_.get()}) {
    timer->setInterval(0);
  }
  reconnect_.cancel();
  recording_.onMainWindowClosed();
  bicCalibration_.onClosed();
  context_.mainWindow = nullptr;
  for (auto auxiliary : {Window::Factory, Window::Debug, Window::Bic, Window::Profile,
                         Window::Journal, Window::HeatMap, Window::Trends, Window::Error}) {
    context_.platform.closeWindow(auxiliary);
  }
  // With its window gone, a cancelled run has nothing left to show.
  profileWindow_.onClosed();
  trendsWindow_.onClosed();
}

}  // namespace bms::app
