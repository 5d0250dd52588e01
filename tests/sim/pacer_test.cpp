#include "sim/pacer.h"

#include <gtest/gtest.h>

#include <chrono>

namespace bms::sim {
namespace {

using namespace std::chrono_literals;
using Clock = Pacer::Clock;

const Clock::time_point t0{1h};

TEST(SimPacer, UnpacedReleasesEverythingAtOnce) {
  Pacer pacer(std::nullopt);
  EXPECT_EQ(pacer.Due(5000, t0), 5000u);
  pacer.Wrote(5000, 5000, 0);
  EXPECT_EQ(pacer.NextDue(), std::nullopt);
}

// 9600 baud at 11 bits a byte: a byte takes 1145833.3 ns; 1100 baud: exactly 10 ms.
TEST(SimPacer, ABurstLeavesAtTheLineSpeed) {
  struct Case {
    int baud;
    std::size_t queued;
    Clock::duration after;  // since the burst began
    std::size_t due;
  };
  for (const auto& c : {
           Case{9600, 100, 0ns, 0},  // a byte leaves once its last bit has arrived
           Case{9600, 100, 1145833ns, 0},
           Case{9600, 100, 1145834ns, 1},
           Case{9600, 100, 1s, 100},  // never more than is queued
           Case{9600, 1000, 1s, 872},
           Case{1100, 1000, 10ms, 1},
           Case{1100, 1000, 1s, 100},
           Case{4000000, 1000000, 1s, 363636},
       }) {
    Pacer pacer(c.baud);
    ASSERT_EQ(pacer.Due(c.queued, t0), 0u) << c.baud;
    EXPECT_EQ(pacer.Due(c.queued, t0 + c.after), c.due)
        << c.baud << " baud, " << c.after.count() << " ns";
  }
}

TEST(SimPacer, WrittenBytesAreNotReleasedTwiceAndTheNextIsScheduled) {
  Pacer pacer(1100);
  ASSERT_EQ(pacer.Due(50, t0), 0u);
  EXPECT_EQ(pacer.NextDue(), t0 + 10ms);
  ASSERT_EQ(pacer.Due(50, t0 + 35ms), 3u);
  pacer.Wrote(3, 3, 47);
  EXPECT_EQ(pacer.Due(47, t0 + 39ms), 0u);
  EXPECT_EQ(pacer.NextDue(), t0 + 40ms);
  EXPECT_EQ(pacer.Due(47, t0 + 40ms), 1u);
}

TEST(SimPacer, AnIdleOrStalledLineSavesNoCredit) {
  for (const bool stalled : {false, true}) {
    Pacer pacer(1100);
    ASSERT_EQ(pacer.Due(20, t0), 0u);
    ASSERT_EQ(pacer.Due(20, t0 + 20ms), 2u);
    // Idle: both bytes went and nothing waits. Stalled: the reader took one of two.
    if (stalled) {
      pacer.Wrote(1, 2, 19);
    } else {
      pacer.Wrote(2, 2, 0);
    }
    EXPECT_EQ(pacer.NextDue(), std::nullopt) << stalled;
    const auto later = t0 + 5s;
    EXPECT_EQ(pacer.Due(30, later), 0u) << stalled;
    EXPECT_EQ(pacer.Due(30, later + 25ms), 2u) << stalled;
  }
}

}  // namespace
}  // namespace bms::sim
