#include "link/link_control.h"

#include <string>

#include "app/language.h"
#include "forms/colours.h"
#include "link/frame_line.h"
#include "link/hex_text.h"

namespace bms::link {

namespace {

using forms::colours::kBlack;
using forms::colours::kGreen;

constexpr const char* kConnectionSettings[] = {
    "串口通信单选框",   "串口号选择框",     "网络通信单选框", "网络模式选择框",
    "服务器地址编辑框", "服务器端口编辑框", "BMC编号编辑框",  "远程密码编辑框"};

constexpr const char* kRunMonitorValues[] = {"电量标签",
                                             "电流标签",
                                             "功率标签",
                                             "总电压标签",
                                             "最高单体电压标签",
                                             "最低单体电压标签",
                                             "最高单体温度标签",
                                             "最低单体温度标签",
                                             "充电控制标签",
                                             "放电控制标签",
                                             "管理器主机温度标签",
                                             "最高BIC温度显示标签",
                                             "最低BIC温度显示标签",
                                             "监视界面的安装BIC数量显示标签",
                                             "低压供电12V值显示标签",
                                             "剩余电量显示标签"};

constexpr std::int64_t kLowestBmcNumber = 100000000;
constexpr std::int64_t kHighestBmcNumber = 999999999;

}  // namespace

LinkControl::LinkControl(app::Context& context, Timers timers)
    : context_(context), timers_(timers) {}

void LinkControl::bind() {
  showSerialDevices();
  context_.main().bind("通信按钮", forms::Event::Click, [this] { onCommunicationButton(); });
  auto& tcp = context_.platform.bmcLink();
  tcp.onData = [this](std::string_view bytes) { onTcpData(bytes); };
  tcp.onClosed = [this] {
    onLinkLost("Remote connection disconnected!\r\n", "远程连接被断开！\r\n");
  };
  auto& serial = context_.platform.serialPort();
  serial.onByte = [this](std::uint8_t byte) { onSerialByte(byte); };
  // An unplugged adapter must not leave a green lamp over a dead link.
  serial.onLost = [this] {
    onLinkLost("The serial port was lost, please check the adapter!\r\n",
               "串口连接已断开，请检查串口设备！\r\n");
  };
}

// Where the platform names its serial devices otherwise, each port item says which
// device it opens. The item index stays what the settings file stores.
void LinkControl::showSerialDevices() {
  auto& main = context_.main();
  auto items = main.items("串口号选择框");
  bool named = false;
  for (std::size_t n = 1; n < items.size(); ++n) {
    const auto device = context_.platform.serialPort().deviceText(static_cast<int>(n));
    if (device.empty()) continue;
    items[n] = "COM" + std::to_string(n) + "  " + device;
    named = true;
  }
  if (named) main.setItems("串口号选择框", items);
}

void LinkControl::onCommunicationButton() {
  auto& main = context_.main();
  auto& flags = context_.flags;
  main.setFill("串口状态显示", kBlack);
  main.setFill("网络状态显示", kBlack);
  setConnectionSettingsEnabled(true);
  timers_.poll.setInterval(0);
  resetRunMonitorDisplay();
  monitor::ClearBicDetailView(main, context_.bic);
  monitor::ResetBicNavigation(main, context_.bic);
  context_.bic.countKnown = false;
  flags.connected = false;
  flags.relayPingPending = false;
  flags.loginAccepted = false;
  flags.faults[0] = false;
  flags.warnings[0] = false;

  const std::string caption = main.text("通信按钮");
  if (caption == "开始" || caption == "Start") {
    open();
  } else {
    close();
  }

  if (flags.connected) {
    main.setText("通信按钮", app::IsEnglish(main) ? "Stop" : "停止");
    setConnectionSettingsEnabled(false);
    timers_.poll.setInterval(300);
    timers_.updateQuery.setInterval(1000);
    if (onOpened) onOpened();
  }
}

void LinkControl::open() {
  if (context_.main().checked("串口通信单选框")) {
    openSerial();
  } else {
    openNetwork();
  }
}

void LinkControl::openNetwork() {
  auto& main = context_.main();
  const auto number = DecimalTextToInteger(main.text("BMC编号编辑框"));
  if (!number || *number < kLowestBmcNumber || *number > kHighestBmcNumber) {
    if (app::IsEnglish(main)) {
      context_.platform.showMessageBox("Please enter the correct BMC number!", "Error message");
    } else {
      context_.platform.showMessageBox("请输入正确的BMC编号！", "错误信息");
    }
    return;
  }
  main.setText("BMC编号编辑框", std::to_string(*number));
  const auto port = DecimalTextToInteger(main.text("服务器端口编辑框"));
  const bool connected =
      port && *port > 0 && *port <= 65535 &&
      context_.platform.bmcLink().connect(main.text("服务器地址编辑框"), static_cast<int>(*port));
  if (connected) {
    context_.flags.connected = true;
    main.setFill("网络状态显示", kGreen);
    if (main.index("网络模式选择框") == 0) context_.flags.relayPingPending = true;
  } else {
    context_.log.received(
        app::IsEnglish(main)
            ? "Failed to connect to the remote server, please check your network!\r\n"
            : "未能连接远程服务器，请检查您的网络设置！\r\n");
    context_.raiseError();
  }
}

void LinkControl::openSerial() {
  auto& main = context_.main();
  SerialSettings settings;
  settings.port = main.index("串口号选择框") < 1 ? 1 : main.index("串口号选择框");
  if (context_.platform.serialPort().open(settings)) {
    context_.flags.connected = true;
    main.setFill("串口状态显示", kGreen);
  } else {
    context_.log.received(
        app::IsEnglish(main)
            ? "Failed to open serial port, please check if it is occupied or exists!\r\n"
            : "串口未能打开，请检查是这个串口否占用或者存在！\r\n");
    context_.raiseError();
  }
}

void LinkControl::close() {
  context_.platform.bmcLink().close();
  context_.platform.serialPort().close();
  showIdleButton();
}

void LinkControl::showIdleButton() {
  context_.main().setText("通信按钮", app::IsEnglish(context_.main()) ? "Start" : "开始");
}

void LinkControl::setConnectionSettingsEnabled(bool enabled) {
  for (const char* name : kConnectionSettings) context_.main().setEnabled(name, enabled);
}

void LinkControl::sendLine(std::string_view line) {
  auto& main = context_.main();
  std::string sent(line);
  if (main.checked("串口通信单选框")) context_.platform.serialPort().write(sent);
  if (main.checked("网络通信单选框")) {
    if (main.index("网络模式选择框") == 0) sent = AddRemoteMarker(line);
    context_.platform.bmcLink().send(sent);
  }
  context_.log.sent(sent);
  context_.flags.sent = true;
}

void LinkControl::sendFrame(std::string_view id, std::string_view data1, std::string_view data2) {
  sendLine(FrameLine(BmcNumberToHex(context_.main().text("BMC编号编辑框")), id, data1, data2));
}

void LinkControl::sendPasswordLine() {
  auto& main = context_.main();
  const auto line =
      PasswordLine(BmcNumberToHex(main.text("BMC编号编辑框")), main.text("远程密码编辑框"));
  if (!line) {
    context_.log.received("The password is too long");
    context_.raiseError();
    return;
  }
  sendLine(*line);
}

void LinkControl::onTcpData(std::string_view bytes) {
  const service::DebugLog::Batch batch(context_.log);
  const auto lines = tcpLines_.feed(bytes);
  for (const auto& line : lines) {
    if (dispatchLine) dispatchLine(line);
    ++context_.log.receivedCount;
  }
  // One data event may carry hundreds of lines: the counter is shown once for them all.
  if (!lines.empty()) showReceivedCount();
}

void LinkControl::onSerialByte(std::uint8_t byte) {
  const char c = static_cast<char>(byte);
  for (const auto& line : serialLines_.feed(std::string_view(&c, 1))) {
    countReceivedLine();
    if (dispatchLine) dispatchLine(line);
  }
}

void LinkControl::onLinkLost(std::string_view english, std::string_view chinese) {
  auto& main = context_.main();
  context_.platform.bmcLink().close();
  main.setFill("网络状态显示", kBlack);
  context_.platform.serialPort().close();
  main.setFill("串口状态显示", kBlack);
  setConnectionSettingsEnabled(true);
  showIdleButton();
  timers_.poll.setInterval(0);
  monitor::ResetBicNavigation(main, context_.bic);
  context_.flags.connected = false;
  context_.raiseError();
  context_.log.received(app::IsEnglish(main) ? english : chinese);
}

void LinkControl::countReceivedLine() {
  ++context_.log.receivedCount;
  showReceivedCount();
}

void LinkControl::showReceivedCount() {
  context_.main().setText("接收计数标签", std::to_string(context_.log.receivedCount));
  context_.flags.receiveActivity = true;
}

void LinkControl::resetRunMonitorDisplay() {
  auto& main = context_.main();
  for (const char* name : kRunMonitorValues) main.setText(name, "*");
  main.setValue("电量进度条", 0);
  main.setText("新密码编辑框", "");
  main.setText("重复输入密码编辑框", "");
}

}  // namespace bms::link
