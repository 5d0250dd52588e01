#include "cli/line_link.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "testing/fake_transports.h"
#include "testing/virtual_clock.h"

namespace bms::cli {
namespace {

constexpr std::string_view kFrameAnswer = "T,05F5E100,7,09A10175,0CE4FFFF,FFFFFFFF,\r\n";

class LineLinkTest : public ::testing::Test {
 public:  // the cases of a table reach in through their lambdas
  void SetUp() override { tcp.connect("127.0.0.1", 8000); }

  void make(LineLink::Mode mode, std::string password = "secret") {
    link.reset();  // the old link lets go of the transport before the new one takes it
    link = std::make_unique<LineLink>(tcp, *timer,
                                      LineLink::Settings{mode, "100000000", std::move(password)});
    watch();
  }

  void watch() {
    link->onReady = [this] { events.push_back("ready"); };
    link->onFrame = [this](std::string_view id, std::string_view data1, std::string_view data2) {
      events.push_back(std::string(id) + "/" + std::string(data1) + "/" + std::string(data2));
    };
    link->onFailed = [this](std::string_view reason) {
      events.push_back("failed: " + std::string(reason));
    };
  }

  // Starts a relay link and logs in; the lines sent on the way are dropped.
  void logIn() {
    make(LineLink::Mode::Relay);
    link->start();
    tcp.deliver("T,05F5E100,S2,1,\r\nT,05F5E100,B,\r\nT,05F5E100,D,1,\r\n");
    tcp.takeSent();
  }

  testing::VirtualClock clock;
  std::unique_ptr<base::Timer> timer = clock.createTimer("link");
  testing::FakeTcpClient tcp;
  testing::FakeSerialPort serial;
  std::unique_ptr<LineLink> link;  // after the transports: it lets go of them as it goes
  std::vector<std::string> events;
};

TEST_F(LineLinkTest, ADirectLinkIsReadyAtOnceAndPassesFramesBothWays) {
  make(LineLink::Mode::Direct);
  link->start();
  EXPECT_EQ(events, std::vector<std::string>{"ready"});
  link->sendFrame("09A00174", "FFFFFFFF", "FFFFFFFF");
  EXPECT_EQ(tcp.takeSent(), "T,05F5E100,6,09A00174,FFFFFFFF,FFFFFFFF,\r\n");
  // Split across reads, with a foreign line and a non-frame line in between.
  tcp.deliver("X,1,2\r\nT,05F5E100,5,\r\nT,05F5E100,7,09A1");
  tcp.deliver("0175,0CE4FFFF,FFFFFFFF,\r\n");
  EXPECT_EQ(events, (std::vector<std::string>{"ready", "09A10175/0CE4FFFF/FFFFFFFF"}));
}

TEST_F(LineLinkTest, PingsAreAnsweredWithTheReceivedNumber) {
  struct Case {
    LineLink::Mode mode;
    std::string reply;
  };
  for (const auto& c : {Case{LineLink::Mode::Direct, "T,0BEBC200,2,1,\r\n"},
                        Case{LineLink::Mode::Relay, "T,0BEBC200,S2,1,\r\n"}}) {
    make(c.mode);
    tcp.deliver("T,0BEBC200,1,\r\n");
    EXPECT_EQ(tcp.takeSent(), c.reply);
  }
}

TEST_F(LineLinkTest, TheRelayIsPingedThenLoggedIntoBeforeTheLinkIsReady) {
  make(LineLink::Mode::Relay);
  link->start();
  EXPECT_EQ(tcp.takeSent(), "T,05F5E100,S1,\r\n");
  clock.advance(LineLink::kPingIntervalMs);
  EXPECT_EQ(tcp.takeSent(), "T,05F5E100,S1,\r\n");
  tcp.deliver("T,05F5E100,S2,1,\r\nT,05F5E100,B,\r\n");
  EXPECT_EQ(tcp.takeSent(), "T,05F5E100,SC,06736563,72657430,30303030,\r\n");
  clock.advance(LineLink::kPingIntervalMs);
  EXPECT_EQ(tcp.takeSent(), "") << "no more pings once the relay answered";
  EXPECT_TRUE(events.empty());
  tcp.deliver("T,05F5E100,D,1,\r\n");
  EXPECT_EQ(events, std::vector<std::string>{"ready"});
  link->sendFrame("09A00174", "FFFFFFFF", "FFFFFFFF");
  EXPECT_EQ(tcp.takeSent(), "T,05F5E100,S6,09A00174,FFFFFFFF,FFFFFFFF,\r\n");
}

// Every line in either direction, as a recording keeps it: no line end, no password.
TEST_F(LineLinkTest, EveryLineReachesTheListenersWithTheLoginMasked) {
  make(LineLink::Mode::Relay);
  std::vector<std::string> lines;
  link->onSentLine = [&lines](std::string_view line) {
    lines.push_back("tx " + std::string(line));
  };
  link->onReceivedLine = [&lines](std::string_view line) {
    lines.push_back("rx " + std::string(line));
  };
  link->start();
  tcp.deliver("T,05F5E100,S2,1,\r\nT,05F5E100,B,\r\nT,05F5E100,D,1,\r\n");
  link->sendFrame("09A00174", "FFFFFFFF", "FFFFFFFF");
  tcp.deliver(kFrameAnswer);
  const std::vector<std::string> expected = {
      "tx T,05F5E100,S1,",
      "rx T,05F5E100,S2,1,",
      "rx T,05F5E100,B,",
      "tx T,05F5E100,SC,********,********,********,",
      "rx T,05F5E100,D,1,",
      "tx T,05F5E100,S6,09A00174,FFFFFFFF,FFFFFFFF,",
      "rx T,05F5E100,7,09A10175,0CE4FFFF,FFFFFFFF,",
  };
  EXPECT_EQ(lines, expected);
  EXPECT_NE(tcp.takeSent().find("SC,06736563,72657430,30303030,"), std::string::npos)
      << "the controller still gets the password";
}

TEST_F(LineLinkTest, AReadyLinkIsKeptAliveWhileItWaits) {
  logIn();
  clock.advance(LineLink::kKeepAliveIntervalMs - 1);
  EXPECT_EQ(tcp.takeSent(), "");
  clock.advance(1);
  EXPECT_EQ(tcp.takeSent(), "T,05F5E100,S5,\r\n");
  clock.advance(LineLink::kKeepAliveIntervalMs);
  EXPECT_EQ(tcp.takeSent(), "T,05F5E100,S5,\r\n");
}

TEST_F(LineLinkTest, EveryWayOfLosingTheLinkFailsItOnceAndClosesTheTransport) {
  struct Case {
    std::string name;
    std::function<void(LineLinkTest&)> lose;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"refused login",
       [](LineLinkTest& t) {
         t.link->start();
         t.tcp.deliver("T,05F5E100,S2,1,\r\nT,05F5E100,B,\r\nT,05F5E100,D,0,\r\n");
       },
       "refused"},
      {"silent relay",
       [](LineLinkTest& t) {
         t.link->start();
         t.clock.advance(LineLink::kPingIntervalMs * (LineLink::kLoginPings + 1));
       },
       "did not let us log in"},
      {"answered ping, no login result",
       [](LineLinkTest& t) {
         t.link->start();
         t.tcp.deliver("T,05F5E100,S2,1,\r\n");
         t.clock.advance(LineLink::kPingIntervalMs * (LineLink::kLoginPings + 1));
       },
       "did not let us log in"},
      {"peer closed",
       [](LineLinkTest& t) {
         t.link->start();
         t.tcp.peerClose();
       },
       "closed"},
  };
  for (const auto& c : cases) {
    events.clear();
    tcp.connect("127.0.0.1", 8000);
    make(LineLink::Mode::Relay);
    c.lose(*this);
    ASSERT_EQ(events.size(), 1u) << c.name;
    EXPECT_NE(events[0].find(c.reason), std::string::npos) << c.name << ": " << events[0];
    EXPECT_FALSE(tcp.isConnected()) << c.name;
    EXPECT_FALSE(link->isOpen()) << c.name;
    clock.advance(LineLink::kKeepAliveIntervalMs * 3);
    tcp.deliver("T,05F5E100,D,0,\r\n");
    EXPECT_EQ(events.size(), 1u) << c.name << ": reported more than once";
  }
}

TEST_F(LineLinkTest, ASerialLinkCutsLinesAtLineFeedAndSendsNoMarker) {
  serial.open({});
  link.reset();
  link = std::make_unique<LineLink>(serial, *timer,
                                    LineLink::Settings{LineLink::Mode::Serial, "100000000", ""});
  watch();
  link->start();
  serial.deliver(kFrameAnswer.substr(0, 20));
  serial.deliver(kFrameAnswer.substr(20));
  EXPECT_EQ(events, (std::vector<std::string>{"ready", "09A10175/0CE4FFFF/FFFFFFFF"}));
  link->sendFrame("09A00174", "FFFFFFFF", "FFFFFFFF");
  EXPECT_EQ(serial.takeWritten(), "T,05F5E100,6,09A00174,FFFFFFFF,FFFFFFFF,\r\n");
  serial.unplug();
  EXPECT_EQ(events.back(), "failed: the serial device went away");
}

}  // namespace
}  // namespace bms::cli
