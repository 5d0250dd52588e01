#include "cli/line_link.h"

#include <utility>

#include "wire/frame_line.h"
#include "wire/hex_text.h"

namespace bms::cli {

namespace {

std::string_view WithoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  return line;
}

// The login line with its three password groups hidden, as the debug window shows it.
std::string MaskedLogin(std::string_view line) {
  const wire::ReceivedFields fields(line);
  const auto type = fields[3];
  std::string masked(line.substr(0, static_cast<std::size_t>(type.data() - line.data())));
  masked += type;
  masked += ",********,********,********,";
  return masked;
}

}  // namespace

LineLink::LineLink(wire::TcpClient& tcp, base::Timer& timer, Settings settings)
    : tcp_(&tcp),
      timer_(timer),
      settings_(std::move(settings)),
      bmcField_(wire::BmcNumberToHex(settings_.bmc)),
      lines_(wire::LineCutter::Mode::Tcp) {
  tcp.onData = [this](std::string_view bytes) { onBytes(bytes); };
  tcp.onClosed = [this] { fail("the connection was closed by the other side"); };
  timer_.onTick = [this] { onTick(); };
}

LineLink::LineLink(wire::SerialPort& serial, base::Timer& timer, Settings settings)
    : serial_(&serial),
      timer_(timer),
      settings_(std::move(settings)),
      bmcField_(wire::BmcNumberToHex(settings_.bmc)),
      lines_(wire::LineCutter::Mode::Serial) {
  serial.onByte = [this](std::uint8_t byte) {
    const char c = static_cast<char>(byte);
    onBytes(std::string_view(&c, 1));
  };
  serial.onLost = [this] { fail("the serial device went away"); };
  timer_.onTick = [this] { onTick(); };
}

LineLink::~LineLink() {
  timer_.onTick = nullptr;
  timer_.setInterval(0);
  if (tcp_) {
    tcp_->onData = nullptr;
    tcp_->onClosed = nullptr;
  }
  if (serial_) {
    serial_->onByte = nullptr;
    serial_->onLost = nullptr;
  }
}

void LineLink::start() {
  if (settings_.mode != Mode::Relay) {
    becomeReady();
    return;
  }
  pingPending_ = true;
  pingsLeft_ = kLoginPings;
  onTick();
}

bool LineLink::isOpen() const {
  if (failed_) return false;
  return tcp_ ? tcp_->isConnected() : serial_->isOpen();
}

void LineLink::sendFrame(std::string_view id, std::string_view data1, std::string_view data2) {
  sendLine(wire::FrameLine(bmcField_, id, data1, data2));
}

void LineLink::sendLine(std::string_view line) {
  const std::string sent = outgoing(line);
  sendLine(sent, WithoutLineEnd(sent));
}

std::string LineLink::outgoing(std::string_view line) const {
  return tcp_ && settings_.mode == Mode::Relay ? wire::AddRemoteMarker(line) : std::string(line);
}

void LineLink::sendLine(std::string_view line, std::string_view shown) {
  if (tcp_) {
    tcp_->send(line);
  } else {
    serial_->write(line);
  }
  if (onSentLine) onSentLine(shown);
}

void LineLink::onBytes(std::string_view bytes) {
  for (const auto& line : lines_.feed(bytes)) {
    if (failed_) return;
    if (onReceivedLine) onReceivedLine(WithoutLineEnd(line));
    onLine(line);
  }
}

void LineLink::onLine(std::string_view line) {
  const wire::ReceivedFields fields(line);
  if (!wire::TextEquals(fields[1], "T")) return;
  const auto type = fields[3];
  if (wire::TextEquals(type, "7")) {
    if (onFrame) onFrame(fields[4], fields[5], fields[6]);
  } else if (wire::TextEquals(type, "1")) {
    sendLine(wire::PingReply(fields[2]));
  } else if (wire::TextEquals(type, "S2")) {
    pingPending_ = false;
  } else if (wire::TextEquals(type, "B")) {
    // The length was checked with the arguments, so the line can always be built.
    if (const auto login = wire::PasswordLine(bmcField_, settings_.password)) {
      const std::string sent = outgoing(*login);
      sendLine(sent, MaskedLogin(sent));
    }
  } else if (wire::TextEquals(type, "D")) {
    if (wire::TextEquals(fields[4], "0")) {
      fail("the login was refused: wrong password");
    } else if (wire::TextEquals(fields[4], "1") && !ready_) {
      becomeReady();
    }
  }
}

void LineLink::onTick() {
  if (failed_) return;
  if (!ready_) {
    if (pingsLeft_-- <= 0) {
      fail("the relay did not let us log in");
      return;
    }
    if (pingPending_) sendLine(wire::PingLine(bmcField_));
    timer_.setInterval(kPingIntervalMs);
    return;
  }
  sendLine(wire::KeepAliveLine(bmcField_));
}

void LineLink::becomeReady() {
  ready_ = true;
  timer_.setInterval(kKeepAliveIntervalMs);
  if (onReady) onReady();
}

void LineLink::fail(std::string_view reason) {
  if (std::exchange(failed_, true)) return;
  timer_.setInterval(0);
  if (tcp_) tcp_->close();
  if (serial_) serial_->close();
  if (onFailed) onFailed(reason);
}

}  // namespace bms::cli
