#include "sim/relay.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "link/frame_line.h"

namespace bms::sim {
namespace {

constexpr std::uint32_t kBmc = 100000000;
const std::string kField = "05F5E100";

std::optional<std::string> DecodeLine(const std::string& encoded) {
  const link::ReceivedFields fields("T,x,SC," + encoded + "\r");
  return DecodeAccessPassword(fields[4], fields[5], fields[6]);
}

TEST(RelayLogin, PasswordsSurviveTheProjectsEncoding) {
  for (const std::string password : {"", "572906", "ABCDEFGHIJK", "0", "a,b", "\xE9\x01"}) {
    const auto encoded = link::EncodeAccessPassword(password);
    ASSERT_TRUE(encoded.has_value());
    EXPECT_EQ(DecodeLine(*encoded), password);
  }
}

TEST(RelayLogin, MalformedGroupsAreNoPassword) {
  struct Case {
    std::string encoded;
    std::optional<std::string> password;
  };
  for (const auto& c : {
           Case{"03414243,30303030,30303030,", "ABC"},
           Case{"03616263,30303030,30303030,", "abc"},
           Case{"03414243,FFFFFFFF,FFFFFFFF,", "ABC"},  // the filler is not examined
           Case{"02414243,30303030,30303030,", "AB"},   // the length byte decides
           Case{"0b414243,44454647,48494a4b,", "ABCDEFGHIJK"},
           Case{"0C414243,44454647,48494A4B,", std::nullopt},
           Case{"FF414243,44454647,48494A4B,", std::nullopt},
           Case{"0341424,30303030,30303030,", std::nullopt},
           Case{"03414243,30303030,303030300,", std::nullopt},
           Case{"03414243,3030303G,30303030,", std::nullopt},
           Case{"03414243,30303030,", std::nullopt},
           Case{"03414243,30303030,30303030", std::nullopt},  // the line end sticks to F6
           Case{"", std::nullopt},
       }) {
    EXPECT_EQ(DecodeLine(c.encoded), c.password) << c.encoded;
  }
}

TEST(RelayLogin, RemoteMarkerIsStrippedBehindTheBmcField) {
  struct Case {
    std::string line;
    std::string stripped;
  };
  for (const auto& c : {
           Case{"T,05F5E100,S6,09A00100,FFFFFFFF,FFFFFFFF,\r",
                "T,05F5E100,6,09A00100,FFFFFFFF,FFFFFFFF,\r"},
           Case{"T,05F5E100,S5,\r", "T,05F5E100,5,\r"},
           Case{"T,05F5E100,6,S,\r", "T,05F5E100,6,S,\r"},
           Case{"T,,SS6,\r", "T,,S6,\r"},
           Case{"T,05F5E100,", "T,05F5E100,"},
           Case{"T", "T"},
       }) {
    EXPECT_EQ(StripRemoteMarker(c.line), c.stripped);
    EXPECT_EQ(StripRemoteMarker(link::AddRemoteMarker(c.stripped)).size(), c.stripped.size());
  }
}

// What the tool sends in relay mode, as the relay receives it (CR kept, LF cut off).
std::string Marked(const std::string& line) {
  std::string marked = link::AddRemoteMarker(line);
  marked.pop_back();
  return marked;
}
std::string Login(const std::string& password, const std::string& field = kField) {
  return Marked(*link::PasswordLine(field, password));
}
std::string Change(const std::string& password) {
  return Marked(*link::PasswordChangeLine(kField, password));
}
std::string Request(const std::string& field = kField) {
  return Marked(link::FrameLine(field, "09A00100", "FFFFFFFF", "FFFFFFFF"));
}

struct Step {
  std::string in;
  std::vector<std::string> toClient;
  std::optional<std::string> toBmc;
};

TEST(RelaySession, ConversationsWithOneClient) {
  const std::string passed = "T,05F5E100,6,09A00100,FFFFFFFF,FFFFFFFF,\r";
  struct Case {
    std::string name;
    bool refuseLogin;
    std::vector<Step> steps;
  };
  const std::vector<Case> cases = {
      {"login then frames",
       false,
       {
           {Marked(link::PingLine(kField)), {"T,05F5E100,S2,1,\r\n", "T,05F5E100,B,\r\n"}, {}},
           {Request(), {}, {}},
           {Login("572906"), {"T,05F5E100,D,1,\r\n"}, {}},
           {Marked(link::PingLine(kField)), {"T,05F5E100,S2,1,\r\n"}, {}},
           {Request(), {}, passed},
           {Marked(link::KeepAliveLine(kField)), {}, "T,05F5E100,5,\r"},
           {Request("05F5E101"), {}, {}},
           {link::FrameLine(kField, "09A00100", "FFFFFFFF", "FFFFFFFF"), {}, {}},
           {"X,05F5E100,S6,09A00100,FFFFFFFF,FFFFFFFF,\r", {}, {}},
       }},
      {"the relay's lines echo the client's BMC field",
       false,
       {
           {Marked(link::PingLine("0BEBC200")), {"T,0BEBC200,S2,1,\r\n", "T,0BEBC200,B,\r\n"}, {}},
           {Login("572906", "0BEBC200"), {"T,0BEBC200,D,1,\r\n"}, {}},
           {Request("0BEBC200"), {}, {}},
           {Request("05f5e100"), {}, "T,05f5e100,6,09A00100,FFFFFFFF,FFFFFFFF,\r"},
       }},
      {"wrong password",
       false,
       {
           {Login("572907"), {"T,05F5E100,D,0,\r\n"}, {}},
           {Login("57290"), {"T,05F5E100,D,0,\r\n"}, {}},
           {Request(), {}, {}},
           {Login("572906"), {"T,05F5E100,D,1,\r\n"}, {}},
           {Login("bad"), {"T,05F5E100,D,0,\r\n"}, {}},
           {Request(), {}, {}},
       }},
      {"refusing every login",
       true,
       {
           {Login("572906"), {"T,05F5E100,D,0,\r\n"}, {}},
           {Request(), {}, {}},
       }},
      {"password change",
       false,
       {
           {Change("new"), {"T,05F5E100,F,0,\r\n"}, {}},  // not logged in
           {Login("572906"), {"T,05F5E100,D,1,\r\n"}, {}},
           {"T,05F5E100,SE,0C414243,44454647,48494A4B,\r", {"T,05F5E100,F,0,\r\n"}, {}},
           {Change("new"), {"T,05F5E100,F,1,\r\n"}, {}},
           {Login("572906"), {"T,05F5E100,D,0,\r\n"}, {}},
           {Login("new"), {"T,05F5E100,D,1,\r\n"}, {}},
       }},
  };
  for (const auto& c : cases) {
    Relay relay("572906", kBmc, c.refuseLogin);
    RelaySession session;
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      const Step& step = c.steps[i];
      const RelayOutcome outcome = relay.HandleLine(session, step.in);
      EXPECT_EQ(outcome.toClient, step.toClient) << c.name << ", step " << i;
      EXPECT_EQ(outcome.toBmc, step.toBmc) << c.name << ", step " << i;
    }
  }
}

TEST(RelaySession, AChangedPasswordHoldsForLaterClientsOnly) {
  Relay relay("old", kBmc, false);
  RelaySession first;
  RelaySession second;
  relay.HandleLine(first, Login("old"));
  relay.HandleLine(second, Login("old"));
  relay.HandleLine(first, Change("new"));
  EXPECT_EQ(relay.password(), "new");
  EXPECT_TRUE(second.loggedIn);  // nobody is thrown out
  RelaySession third;
  EXPECT_EQ(relay.HandleLine(third, Login("old")).toClient,
            std::vector<std::string>{"T,05F5E100,D,0,\r\n"});
}

}  // namespace
}  // namespace bms::sim
