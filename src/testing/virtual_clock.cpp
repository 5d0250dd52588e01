#include "testing/virtual_clock.h"

#include <algorithm>

namespace bms::testing {

class VirtualClock::VirtualTimer : public base::Timer {
 public:
  VirtualTimer(VirtualClock& clock, std::string_view name) : clock_(clock), name_(name) {
    clock_.timers_.push_back(this);
  }
  ~VirtualTimer() override { std::erase(clock_.timers_, this); }

  void setInterval(int ms) override {
    interval_ = ms > 0 ? ms : 0;
    due_ = clock_.now_ + interval_;
    start_ = ++clock_.starts_;
  }
  int interval() const override { return interval_; }

  VirtualClock& clock_;
  std::string name_;
  int interval_ = 0;
  std::int64_t due_ = 0;
  std::uint64_t start_ = 0;
};

std::unique_ptr<base::Timer> VirtualClock::createTimer(std::string_view name) {
  return std::make_unique<VirtualTimer>(*this, name);
}

VirtualClock::VirtualTimer* VirtualClock::nextDue(std::int64_t until) const {
  VirtualTimer* next = nullptr;
  for (auto* timer : timers_) {
    if (timer->interval_ == 0 || timer->due_ > until) continue;
    if (next == nullptr || timer->due_ < next->due_ ||
        (timer->due_ == next->due_ && timer->start_ < next->start_)) {
      next = timer;
    }
  }
  return next;
}

void VirtualClock::advance(std::int64_t ms) {
  const std::int64_t until = now_ + std::max<std::int64_t>(ms, 0);
  while (auto* timer = nextDue(until)) {
    now_ = timer->due_;
    timer->due_ += timer->interval_;
    // A copy: the tick may stop, restart or even destroy its own timer.
    auto tick = timer->onTick;
    if (tick) tick();
  }
  now_ = until;
}

int VirtualClock::interval(std::string_view name) const {
  for (const auto* timer : timers_) {
    if (timer->name_ == name) return timer->interval_;
  }
  return 0;
}

bool VirtualClock::hasTimer(std::string_view name) const {
  return std::ranges::any_of(timers_, [&](const auto* timer) { return timer->name_ == name; });
}

}  // namespace bms::testing
