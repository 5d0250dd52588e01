#include "qt/qt_timer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "qt/qt_application.h"
#include "qt/qt_platform_wait.h"

namespace bms::qt {
namespace {

TEST(QtTimer, SettingTheIntervalAgainRestartsItFromNow) {
  EnsureApplication();
  // The slow timer is set again on every tick of the fast one, so it must not tick until
  // the fast one has stopped, although its interval passes several times meanwhile; and
  // the fast one, stopped by its own eighth tick, must not tick again.
  QtTimer slow;
  QtTimer fast;
  std::string order;
  slow.onTick = [&] {
    order += 'S';
    slow.setInterval(0);
  };
  fast.onTick = [&] {
    order += 'F';
    slow.setInterval(40);
    if (order.size() == 8) fast.setInterval(0);
  };
  slow.setInterval(40);
  fast.setInterval(10);
  ASSERT_TRUE(ProcessEventsUntil([&] { return order.ends_with('S'); }));
  EXPECT_EQ(order, "FFFFFFFFS");
  EXPECT_EQ(slow.interval() + fast.interval(), 0) << "both stopped";
}

TEST(QtTimer, ATickMayDestroyItsOwnTimer) {
  EnsureApplication();
  auto timer = std::make_unique<QtTimer>("通信控制定时器");
  int ticks = 0;
  timer->onTick = [&] {
    ++ticks;
    timer.reset();
  };
  timer->setInterval(1);
  ASSERT_TRUE(ProcessEventsUntil([&] { return timer == nullptr; }));
  ProcessEventsFor(20);
  EXPECT_EQ(ticks, 1);
}

}  // namespace
}  // namespace bms::qt
