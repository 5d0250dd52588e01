#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "wire/transport.h"

namespace bms::testing {

// A serial port that records what was written and delivers what a test feeds it.
class FakeSerialPort : public wire::SerialPort {
 public:
  FakeSerialPort() = default;
  // The failure switch may be shared with another transport: whichever opens next fails.
  explicit FakeSerialPort(bool& failNextOpen) : failNextOpen_(&failNextOpen) {}
  FakeSerialPort(const FakeSerialPort&) = delete;
  FakeSerialPort& operator=(const FakeSerialPort&) = delete;

  bool open(const wire::SerialSettings& settings) override;
  bool isOpen() const override { return open_; }
  void write(std::string_view bytes) override;
  void close() override { open_ = false; }
  std::string deviceText(int port) const override {
    const auto found = deviceTexts.find(port);
    return found == deviceTexts.end() ? "" : found->second;
  }

  void failNextOpen() { *failNextOpen_ = true; }
  // The settings of the last successful opening.
  const std::optional<wire::SerialSettings>& settings() const { return settings_; }
  std::string takeWritten();
  void deliver(std::string_view bytes);  // one onByte call per byte
  void unplug();                         // the device goes away while open

  std::map<int, std::string> deviceTexts;  // what deviceText shows; none by default

 private:
  bool open_ = false;
  bool ownFailSwitch_ = false;
  bool* failNextOpen_ = &ownFailSwitch_;
  std::optional<wire::SerialSettings> settings_;
  std::string written_;
};

// A TCP client that records what was sent and delivers what a test feeds it.
class FakeTcpClient : public wire::TcpClient {
 public:
  FakeTcpClient() = default;
  explicit FakeTcpClient(bool& failNextConnect) : failNextConnect_(&failNextConnect) {}
  FakeTcpClient(const FakeTcpClient&) = delete;
  FakeTcpClient& operator=(const FakeTcpClient&) = delete;

  bool connect(std::string_view host, int port) override;
  bool isConnected() const override { return connected_; }
  void send(std::string_view bytes) override;
  void close() override { connected_ = false; }

  void failNextConnect() { *failNextConnect_ = true; }
  // "tcp <host>:<port>" while connected, else "".
  std::string endpoint() const;
  std::string takeSent();
  void deliver(std::string_view bytes);  // one onData call
  void peerClose();

 private:
  bool connected_ = false;
  bool ownFailSwitch_ = false;
  bool* failNextConnect_ = &ownFailSwitch_;
  std::string host_;
  int port_ = 0;
  std::string sent_;
};

}  // namespace bms::testing
