#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "app/context.h"
#include "link/line_cutter.h"

namespace bms::link {

// The communication button, the send path and the receive path of the BMC link.
class LinkControl {
 public:
  struct Timers {
    app::Timer& poll;
    app::Timer& updateQuery;
  };

  LinkControl(app::Context& context, Timers timers);
  LinkControl(const LinkControl&) = delete;
  LinkControl& operator=(const LinkControl&) = delete;

  // Binds the button and the transport notifications; the main window must exist.
  void bind();

  // Opens the link when the button shows Start, closes it otherwise.
  void onCommunicationButton();

  // The only ways a line leaves the program.
  void sendLine(std::string_view line);
  void sendFrame(std::string_view id, std::string_view data1, std::string_view data2);
  void sendPasswordLine();

  // Every complete received line goes here, in arrival order.
  std::function<void(std::string_view line)> dispatchLine;
  // Runs after a successful opening: the settings file is rewritten.
  std::function<void()> onOpened;

 private:
  void showSerialDevices();
  void open();
  void openNetwork();
  void openSerial();
  void close();
  void setConnectionSettingsEnabled(bool enabled);
  void showIdleButton();
  void onTcpData(std::string_view bytes);
  void onSerialByte(std::uint8_t byte);
  void onLinkLost(std::string_view english, std::string_view chinese);
  void countReceivedLine();
  void showReceivedCount();
  void resetRunMonitorDisplay();

  app::Context& context_;
  Timers timers_;
  LineCutter tcpLines_{LineCutter::Mode::Tcp};
  LineCutter serialLines_{LineCutter::Mode::Serial};
};

}  // namespace bms::link
