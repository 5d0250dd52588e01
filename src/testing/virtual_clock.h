#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/platform.h"

namespace bms::testing {

// Time that moves only when a test says so. Timers made here tick in time order; ticks
// due at the same moment run in the order their timers were last (re)started.
class VirtualClock {
 public:
  VirtualClock() = default;
  VirtualClock(const VirtualClock&) = delete;
  VirtualClock& operator=(const VirtualClock&) = delete;

  std::unique_ptr<base::Timer> createTimer(std::string_view name);

  std::int64_t now() const { return now_; }
  void advance(std::int64_t ms);

  // The interval of the timer with that name; 0 when stopped or unknown.
  int interval(std::string_view name) const;
  bool hasTimer(std::string_view name) const;

 private:
  class VirtualTimer;
  friend class VirtualTimer;

  VirtualTimer* nextDue(std::int64_t until) const;

  std::int64_t now_ = 0;
  std::uint64_t starts_ = 0;
  std::vector<VirtualTimer*> timers_;
};

}  // namespace bms::testing
