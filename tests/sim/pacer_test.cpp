#include "sim/pacer.h"

#include <gtest/gtest.h>

#include <chrono>

namespace bms::sim {
namespace {

using namespace std::chrono_literals;
const Pacer::Clock::time_point t0{1h};

TEST(SimPacer, UnpacedReleasesEverythingAtOnce) {
  Pacer pacer(std::nullopt);
  EXPECT_EQ(pacer.Due(5000, t0), 5000u);
  pacer.Wrote(5000, 5000, 0);
  EXPECT_EQ(pacer.NextDue(), std::nullopt);
}

// 1100 baud at 11 bits a byte: a byte takes exactly 10 ms, and leaves once its last bit has.
TEST(SimPacer, ABurstLeavesAtTheLineSpeedAndAStalledLineSavesNoCredit) {
  Pacer pacer(1100);
  ASSERT_EQ(pacer.Due(50, t0), 0u);
  EXPECT_EQ(pacer.NextDue(), t0 + 10ms);
  EXPECT_EQ(pacer.Due(50, t0 + 10ms - 1ns), 0u);
  ASSERT_EQ(pacer.Due(50, t0 + 35ms), 3u);
  pacer.Wrote(3, 3, 47);
  EXPECT_EQ(pacer.Due(47, t0 + 39ms), 0u) << "written bytes are not released twice";
  EXPECT_EQ(pacer.NextDue(), t0 + 40ms);
  EXPECT_EQ(pacer.Due(2, t0 + 1s), 2u) << "never more than is queued";
  pacer.Wrote(1, 2, 46);  // the reader took one of two
  EXPECT_EQ(pacer.NextDue(), std::nullopt);
  EXPECT_EQ(pacer.Due(30, t0 + 5s), 0u);
  EXPECT_EQ(pacer.Due(30, t0 + 5s + 25ms), 2u);
}

}  // namespace
}  // namespace bms::sim
