#include "sim/bmc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/bmc_lines.h"
#include "wire/frame_line.h"

namespace bms::sim {
namespace {

// The IDs of the answers, each answer checked to be a whole BMC line of BMC 200000000.
std::vector<std::string> AnswerIds(Bmc& bmc, const std::string& line) {
  std::vector<std::string> ids;
  for (const std::string& answer : bmc.HandleLine(line)) {
    EXPECT_TRUE(answer.starts_with("T,0BEBC200,7,") && answer.ends_with(",\r\n")) << answer;
    EXPECT_EQ(answer.size(), 42u) << answer;
    ids.emplace_back(wire::ReceivedFields(answer)[4]);
  }
  return ids;
}

std::string Request(const std::string& id, const std::string& data1 = "FFFFFFFF") {
  return wire::FrameLine("05F5E100", id, data1, "FFFFFFFF");
}

TEST(SimBmc, AnswersFollowTheIdScheme) {
  Bmc bmc(BmcConfig{200000000, 3, 7, 0, 0});
  using Ids = std::vector<std::string>;
  const auto detail = [](const std::string& bic) {
    Ids ids;
    for (char kind = '1'; kind <= '7'; ++kind) ids.push_back("09A11" + std::string(1, kind) + bic);
    return ids;
  };
  for (const auto& [line, ids] : std::vector<std::pair<std::string, Ids>>{
           {Request("09A00100"), {"09A10101"}},
           {Request("09A00012"), {"09A10013"}},
           {Request("09A00020"), {"09A10021"}},
           {Request("09A00042"), {"09A10043"}},
           {Request("09A00044"), {"09A10045"}},
           {Request("09A01001"), detail("01")},
           {Request("09A01003"), detail("03")},
           {Request("09a00100"), {"09A10101"}},  // values, not texts, are compared
           {Request("09A01000"), {}},
           {Request("09A01004"), {}},            // one BIC more than installed
           {Request("09A00001"), {"09A00002"}},  // not the BMC's: echoed, from its own field
           {Request("09A00022"), {"09A10023"}},
           {Request("09A00040"), {"09A10041"}},
           {Request("09A03006", "00000001"), {"09A13007"}},
           {Request("09A0FA20", "05FFFFFF"), {"09A1FA21"}},
           {Request("09A0FA30"), {"09A1FA31"}},
           {Request("09A00174"), {"09A10175"}},
           {Request("09A00182", "03FFFFFF"), {"09A10183"}},
           {Request("09A0001E", "00FFFFFF"), {"09A1001F"}},
           {"T,05F5E101,6,09A00100,FFFFFFFF,FFFFFFFF,\r", {"09A10101"}},  // any number, no LF
           {"T,05F5E100,6,09A00100\r", {}},
           {"T,05F5E100,S6,09A00100,FFFFFFFF,FFFFFFFF,\r", {}},
           {wire::KeepAliveLine("05F5E100"), {}},
           {wire::PingReply("05F5E100"), {}},
       }) {
    EXPECT_EQ(AnswerIds(bmc, line), ids) << line;
  }
}

TEST(SimBmc, ASavedParameterIsWhatTheNextReadAnswers) {
  Bmc bmc(BmcConfig{200000000, 3, 7, 0, 0, SavePolicy::Locked});
  ExpectAnswers(AnswersOf(bmc),
                {"09A00176 0CE4FFFF > 09A10177 00FFFFFF; 09A0001E 00FFFFFF > 09A1001F 00AAFFFF",
                 "09A00176 0CE4FFFF > 09A10177 AAFFFFFF; 09A00174 > 09A10175 0CE4FFFF"});
}

TEST(SimBmc, RunDataCyclesThroughTheFiveFramesAndStepsThePackPerSet) {
  Bmc bmc(BmcConfig{999999999, 2, 3, 0, 0});
  for (long set = 0; set < 3; ++set) {
    EXPECT_EQ(bmc.pack().steps(), set);
    for (const char* id : {"09A10001", "09A10002", "09A10003", "09A10004", "09A10005"}) {
      EXPECT_TRUE(bmc.NextRunDataLine().starts_with("T,3B9AC9FF,7," + std::string(id) + ","));
    }
  }
}

}  // namespace
}  // namespace bms::sim
