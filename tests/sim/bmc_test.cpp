#include "sim/bmc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/frame_line.h"
#include "link/hex_text.h"

namespace bms::sim {
namespace {

std::vector<std::string> AnswerIds(const Bmc& bmc, const std::string& line) {
  std::vector<std::string> ids;
  for (const std::string& answer : bmc.HandleLine(line)) {
    const link::ReceivedFields fields(answer);
    EXPECT_EQ(fields[1], "T");
    EXPECT_EQ(fields[2], bmc.bmcField());
    EXPECT_EQ(fields[3], "7");
    EXPECT_EQ(answer.size(), 42u) << answer;
    EXPECT_TRUE(answer.ends_with(",\r\n")) << answer;
    ids.emplace_back(fields[4]);
  }
  return ids;
}

std::string Request(const std::string& id) {
  return link::FrameLine("05F5E100", id, "FFFFFFFF", "FFFFFFFF");
}

TEST(SimBmc, AnswersFollowTheIdScheme) {
  const Bmc bmc(BmcConfig{100000000, 3, 7, 0, 0});
  using Ids = std::vector<std::string>;
  struct Case {
    std::string line;
    Ids ids;
  };
  for (const auto& c : {
           Case{Request("09A00100"), {"09A10101"}},
           Case{Request("09A00012"), {"09A10013"}},
           Case{Request("09A00020"), {"09A10021"}},
           Case{Request("09A00042"), {"09A10043"}},
           Case{Request("09A00044"), {"09A10045"}},
           Case{Request("09A01001"),
                {"09A11101", "09A11201", "09A11301", "09A11401", "09A11501", "09A11601",
                 "09A11701"}},
           Case{Request("09A01003"),
                {"09A11103", "09A11203", "09A11303", "09A11403", "09A11503", "09A11603",
                 "09A11703"}},
           Case{Request("09a00100"), {"09A10101"}},  // values, not texts, are compared
           Case{Request("09A01000"), {}},
           Case{Request("09A01004"), {}},
           Case{Request("09A010FF"), {}},
           Case{Request("09A00174"), {}},
           Case{Request("09A00001"), {}},
           Case{Request("9A00100"), {}},
           Case{"T,05F5E100,6,09A00100,FFFFFFFF,FFFFFFFF,\r", {"09A10101"}},  // as cut from TCP
           Case{"T,05F5E101,6,09A00100,FFFFFFFF,FFFFFFFF,\r", {"09A10101"}},  // any number
           Case{"T,05F5E100,6,09A00100\r", {}},
           Case{"T,05F5E100,7,09A00100,FFFFFFFF,FFFFFFFF,\r", {}},
           Case{"T,05F5E100,S6,09A00100,FFFFFFFF,FFFFFFFF,\r", {}},
           Case{"t,05F5E100,6,09A00100,FFFFFFFF,FFFFFFFF,\r", {}},
           Case{link::KeepAliveLine("05F5E100"), {}},
           Case{link::PingReply("05F5E100"), {}},
           Case{link::PingLine("05F5E100"), {}},
           Case{"", {}},
       }) {
    EXPECT_EQ(AnswerIds(bmc, c.line), c.ids) << c.line;
  }
}

TEST(SimBmc, EveryLineCarriesTheBmcNumber) {
  struct Case {
    std::uint32_t number;
    std::string field;
  };
  for (const auto& c :
       {Case{100000000, "05F5E100"}, Case{200000000, "0BEBC200"}, Case{999999999, "3B9AC9FF"}}) {
    Bmc bmc(BmcConfig{c.number, 2, 1, 0, 0});
    EXPECT_TRUE(bmc.NextRunDataLine().starts_with("T," + c.field + ",7,09A10001,"));
    EXPECT_TRUE(bmc.HandleLine(Request("09A00100")).at(0).starts_with("T," + c.field + ",7,"));
  }
}

TEST(SimBmc, RunDataCyclesThroughTheFiveFramesAndStepsThePackPerSet) {
  Bmc bmc(BmcConfig{100000000, 2, 3, 0, 0});
  for (long set = 0; set < 4; ++set) {
    EXPECT_EQ(bmc.pack().steps(), set);
    for (const char* id : {"09A10001", "09A10002", "09A10003", "09A10004", "09A10005"}) {
      EXPECT_EQ(link::ReceivedFields(bmc.NextRunDataLine())[4], id);
    }
  }
}

// Run data interleaved with requests, as a client would see it.
std::vector<std::string> Session(std::uint64_t seed, int bics) {
  Bmc bmc(BmcConfig{100000000, bics, seed, 0, 0});
  std::vector<std::string> lines;
  for (int round = 0; round < 40; ++round) {
    for (int i = 0; i < 5; ++i) lines.push_back(bmc.NextRunDataLine());
    for (const char* id :
         {"09A00100", "09A00020", "09A00042", "09A00044", "09A01001", "09A01002"}) {
      for (auto& answer : bmc.HandleLine(Request(id))) lines.push_back(std::move(answer));
    }
  }
  return lines;
}

TEST(SimBmc, TheSameSeedGivesTheSameLines) {
  for (std::uint64_t seed : {0ULL, 1ULL, 42ULL, 9223372036854775807ULL}) {
    EXPECT_EQ(Session(seed, 3), Session(seed, 3)) << seed;
    EXPECT_NE(Session(seed, 3), Session(seed + 1, 3)) << seed;
  }
}

}  // namespace
}  // namespace bms::sim
