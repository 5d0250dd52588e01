#pragma once

#include "base/platform.h"

namespace bms::sim {

// A timer on simulated time: whoever steps the simulation calls tick() when the time has
// come, as often as it likes; a stopped timer ignores it.
class SteppedTimer : public base::Timer {
 public:
  void setInterval(int ms) override { interval_ = ms; }
  int interval() const override { return interval_; }
  void tick() {
    if (interval_ > 0 && onTick) onTick();
  }

 private:
  int interval_ = 0;
};

}  // namespace bms::sim
