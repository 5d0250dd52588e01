#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/bic_state.h"
#include "base/debug_log.h"
#include "base/platform.h"
#include "forms/form.h"

namespace bms::base {

enum class LinkPhase { Idle, Connecting, Connected, LoggedIn, Lost };

// The state of the BMC link: written by the link control and the control lines it
// receives, read by the poll and the status line.
struct LinkState {
  bool connected = false;
  bool relayPingPending = false;  // the relay has not answered the ping yet
  bool loginAccepted = false;
  LinkPhase phase = LinkPhase::Idle;
  std::string peer;  // "host:port" or "COMn"
};

// The last failure the user was told of, in both languages.
struct Failure {
  std::string english;
  std::string chinese;
};

// Activity that the next refresh tick turns into a one-tick blink, and clears.
struct Activity {
  bool sent = false;                 // a line left since the last refresh tick
  bool received = false;             // a line arrived since the last refresh tick
  bool runDataComplete = false;      // all five run data answers arrived
  std::array<bool, 8> cellFrames{};  // index = cell detail frame kind 1 to 7
};

// The fault and warning bits of the last run data, in the bit order of their bytes; their
// lamps blink while a bit is set.
struct Alarms {
  std::array<bool, 8> faults{};
  std::array<bool, 8> warnings{};
};

// What every part of the application shares. Owned by the App, handed to the parts by
// reference.
struct Context {
  explicit Context(Platform& p) : platform(p), log(p) {}

  forms::Form& main() { return *mainWindow; }
  // Shown as "ERR", a beep and the error prompt by the next refresh tick.
  void raiseError() { error = true; }
  // A failure with its reason: the error as above, the reason in the debug log in the
  // language of the moment, and in the status line until the next failure.
  void fail(std::string_view english, std::string_view chinese);

  Platform& platform;
  forms::Form* mainWindow = nullptr;
  DebugLog log;
  bool error = false;
  Failure lastFailure;
  LinkState connection;
  Activity activity;
  Alarms alarms;
  BicState bic;
  std::uint64_t damagedLines = 0;  // received lines that were garbled or cut
  bool newVersionKnown = false;
  std::int64_t lastDebugFrameId = 0;  // the frame last sent from the CAN debug panel
};

}  // namespace bms::base
