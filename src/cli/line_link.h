#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "base/platform.h"
#include "profiles/engine.h"
#include "wire/line_cutter.h"
#include "wire/transport.h"

namespace bms::cli {

// The controller link of bms-cli on an already opened transport: cuts the received bytes
// into lines, answers pings, logs in through the relay, keeps the link alive, and hands
// every frame on. The GUI's link is tied to its main window; this one is the same protocol
// without any window.
class LineLink : public profiles::FrameLink {
 public:
  enum class Mode { Direct, Relay, Serial };

  struct Settings {
    Mode mode = Mode::Direct;
    std::string bmc;       // the decimal BMC number
    std::string password;  // offered when the other side asks for it
  };

  // Pings and keep-alive lines go out on the timer's ticks.
  LineLink(wire::TcpClient& tcp, base::Timer& timer, Settings settings);
  LineLink(wire::SerialPort& serial, base::Timer& timer, Settings settings);
  LineLink(const LineLink&) = delete;
  LineLink& operator=(const LineLink&) = delete;
  ~LineLink() override;

  // The transport is open: the relay is pinged and asked to log in; a direct or serial
  // link is ready at once.
  void start();

  bool isOpen() const override;
  void sendFrame(std::string_view id, std::string_view data1, std::string_view data2) override;

  std::function<void()> onReady;
  std::function<void(std::string_view id, std::string_view data1, std::string_view data2)> onFrame;
  // Every whole line in either direction, without its line end; a password shows masked.
  std::function<void(std::string_view line)> onReceivedLine;
  std::function<void(std::string_view line)> onSentLine;
  // The link is unusable (closed by the peer, login refused, the relay silent); the
  // transport has been closed. Reported once.
  std::function<void(std::string_view reason)> onFailed;

  // A relay that answers neither ping nor login within this many pings has failed.
  static constexpr int kLoginPings = 5;
  static constexpr int kPingIntervalMs = 1000;
  static constexpr int kKeepAliveIntervalMs = 3000;

 private:
  void sendLine(std::string_view line);
  void sendLine(std::string_view line, std::string_view shown);
  std::string outgoing(std::string_view line) const;  // with the relay's marker where due
  void onBytes(std::string_view bytes);
  void onLine(std::string_view line);
  void onTick();
  void becomeReady();
  void fail(std::string_view reason);

  wire::TcpClient* tcp_ = nullptr;
  wire::SerialPort* serial_ = nullptr;
  base::Timer& timer_;
  Settings settings_;
  std::string bmcField_;
  wire::LineCutter lines_;
  bool pingPending_ = false;
  bool ready_ = false;
  bool failed_ = false;
  int pingsLeft_ = 0;
};

}  // namespace bms::cli
