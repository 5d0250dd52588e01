#include "sim/bmc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/bmc_lines.h"
#include "wire/frame_line.h"

namespace bms::sim {
namespace {

// One request of each kind the BMC routes; every answer a whole line of BMC 200000000.
TEST(SimBmc, AnswersFollowTheIdScheme) {
  Bmc bmc(BmcConfig{200000000, 3, 7, 0, 0});
  const auto request = [](const std::string& id, const std::string& data1 = "FFFFFFFF") {
    return wire::FrameLine("05F5E100", id, data1, "FFFFFFFF");
  };
  std::vector<std::string> detail;
  for (char kind = '1'; kind <= '7'; ++kind)
    detail.push_back("09A11" + std::string(1, kind) + "03");
  for (const auto& [line, ids] : std::vector<std::pair<std::string, std::vector<std::string>>>{
           {request("09A00012"), {"09A10013"}},
           {request("09A00022"), {"09A10023"}},
           {request("09A01003"), detail},
           {request("09A01004"), {}},            // one BIC more than installed
           {request("09a00100"), {"09A10101"}},  // values, not texts, are compared
           {request("09A00001"), {"09A00002"}},  // not the BMC's: echoed, from its own field
           {request("09A03006", "00000001"), {"09A13007"}},
           {request("09A0FA20", "05FFFFFF"), {"09A1FA21"}},
           {request("09A00182", "03FFFFFF"), {"09A10183"}},
           {request("09A0001E", "00FFFFFF"), {"09A1001F"}},
           {"T,05F5E101,6,09A00100,FFFFFFFF,FFFFFFFF,\r", {"09A10101"}},  // any number, no LF
           {"T,05F5E100,6,09A00100\r", {}},
           {"T,05F5E100,S6,09A00100,FFFFFFFF,FFFFFFFF,\r", {}},
           {wire::KeepAliveLine("05F5E100"), {}},
       }) {
    std::vector<std::string> answered;
    for (const std::string& answer : bmc.HandleLine(line)) {
      EXPECT_TRUE(answer.starts_with("T,0BEBC200,7,") && answer.ends_with(",\r\n")) << answer;
      EXPECT_EQ(answer.size(), 42u) << answer;
      answered.emplace_back(wire::ReceivedFields(answer)[4]);
    }
    EXPECT_EQ(answered, ids) << line;
  }
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
