#include "sim/relay.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "wire/frame_line.h"

namespace bms::sim {
namespace {

const std::string kField = "05F5E100";  // 100000000, the relay's BMC

TEST(RelayLogin, PasswordsSurviveTheProjectsEncodingAndMalformedGroupsAreNone) {
  const auto decode = [](const std::string& encoded) {
    const std::string line = "T,x,SC," + encoded + "\r";
    const wire::ReceivedFields fields(line);
    return DecodeAccessPassword(fields[4], fields[5], fields[6]);
  };
  for (const std::string password : {"", "ABCDEFGHIJK", "a,b", "\xE9\x01"}) {
    EXPECT_EQ(decode(*wire::EncodeAccessPassword(password)), password);
  }
  for (const auto& [encoded, password] :
       std::vector<std::pair<std::string, std::optional<std::string>>>{
           {"02414243,30303030,30303030,", "AB"},  // the length byte decides
           {"0C414243,44454647,48494A4B,", std::nullopt},
           {"0341424,30303030,30303030,", std::nullopt},
           {"03414243,3030303G,30303030,", std::nullopt},
           {"03414243,30303030,", std::nullopt},
       }) {
    EXPECT_EQ(decode(encoded), password) << encoded;
  }
}

// What the tool sends in relay mode, as the relay receives it (CR kept, LF cut off).
std::string Marked(const std::string& line) {
  std::string marked = wire::AddRemoteMarker(line);
  marked.pop_back();
  return marked;
}
std::string Login(const std::string& password, const std::string& field = kField) {
  return Marked(*wire::PasswordLine(field, password));
}
std::string Request(const std::string& field = kField) {
  return Marked(wire::FrameLine(field, "09A00100", "FFFFFFFF", "FFFFFFFF"));
}
std::vector<std::string> Answer(const std::string& type, const std::string& field = kField) {
  return {"T," + field + "," + type + ",\r\n"};
}

TEST(RelaySession, ConversationsWithOneClient) {
  struct Step {
    std::string in;
    std::vector<std::string> toClient;
    std::optional<std::string> toBmc;
  };
  const std::vector<std::pair<std::string, std::vector<Step>>> cases = {
      {"login then frames",
       {
           {Marked(wire::PingLine(kField)), {"T,05F5E100,S2,1,\r\n", "T,05F5E100,B,\r\n"}, {}},
           {Request(), {}, {}},
           {Login("572906"), Answer("D,1"), {}},
           {Marked(wire::PingLine(kField)), Answer("S2,1"), {}},
           {Request(), {}, "T,05F5E100,6,09A00100,FFFFFFFF,FFFFFFFF,\r"},
           {Marked(wire::KeepAliveLine(kField)), {}, "T,05F5E100,5,\r"},
           {"T,05F5E100,SS6,\r", {}, "T,05F5E100,S6,\r"},  // one marker, behind the BMC field
           {Request("05F5E101"), {}, {}},                  // another BMC's
           {wire::FrameLine(kField, "09A00100", "FFFFFFFF", "FFFFFFFF"), {}, {}},  // no marker
       }},
      {"the relay's lines echo the client's BMC field, routing compares values",
       {
           {Login("572906", "0BEBC200"), Answer("D,1", "0BEBC200"), {}},
           {Request("05f5e100"), {}, "T,05f5e100,6,09A00100,FFFFFFFF,FFFFFFFF,\r"},
       }},
      {"wrong password, then a password change",
       {
           {Marked(*wire::PasswordChangeLine(kField, "new")), Answer("F,0"), {}},
           {Login("57290"), Answer("D,0"), {}},
           {Request(), {}, {}},
           {Login("572906"), Answer("D,1"), {}},
           {Marked(*wire::PasswordChangeLine(kField, "new")), Answer("F,1"), {}},
           {Login("572906"), Answer("D,0"), {}},
           {Login("new"), Answer("D,1"), {}},
       }},
  };
  for (const auto& [name, steps] : cases) {
    Relay relay("572906", 100000000, false);
    RelaySession session;
    for (std::size_t i = 0; i < steps.size(); ++i) {
      const RelayOutcome outcome = relay.HandleLine(session, steps[i].in);
      EXPECT_EQ(outcome.toClient, steps[i].toClient) << name << ", step " << i;
      EXPECT_EQ(outcome.toBmc, steps[i].toBmc) << name << ", step " << i;
    }
  }
}

}  // namespace
}  // namespace bms::sim
