#include "sim/faults.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bms::sim {
namespace {

const std::string kLine = "T,05F5E100,7,09A10175,0CE4FFFF,FFFFFFFF,\r\n";

enum class Expect { Same, Lower, Garbage, Cut };

TEST(SimFaults, EachSwitchDamagesItsLines) {
  struct Case {
    FaultConfig config;
    std::vector<Expect> lines;  // lines 1, 2, ...
  };
  using enum Expect;
  for (const auto& c : {
           Case{{}, {Same, Same, Same}},
           Case{{.garbageEvery = 3}, {Same, Same, Garbage, Same, Same, Garbage}},
           Case{{.cutEvery = 2}, {Same, Cut, Same, Cut}},
           Case{{.garbageEvery = 2, .cutEvery = 3}, {Same, Garbage, Cut, Garbage, Same, Garbage}},
           Case{{.garbageEvery = 1}, {Garbage, Garbage, Garbage}},
           Case{{.lowercase = true}, {Lower, Lower}},
       }) {
    FaultInjector faults(c.config, 1, 0);
    for (std::size_t i = 0; i < c.lines.size(); ++i) {
      const std::string sent = faults.Apply(kLine);
      ASSERT_TRUE(sent.ends_with("\r\n")) << i;
      const std::string body = sent.substr(0, sent.size() - 2);
      EXPECT_EQ(body.find_first_of("\r\n"), std::string::npos) << "one line stays one line";
      switch (c.lines[i]) {
        case Same:
          EXPECT_EQ(sent, kLine);
          break;
        case Lower:
          EXPECT_EQ(sent, "T,05F5E100,7,09a10175,0ce4ffff,ffffffff,\r\n");
          break;
        case Garbage:
          EXPECT_FALSE(body.empty());
          EXPECT_LE(body.size(), 48u);
          EXPECT_NE(sent, kLine);
          break;
        case Cut:
          EXPECT_FALSE(body.empty());
          EXPECT_LT(sent.size(), kLine.size());
          EXPECT_TRUE(kLine.starts_with(body)) << body;
          break;
      }
    }
  }
}

TEST(SimFaults, DropAfterCountsTheLinesSent) {
  FaultInjector faults(FaultConfig{.dropAfter = 3}, 1, 0);
  for (int i = 1; i <= 3; ++i) {
    EXPECT_FALSE(faults.exhausted()) << i;
    faults.Apply(kLine);
  }
  EXPECT_TRUE(faults.exhausted());
  EXPECT_FALSE(FaultInjector(FaultConfig{}, 1, 0).exhausted());
}

std::vector<std::string> Damage(std::uint64_t seed, std::uint64_t connection) {
  FaultInjector faults(FaultConfig{.garbageEvery = 2, .cutEvery = 3}, seed, connection);
  std::vector<std::string> sent;
  for (int i = 0; i < 30; ++i) sent.push_back(faults.Apply(kLine));
  return sent;
}

TEST(SimFaults, DamageDependsOnSeedAndConnectionOnly) {
  EXPECT_EQ(Damage(5, 0), Damage(5, 0));
  EXPECT_NE(Damage(5, 0), Damage(6, 0));
  EXPECT_NE(Damage(5, 0), Damage(5, 1));
}

}  // namespace
}  // namespace bms::sim
