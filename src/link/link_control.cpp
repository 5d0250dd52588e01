#include "link/link_control.h"

#include <string>

#include "base/language.h"
#include "forms/colours.h"
#include "wire/frame_line.h"
#include "wire/hex_text.h"

namespace bms::link {

namespace {

using forms::colours::kBlack;
using forms::colours::kGreen;
using forms::colours::kWhite;

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

constexpr std::string_view kPasswordMask = "********";

// The login and password change lines carry a password in the three groups after their
// line type, which the debug window must not show.
std::string_view PasswordLineType(const wire::ReceivedFields& fields) {
  const auto type = fields[3];
  return type == "C" || type == "SC" || type == "E" || type == "SE" ? type : std::string_view{};
}

std::string Masked(std::string_view line, std::string_view type) {
  std::string masked(line.substr(0, static_cast<std::size_t>(type.data() - line.data())));
  masked += type;
  masked += ',';
  for (int group = 0; group < 3; ++group) {
    masked += kPasswordMask;
    masked += ',';
  }
  masked += "\r\n";
  return masked;
}

}  // namespace

LinkControl::LinkControl(base::Context& context, Timers timers)
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
  if (onPressed) onPressed();
  const std::string caption = context_.main().text("通信按钮");
  if (caption != "开始" && caption != "Start") {
    closeLink();
    return;
  }
  openLink();
}

void LinkControl::openLink() {
  resetToIdle();
  open();
  if (!context_.connection.connected) return;
  auto& main = context_.main();
  main.setText("通信按钮", base::IsEnglish(main) ? "Stop" : "停止");
  setConnectionSettingsEnabled(false);
  timers_.poll.setInterval(300);
  timers_.updateQuery.setInterval(1000);
  if (onOpened) onOpened();
}

void LinkControl::closeLink() {
  resetToIdle();
  close();
}

void LinkControl::resetToIdle() {
  auto& main = context_.main();
  main.setFill("串口状态显示", kBlack);
  main.setFill("网络状态显示", kBlack);
  setConnectionSettingsEnabled(true);
  timers_.poll.setInterval(0);
  resetRunMonitorDisplay();
  if (onReset) onReset();
  context_.bic.countKnown = false;
  context_.connection = {};
  context_.alarms.faults[0] = false;
  context_.alarms.warnings[0] = false;
}

// The settings file has no escaping: a comma would shift every field behind it.
bool LinkControl::settingsFitTheFile() {
  auto& main = context_.main();
  const bool fit = main.text("服务器地址编辑框").find(',') == std::string::npos &&
                   main.text("远程密码编辑框").find(',') == std::string::npos;
  if (!fit) {
    context_.fail("The server address and the password must not contain a comma!\r\n",
                  "服务器地址和密码不能包含逗号！\r\n");
  }
  return fit;
}

void LinkControl::open() {
  if (!settingsFitTheFile()) return;
  // Bytes of a line cut off by the last connection's end must not start this one's.
  tcpLines_.clear();
  serialLines_.clear();
  if (context_.main().checked("串口通信单选框")) {
    openSerial();
  } else {
    openNetwork();
  }
}

void LinkControl::openNetwork() {
  auto& main = context_.main();
  const auto number = wire::DecimalTextToInteger(main.text("BMC编号编辑框"));
  if (!number || *number < kLowestBmcNumber || *number > kHighestBmcNumber) {
    context_.lastFailure = {"Please enter the correct BMC number!", "请输入正确的BMC编号！"};
    if (base::IsEnglish(main)) {
      context_.platform.showMessageBox(context_.lastFailure.english, "Error message");
    } else {
      context_.platform.showMessageBox(context_.lastFailure.chinese, "错误信息");
    }
    return;
  }
  main.setText("BMC编号编辑框", std::to_string(*number));
  const auto port = wire::DecimalTextToInteger(main.text("服务器端口编辑框"));
  context_.connection.peer = main.text("服务器地址编辑框") + ":" + main.text("服务器端口编辑框");
  context_.connection.phase = base::LinkPhase::Connecting;
  const bool connected =
      port && *port > 0 && *port <= 65535 &&
      context_.platform.bmcLink().connect(main.text("服务器地址编辑框"), static_cast<int>(*port));
  context_.connection.phase = connected ? base::LinkPhase::Connected : base::LinkPhase::Idle;
  if (connected) {
    context_.connection.connected = true;
    main.setFill("网络状态显示", kGreen);
    if (main.index("网络模式选择框") == 0) context_.connection.relayPingPending = true;
  } else {
    context_.fail("Failed to connect to the remote server, please check your network!\r\n",
                  "未能连接远程服务器，请检查您的网络设置！\r\n");
  }
}

void LinkControl::openSerial() {
  auto& main = context_.main();
  wire::SerialSettings settings;
  settings.port = main.index("串口号选择框") < 1 ? 1 : main.index("串口号选择框");
  context_.connection.peer = "COM" + std::to_string(settings.port);
  if (context_.platform.serialPort().open(settings)) {
    context_.connection.connected = true;
    context_.connection.phase = base::LinkPhase::Connected;
    main.setFill("串口状态显示", kGreen);
  } else {
    context_.fail("Failed to open serial port, please check if it is occupied or exists!\r\n",
                  "串口未能打开，请检查是这个串口否占用或者存在！\r\n");
  }
}

void LinkControl::close() {
  context_.platform.bmcLink().close();
  context_.platform.serialPort().close();
  showIdleButton();
}

void LinkControl::showIdleButton() {
  context_.main().setText("通信按钮", base::IsEnglish(context_.main()) ? "Start" : "开始");
}

void LinkControl::setConnectionSettingsEnabled(bool enabled) {
  for (const char* name : kConnectionSettings) context_.main().setEnabled(name, enabled);
}

void LinkControl::sendLine(std::string_view line) {
  auto& main = context_.main();
  std::string sent(line);
  if (main.checked("串口通信单选框")) context_.platform.serialPort().write(sent);
  if (main.checked("网络通信单选框")) {
    if (main.index("网络模式选择框") == 0) sent = wire::AddRemoteMarker(line);
    context_.platform.bmcLink().send(sent);
  }
  if (const auto type = PasswordLineType(wire::ReceivedFields(sent)); !type.empty()) {
    sent = Masked(sent, type);
  }
  context_.log.sent(sent);
  if (onSent) onSent(sent);
  context_.activity.sent = true;
}

void LinkControl::sendFrame(std::string_view id, std::string_view data1, std::string_view data2) {
  sendLine(wire::FrameLine(wire::BmcNumberToHex(context_.main().text("BMC编号编辑框")), id, data1,
                           data2));
}

void LinkControl::sendPasswordLine() {
  auto& main = context_.main();
  const auto line = wire::PasswordLine(wire::BmcNumberToHex(main.text("BMC编号编辑框")),
                                       main.text("远程密码编辑框"));
  if (!line) {
    context_.fail("The password is too long", "The password is too long");
    return;
  }
  sendLine(*line);
}

void LinkControl::onTcpData(std::string_view bytes) {
  const base::DebugLog::Batch batch(context_.log);
  bool received = false;
  for (const auto& line : tcpLines_.feed(bytes)) {
    if (dispatchLine) dispatchLine(line);
    ++context_.log.receivedCount;
    received = true;
  }
  // One label update for a whole read, however many lines it held.
  if (received) showReceivedCount();
}

void LinkControl::onSerialByte(std::uint8_t byte) {
  const char c = static_cast<char>(byte);
  for (const auto& line : serialLines_.feed(std::string_view(&c, 1))) {
    ++context_.log.receivedCount;
    showReceivedCount();
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
  if (onLost) onLost();
  context_.connection.connected = false;
  context_.connection.phase = base::LinkPhase::Lost;
  context_.fail(english, chinese);
}

void LinkControl::showReceivedCount() {
  context_.main().setText("接收计数标签", std::to_string(context_.log.receivedCount));
  context_.activity.received = true;
}

void LinkControl::resetRunMonitorDisplay() {
  auto& main = context_.main();
  for (const char* name : kRunMonitorValues) main.setText(name, "*");
  main.setValue("电量进度条", 0);
  // Values that are texts rather than "*" go back to what they show before any answer.
  main.setText("充放电预计时间标签", "预计时间");
  main.setText("最大充电功率标签", "*");
  main.setText("最大放电功率标签", "*");
  main.setText("分压继电器指示灯", "OFF");
  main.setBackground("分压继电器指示灯", kBlack);
  main.setTextColor("分压继电器指示灯", kWhite);
  main.setText("新密码编辑框", "");
  main.setText("重复输入密码编辑框", "");
}

}  // namespace bms::link
