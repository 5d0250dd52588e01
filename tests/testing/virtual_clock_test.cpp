#include "testing/virtual_clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bms::testing {
namespace {

using Log = std::vector<std::string>;

TEST(VirtualClock, TicksRunInTimeOrderAndTiesInStartOrder) {
  VirtualClock clock;
  Log log;
  auto slow = clock.createTimer("slow");
  auto fast = clock.createTimer("fast");
  slow->onTick = [&] { log.push_back("slow@" + std::to_string(clock.now())); };
  fast->onTick = [&] { log.push_back("fast@" + std::to_string(clock.now())); };
  slow->setInterval(300);
  fast->setInterval(100);
  clock.advance(299);
  EXPECT_EQ(log, (Log{"fast@100", "fast@200"}));
  clock.advance(1);  // both due at 300: slow was started first
  EXPECT_EQ(log, (Log{"fast@100", "fast@200", "slow@300", "fast@300"}));
  EXPECT_EQ(clock.now(), 300);
}

TEST(VirtualClock, RestartingChangesTheOrderAndTheDueTime) {
  VirtualClock clock;
  Log log;
  auto a = clock.createTimer("a");
  auto b = clock.createTimer("b");
  a->onTick = [&] { log.push_back("a"); };
  b->onTick = [&] { log.push_back("b"); };
  a->setInterval(100);
  b->setInterval(100);
  clock.advance(50);
  a->setInterval(50);  // restarted now: due at 100, after b
  clock.advance(50);
  EXPECT_EQ(log, (Log{"b", "a"}));
  EXPECT_EQ(clock.interval("a"), 50);
  a->setInterval(0);
  log.clear();
  clock.advance(1000);
  EXPECT_EQ(log.size(), 10u);
  EXPECT_EQ(clock.interval("a"), 0);
}

TEST(VirtualClock, ATickMayChangeOrDestroyItsOwnTimer) {
  VirtualClock clock;
  auto poll = clock.createTimer("poll");
  std::vector<std::int64_t> ticks;
  poll->onTick = [&] {
    ticks.push_back(clock.now());
    poll->setInterval(1000);
  };
  poll->setInterval(300);
  clock.advance(2300);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{300, 1300, 2300}));
  auto once = clock.createTimer("once");
  int count = 0;
  once->onTick = [&] {
    ++count;
    once.reset();
  };
  once->setInterval(10);
  clock.advance(100);
  EXPECT_EQ(count, 1);
  EXPECT_FALSE(clock.hasTimer("once"));
}

}  // namespace
}  // namespace bms::testing
