#include "sim/update_server.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace bms::sim {
namespace {

TEST(SimUpdateServer, AnswersOnceTheQueryIsComplete) {
  struct Case {
    bool newer;
    std::vector<std::string> chunks;
    bool peerDone;
    std::vector<std::optional<std::string>> answers;  // per chunk, then for the close
  };
  for (const auto& c : {
           Case{true, {"BMS-RV07-", "Windows,20230307,\r", "\n"}, false, {{}, {}, "1"}},
           Case{false, {"no line end"}, true, {{}, "0"}},
           Case{true, {}, true, {{}}},  // a client that says nothing gets nothing
       }) {
    UpdateSession session(c.newer);
    std::vector<std::optional<std::string>> answers;
    for (const auto& chunk : c.chunks) answers.push_back(session.Feed(chunk));
    if (c.peerDone) answers.push_back(session.PeerDone());
    EXPECT_EQ(answers, c.answers) << c.chunks.size();
  }
}

}  // namespace
}  // namespace bms::sim
