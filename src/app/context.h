#pragma once

#include <array>
#include <cstdint>

#include "app/platform.h"
#include "forms/form.h"
#include "monitor/bic_detail.h"
#include "service/debug_log.h"

namespace bms::app {

// Short-lived flags that one part raises and another turns into something visible.
struct Flags {
  bool error = false;            // shown as "ERR" and the error prompt
  bool sent = false;             // a line left since the last refresh tick
  bool txFlash = false;          // the TX label blinks in the next tick
  bool receiveActivity = false;  // a line arrived since the last refresh tick
  bool connected = false;
  bool relayPingPending = false;  // the relay has not answered the ping yet
  bool loginAccepted = false;
  bool newVersionKnown = false;
  std::array<bool, 5> runMonitorAnswers{};  // 09A10001 to 09A10005 since the last set
  bool runMonitorComplete = false;
  std::array<bool, 8> cellFrames{};  // index = cell detail frame kind 1 to 7
  std::array<bool, 8> faults{};      // bit order of the fault byte
  std::array<bool, 8> warnings{};
  std::int64_t lastDebugFrameId = 0;  // the frame last sent from the CAN debug panel
};

// What every part of the application shares: the platform, the main window, the debug
// log and the flags. Owned by the App, handed to the parts by reference.
struct Context {
  explicit Context(Platform& p) : platform(p), log(p) {}

  forms::Form& main() { return *mainWindow; }
  void raiseError() { flags.error = true; }

  Platform& platform;
  forms::Form* mainWindow = nullptr;
  service::DebugLog log;
  Flags flags;
  monitor::BicDetail bic;
};

}  // namespace bms::app
