#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/context.h"
#include "link/reconnect.h"

namespace bms::link {

// The status line of the main window, once per refresh tick: the link state in words (while
// a lost link waits to be reopened, when and how often), how long ago the last line arrived
// and how many damaged lines the last minute brought, and the last failure, each in the
// language of the moment. A minute with damaged lines is also summed up in the debug log.
class LinkStatus {
 public:
  LinkStatus(base::Context& context, const Reconnect& reconnect)
      : context_(context), reconnect_(reconnect) {}

  void onTick();  // every 100 ms, before the refresh tick clears the activity

 private:
  void countTime();
  std::string stateText(bool english) const;
  std::string receiveText(bool english) const;
  void show(const char* label, std::size_t slot, const std::string& text);

  base::Context& context_;
  const Reconnect& reconnect_;
  base::LinkPhase lastPhase_ = base::LinkPhase::Idle;
  int ticksSinceLine_ = -1;  // -1: no line since the link opened
  int ticks_ = 0;
  std::uint64_t damagedSeen_ = 0;
  std::array<std::uint64_t, 60> damagedPerSecond_{};  // the last minute, a second a slot
  std::uint64_t damagedLastMinute_ = 0;
  bool english_ = false;
  std::array<std::string, 3> shown_;  // what the three labels show
};

}  // namespace bms::link
