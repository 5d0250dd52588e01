#include "cli/line_link.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "testing/fake_transports.h"
#include "testing/virtual_clock.h"

namespace bms::cli {
namespace {

constexpr std::string_view kFrameAnswer = "T,05F5E100,7,09A10175,0CE4FFFF,FFFFFFFF,\r\n";

class LineLinkTest : public ::testing::Test {
 protected:
  void SetUp() override { tcp.connect("127.0.0.1", 8000); }

  void make(LineLink::Mode mode) {
    link.reset();  // the old link lets go of the transport before the new one takes it
    const LineLink::Settings settings{mode, "100000000", "secret"};
    link = mode == LineLink::Mode::Serial ? std::make_unique<LineLink>(serial, *timer, settings)
                                          : std::make_unique<LineLink>(tcp, *timer, settings);
    link->onReady = [this] { events.push_back("ready"); };
    link->onFrame = [this](std::string_view id, std::string_view data1, std::string_view data2) {
      events.push_back(std::string(id) + "/" + std::string(data1) + "/" + std::string(data2));
    };
    link->onFailed = [this](std::string_view reason) {
      events.push_back("failed: " + std::string(reason));
    };
  }

  testing::VirtualClock clock;
  std::unique_ptr<base::Timer> timer = clock.createTimer("link");
  testing::FakeTcpClient tcp;
  testing::FakeSerialPort serial;
  std::unique_ptr<LineLink> link;  // after the transports: it lets go of them as it goes
  std::vector<std::string> events;
};

TEST_F(LineLinkTest, ADirectLinkIsReadyAtOncePassesFramesBothWaysAndAnswersPings) {
  make(LineLink::Mode::Direct);
  link->start();
  EXPECT_EQ(events, std::vector<std::string>{"ready"});
  link->sendFrame("09A00174", "FFFFFFFF", "FFFFFFFF");
  EXPECT_EQ(tcp.takeSent(), "T,05F5E100,6,09A00174,FFFFFFFF,FFFFFFFF,\r\n");
  // Split across reads, with a foreign line and a non-frame line in between.
  tcp.deliver("X,1,2\r\nT,05F5E100,5,\r\nT,05F5E100,7,09A1");
  tcp.deliver("0175,0CE4FFFF,FFFFFFFF,\r\n");
  EXPECT_EQ(events, (std::vector<std::string>{"ready", "09A10175/0CE4FFFF/FFFFFFFF"}));
  tcp.deliver("T,0BEBC200,1,\r\n");  // answered with the received number
  EXPECT_EQ(tcp.takeSent(), "T,0BEBC200,2,1,\r\n");
}

// Every line in either direction reaches the listeners as a recording keeps it: no line
// end, no password.
TEST_F(LineLinkTest, TheRelayIsPingedThenLoggedIntoBeforeTheLinkIsReady) {
  make(LineLink::Mode::Relay);
  std::vector<std::string> lines;
  link->onSentLine = [&lines](std::string_view line) {
    lines.push_back("tx " + std::string(line));
  };
  link->onReceivedLine = [&lines](std::string_view line) {
    lines.push_back("rx " + std::string(line));
  };
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
  tcp.deliver(kFrameAnswer);
  tcp.deliver("T,0BEBC200,1,\r\n");
  EXPECT_EQ(tcp.takeSent(), "T,0BEBC200,S2,1,\r\n");
  const std::vector<std::string> expected = {
      "tx T,05F5E100,S1,",
      "tx T,05F5E100,S1,",
      "rx T,05F5E100,S2,1,",
      "rx T,05F5E100,B,",
      "tx T,05F5E100,SC,********,********,********,",
      "rx T,05F5E100,D,1,",
      "tx T,05F5E100,S6,09A00174,FFFFFFFF,FFFFFFFF,",
      "rx T,05F5E100,7,09A10175,0CE4FFFF,FFFFFFFF,",
      "rx T,0BEBC200,1,",
      "tx T,0BEBC200,S2,1,",
  };
  EXPECT_EQ(lines, expected);
}

TEST_F(LineLinkTest, AReadyLinkIsKeptAliveWhileItWaits) {
  make(LineLink::Mode::Relay);
  link->start();
  tcp.deliver("T,05F5E100,S2,1,\r\nT,05F5E100,B,\r\nT,05F5E100,D,1,\r\n");
  tcp.takeSent();
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
    std::string delivered;  // by the relay after the start
    int silentPings;        // ping intervals that pass after that
    std::string reason;
  };
  const std::string pinged = "T,05F5E100,S2,1,\r\nT,05F5E100,B,\r\n";
  for (const auto& c : std::vector<Case>{
           {"refused login", pinged + "T,05F5E100,D,0,\r\n", 0, "refused"},
           {"silent relay", "", LineLink::kLoginPings + 1, "did not let us log in"},
           {"answered ping, no login result", "T,05F5E100,S2,1,\r\n", LineLink::kLoginPings + 1,
            "did not let us log in"},
           {"peer closed", "", -1, "closed"},
       }) {
    events.clear();
    tcp.connect("127.0.0.1", 8000);
    make(LineLink::Mode::Relay);
    link->start();
    if (!c.delivered.empty()) tcp.deliver(c.delivered);
    if (c.silentPings < 0) tcp.peerClose();
    clock.advance(LineLink::kPingIntervalMs * std::max(c.silentPings, 0));
    ASSERT_EQ(events.size(), 1u) << c.name;
    EXPECT_NE(events[0].find(c.reason), std::string::npos) << c.name << ": " << events[0];
    EXPECT_FALSE(tcp.isConnected()) << c.name;
    EXPECT_FALSE(link->isOpen()) << c.name;
    EXPECT_EQ(timer->interval(), 0) << c.name << ": the timer still runs";
    clock.advance(LineLink::kKeepAliveIntervalMs * 3);
    tcp.deliver("T,05F5E100,D,0,\r\n");
    EXPECT_EQ(events.size(), 1u) << c.name << ": reported more than once";
  }
}

TEST_F(LineLinkTest, ASerialLinkCutsLinesAtLineFeedAndSendsNoMarker) {
  serial.open({});
  make(LineLink::Mode::Serial);
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
