#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "base/context.h"
#include "wire/line_cutter.h"

namespace bms::link {

// The communication button, the send path and the receive path of the BMC link.
class LinkControl {
 public:
  struct Timers {
    base::Timer& poll;
    base::Timer& updateQuery;
  };

  LinkControl(base::Context& context, Timers timers);
  LinkControl(const LinkControl&) = delete;
  LinkControl& operator=(const LinkControl&) = delete;

  // Binds the button and the transport notifications; the main window must exist.
  void bind();

  // Opens the link when the button shows Start, closes it otherwise.
  void onCommunicationButton();
  // Opens the link with the settings shown, as the button does when it shows Start.
  void openLink();
  // Closes the link and returns everything to idle; never opens it (a refused login, a
  // finished password change).
  void closeLink();

  // The only ways a line leaves the program.
  void sendLine(std::string_view line);
  void sendFrame(std::string_view id, std::string_view data1, std::string_view data2);
  void sendPasswordLine();

  // Every complete received line goes here, in arrival order.
  std::function<void(std::string_view line)> dispatchLine;
  // Runs after a successful opening: the settings file is rewritten.
  std::function<void()> onOpened;
  // The button was pressed: the views of the last connection are emptied.
  std::function<void()> onReset;
  // The link was lost: reading cell details stops.
  std::function<void()> onLost;
  // The button was pressed: what the user asks for replaces any reopening under way.
  std::function<void()> onPressed;
  // Every line sent, as the debug window shows it: passwords masked.
  std::function<void(std::string_view line)> onSent;

 private:
  void showSerialDevices();
  void resetToIdle();
  bool settingsFitTheFile();
  void open();
  void openNetwork();
  void openSerial();
  void close();
  void setConnectionSettingsEnabled(bool enabled);
  void showIdleButton();
  void onTcpData(std::string_view bytes);
  void onSerialByte(std::uint8_t byte);
  void onLinkLost(std::string_view english, std::string_view chinese);
  void showReceivedCount();
  void resetRunMonitorDisplay();

  base::Context& context_;
  Timers timers_;
  wire::LineCutter tcpLines_{wire::LineCutter::Mode::Tcp};
  wire::LineCutter serialLines_{wire::LineCutter::Mode::Serial};
};

}  // namespace bms::link
