#include "sim/faults.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bms::sim {
namespace {

const std::string kLine = "T,05F5E100,7,09A10175,0CE4FFFF,FFFFFFFF,\r\n";

TEST(SimFaults, EachSwitchDamagesItsLines) {
  FaultInjector garbage(FaultConfig{.garbageEvery = 2}, 1, 0);
  EXPECT_EQ(garbage.Apply(kLine), kLine);
  const std::string noise = garbage.Apply(kLine);
  EXPECT_TRUE(noise.size() > 2 && noise.size() <= 50 && noise != kLine) << noise;

  FaultInjector cut(FaultConfig{.cutEvery = 2}, 1, 0);
  EXPECT_EQ(cut.Apply(kLine), kLine);
  const std::string shortened = cut.Apply(kLine);
  EXPECT_TRUE(shortened.size() > 2 && shortened.size() < kLine.size() &&
              kLine.starts_with(shortened.substr(0, shortened.size() - 2)))
      << shortened;

  FaultInjector lower(FaultConfig{.lowercase = true}, 1, 0);
  EXPECT_EQ(lower.Apply(kLine), "T,05F5E100,7,09a10175,0ce4ffff,ffffffff,\r\n");

  FaultInjector drop(FaultConfig{.dropAfter = 2}, 1, 0);
  EXPECT_EQ(drop.Apply(kLine), kLine);
  EXPECT_FALSE(drop.exhausted());
  EXPECT_EQ(drop.Apply(kLine), kLine);
  EXPECT_TRUE(drop.exhausted()) << "closed after the last line";
}

TEST(SimFaults, DamageDependsOnSeedAndConnectionOnly) {
  const auto damage = [](std::uint64_t seed, std::uint64_t connection) {
    FaultInjector faults(FaultConfig{.garbageEvery = 2, .cutEvery = 3}, seed, connection);
    std::vector<std::string> sent;
    for (int i = 0; i < 100; ++i) {
      sent.push_back(faults.Apply(kLine));
      EXPECT_EQ(sent.back().find_first_of("\r\n"), sent.back().size() - 2) << "one line stays one";
    }
    return sent;
  };
  EXPECT_EQ(damage(5, 0), damage(5, 0));
  EXPECT_NE(damage(5, 0), damage(6, 0));
  EXPECT_NE(damage(5, 0), damage(5, 1));
}

}  // namespace
}  // namespace bms::sim
