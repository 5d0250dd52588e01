#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "backends.h"
#include "testing/driver.h"

// A lost link comes back by itself when the user asked for it, on a schedule the user can
// read in the status line, and never against the user's own Stop.
namespace bms::testing {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kBox = "自动重连选择框";
constexpr const char* kTimer = "自动重连定时器";
constexpr const char* kState = "链路状态标签";
constexpr const char* kTcp = "tcp 127.0.0.1:8000";
constexpr const char* kFirstPoll = "T,05F5E100,6,09A00100,FFFFFFFF,FFFFFFFF,\r\n";

// Starts in direct (1) or relay (0) mode, ticks the box when asked and connects.
void Connect(Driver& driver, int mode, bool tick = true) {
  driver.writeFile("bms_user.txt",
                   "127.0.0.1,8000,572906,100000000,0,0," + std::to_string(mode) + ",1,");
  driver.start();
  if (tick) driver.click(kBox);
  driver.click("通信按钮");
}

class Reconnect : public ::testing::TestWithParam<Backend> {
 protected:
  void connect(int mode = 1) {
    Connect(driver, mode);
    driver.sent();
  }

  // Waits ms and expects the try to come exactly then, not a millisecond earlier; the
  // try fails when `fails`.
  void expectTryAfter(int ms, bool fails, const std::string& what) {
    driver.advance(ms - 1);
    EXPECT_EQ(driver.link(), "") << what << ": too early";
    EXPECT_EQ(driver.sent(), Lines{}) << what;
    if (fails) driver.failNextOpen();
    driver.advance(1);
    EXPECT_EQ(driver.link(), fails ? "" : kTcp) << what;
  }

  int attemptsLogged() {
    const auto log = driver.text("debug:接收数据编辑框");
    int count = 0;
    for (auto at = log.find("Reconnect attempt"); at != std::string::npos;
         at = log.find("Reconnect attempt", at + 1)) {
      ++count;
    }
    return count;
  }

  Driver driver{GetParam()};
};

TEST_P(Reconnect, OffByDefaultALostLinkStaysLostTillTheBoxIsTicked) {
  Connect(driver, 1, false);
  EXPECT_FALSE(driver.checked(kBox));
  EXPECT_EQ(driver.text(kBox), "Auto reconnect");
  driver.peerClose();
  driver.advance(120000);
  EXPECT_EQ(driver.link(), "");
  EXPECT_EQ(driver.interval(kTimer), 0);
  EXPECT_EQ(driver.text(kState), "Link to 127.0.0.1:8000 lost");
  // Ticking after the loss still brings the link back, though not after a failed try.
  driver.click(kBox);
  driver.failNextOpen();
  driver.advance(1000);
  driver.click(kBox);
  driver.advance(100);
  EXPECT_EQ(driver.text(kState), "Link to 127.0.0.1:8000 lost") << "after a failed try";
  driver.click(kBox);
  driver.advance(999);
  EXPECT_EQ(driver.link(), "");
  driver.advance(1);
  EXPECT_EQ(driver.link(), kTcp);
}

TEST_P(Reconnect, PausesDoubleUpToThirtySecondsAndTheTryResumesPolling) {
  connect();
  driver.click("Debug按钮");
  driver.peerClose();
  const int pauses[] = {1, 2, 4, 8, 16, 30, 30, 30};
  for (int n = 0; n < 8; ++n) {
    expectTryAfter(pauses[n] * 1000, true, "try " + std::to_string(n + 1));
  }
  EXPECT_EQ(attemptsLogged(), 8);
  // A failed try is told in the status line and the log, without a beep each time.
  EXPECT_EQ(driver.beeps(), 1);
  expectTryAfter(30000, false, "try 9");
  EXPECT_EQ(driver.text("通信按钮"), "Stop");
  EXPECT_FALSE(driver.enabled("服务器地址编辑框"));
  driver.advance(300);
  EXPECT_EQ(driver.sent(), Lines{kFirstPoll});
  EXPECT_EQ(driver.interval(kTimer), 0);

  // The success set the pause back to 1 s.
  driver.peerClose();
  expectTryAfter(1000, false, "after a success");
}

TEST_P(Reconnect, TheStatusLineCountsDownToTheNextTryInBothLanguages) {
  connect();
  driver.peerClose();
  driver.advance(100);
  EXPECT_EQ(driver.text(kState), "Reconnecting to 127.0.0.1:8000 in 1 s (attempt 1)");
  driver.failNextOpen();
  driver.advance(900);
  driver.failNextOpen();
  driver.advance(2100);
  EXPECT_EQ(driver.text(kState), "Reconnecting to 127.0.0.1:8000 in 4 s (attempt 3)");
  driver.click("简体中文单选框");
  driver.advance(1000);
  EXPECT_EQ(driver.text(kState), "3 秒后第 3 次重连 127.0.0.1:8000");
  EXPECT_EQ(driver.text(kBox), "自动重连");
  EXPECT_TRUE(driver.checked(kBox)) << "the language switch keeps the choice";
  driver.advance(3000);
  EXPECT_EQ(driver.text(kState), "已连接 127.0.0.1:8000");
}

TEST_P(Reconnect, TheRelayLoginRunsAgainAfterAReconnection) {
  connect(0);
  driver.receive("T,05F5E100,D,1,\r\n");
  driver.peerClose();
  driver.advance(1000);
  ASSERT_EQ(driver.link(), kTcp);
  driver.advance(300);
  EXPECT_EQ(driver.sent(),
            (Lines{"T,05F5E100,S1,\r\n", "T,05F5E100,S6,09A00100,FFFFFFFF,FFFFFFFF,\r\n"}));
  driver.receive("T,05F5E100,S2,\r\nT,05F5E100,B,\r\n");
  EXPECT_EQ(driver.sent(), Lines{"T,05F5E100,SC,06353732,39303630,30303030,\r\n"});
  driver.receive("T,05F5E100,D,1,\r\n");
  driver.advance(100);
  EXPECT_EQ(driver.text(kState), "Logged in through the relay 127.0.0.1:8000");
}

TEST_P(Reconnect, ASerialAdapterThatComesBackIsReopened) {
  driver.start();
  driver.click(kBox);
  driver.select("串口号选择框", 2);
  driver.click("通信按钮");
  driver.unplugSerial();
  EXPECT_EQ(driver.fill("串口状态显示"), (Rgb{0, 0, 0}));
  driver.advance(100);
  EXPECT_EQ(driver.text(kState), "Reconnecting to COM2 in 1 s (attempt 1)");
  driver.failNextOpen();  // not back yet
  driver.advance(900);
  EXPECT_EQ(driver.link(), "");
  driver.advance(1999);
  EXPECT_EQ(driver.link(), "");
  driver.advance(1);
  EXPECT_EQ(driver.link(), "serial COM2 9600 8N2");
  EXPECT_EQ(driver.fill("串口状态显示"), (Rgb{0, 255, 0}));
  driver.advance(300);
  EXPECT_EQ(driver.sent(), Lines{"T,00000000,6,09A00100,FFFFFFFF,FFFFFFFF,\r\n"});
}

// Whatever the user does to the link, and a link closed on purpose, ends the waiting at
// once: nothing is opened behind the user's back.
TEST_P(Reconnect, TheUserAndDeliberateClosingsAlwaysWin) {
  struct Case {
    const char* what;
    int mode;
    std::function<void(Driver&)> act;
  };
  const Case cases[] = {
      {"Stop", 1, [](Driver& d) { d.click("通信按钮"); }},
      {"unticked while waiting", 1,
       [](Driver& d) {
         d.peerClose();
         d.advance(999);
         d.click(kBox);
       }},
      {"Start while waiting, which fails", 1,
       [](Driver& d) {
         d.peerClose();
         d.advance(500);
         d.failNextOpen();
         d.click("通信按钮");
       }},
      {"Stop after a reconnection", 1,
       [](Driver& d) {
         d.peerClose();
         d.advance(1000);
         d.click("通信按钮");
       }},
      {"settings that no longer name a link", 1,
       [](Driver& d) {
         d.peerClose();
         d.setText("BMC编号编辑框", "12");
         d.advance(1000);
       }},
      {"refused login", 0, [](Driver& d) { d.receive("T,05F5E100,D,0,\r\n"); }},
      {"refused login after a reconnection", 0,
       [](Driver& d) {
         d.peerClose();
         d.advance(1000);
         d.receive("T,05F5E100,D,0,\r\n");
       }},
  };
  for (const auto& [what, mode, act] : cases) {
    Driver fresh(GetParam());
    Connect(fresh, mode);
    act(fresh);
    EXPECT_EQ(fresh.interval(kTimer), 0) << what;
    fresh.advance(120000);
    EXPECT_EQ(fresh.link(), "") << what;
    EXPECT_EQ(fresh.text("通信按钮"), "Start") << what;
  }
}

TEST_P(Reconnect, StartWhileWaitingConnectsAtOnceAndClosingTheMainWindowEndsIt) {
  connect();
  driver.peerClose();
  driver.advance(500);
  driver.click("通信按钮");
  EXPECT_EQ(driver.link(), kTcp);
  EXPECT_EQ(driver.interval(kTimer), 0);
  driver.advance(300);
  EXPECT_EQ(driver.sent(), Lines{kFirstPoll});
  driver.advance(700);
  EXPECT_EQ(driver.sent(), Lines{}) << "no second opening restarted the poll";
  // Nothing tries again once the main window is closed.
  driver.peerClose();
  driver.closeMainWindow();
  EXPECT_EQ(driver.interval(kTimer), 0);
  driver.advance(60000);
  EXPECT_EQ(driver.link(), "");
}

INSTANTIATE_TEST_SUITE_P(Backends, Reconnect, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
