#include "testing/fake_transports.h"

#include <utility>

namespace bms::testing {

bool FakeSerialPort::open(const wire::SerialSettings& settings) {
  if (std::exchange(*failNextOpen_, false)) return false;
  open_ = true;
  settings_ = settings;
  return true;
}

void FakeSerialPort::write(std::string_view bytes) {
  if (open_) written_ += bytes;
}

std::string FakeSerialPort::takeWritten() { return std::exchange(written_, {}); }

void FakeSerialPort::deliver(std::string_view bytes) {
  for (char byte : bytes) {
    if (onByte) onByte(static_cast<std::uint8_t>(byte));
  }
}

void FakeSerialPort::unplug() {
  if (!open_) return;
  open_ = false;
  if (onLost) onLost();
}

bool FakeTcpClient::connect(std::string_view host, int port) {
  if (std::exchange(*failNextConnect_, false)) return false;
  connected_ = true;
  host_ = host;
  port_ = port;
  return true;
}

void FakeTcpClient::send(std::string_view bytes) {
  if (connected_) sent_ += bytes;
}

std::string FakeTcpClient::endpoint() const {
  if (!connected_) return "";
  return "tcp " + host_ + ":" + std::to_string(port_);
}

std::string FakeTcpClient::takeSent() { return std::exchange(sent_, {}); }

void FakeTcpClient::deliver(std::string_view bytes) {
  if (onData) onData(bytes);
}

void FakeTcpClient::peerClose() {
  if (!connected_) return;
  connected_ = false;
  if (onClosed) onClosed();
}

}  // namespace bms::testing
