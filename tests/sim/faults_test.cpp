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
           Case{{.lowercase = true}, {Lower, Lower}},
           Case{{.dropAfter = 3}, {Same, Same, Same}},
       }) {
    FaultInjector faults(c.config, 1, 0);
    for (std::size_t i = 0; i < c.lines.size(); ++i) {
      EXPECT_FALSE(faults.exhausted()) << i;
      const std::string sent = faults.Apply(kLine);
      const std::string body = sent.substr(0, sent.size() - 2);
      switch (c.lines[i]) {
        case Same:
          EXPECT_EQ(sent, kLine);
          break;
        case Lower:
          EXPECT_EQ(sent, "T,05F5E100,7,09a10175,0ce4ffff,ffffffff,\r\n");
          break;
        case Garbage:
          EXPECT_TRUE(!body.empty() && body.size() <= 48 && sent != kLine) << body;
          break;
        case Cut:
          EXPECT_TRUE(!body.empty() && sent.size() < kLine.size() && kLine.starts_with(body))
              << body;
          break;
      }
    }
    EXPECT_EQ(faults.exhausted(), c.config.dropAfter > 0) << "closed after the last line";
  }
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
