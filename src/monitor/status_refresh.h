#pragma once

#include "base/context.h"

namespace bms::monitor {

// Every 100 ms: turns the activity seen by the send and receive paths and the decoders
// into one-tick blinks, and counts the ticks with sends.
class StatusRefresh {
 public:
  explicit StatusRefresh(base::Context& context) : context_(context) {}

  void onTick();

 private:
  base::Context& context_;
  bool txFlash_ = false;  // the TX label blinks in this tick
};

}  // namespace bms::monitor
