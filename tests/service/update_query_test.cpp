#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "backends.h"
#include "service/update_query.h"
#include "testing/driver.h"

// Once per run, shortly after the first connection, the tool asks the update
// server whether a newer release exists.
namespace bms::testing {
namespace {

constexpr const char* kTimer = "升级查询控制定时器";
constexpr const char* kHint = "新版提示";
constexpr const char* kEndpoint = "tcp update.example.com:3050";
constexpr const char* kRequest = "BMS-RV07-Windows,20230307,\r\n";
constexpr const char* kEnglishHint = "Please upgrade to a new version";

class UpdateQuery : public ::testing::TestWithParam<Backend> {};

// Closing the link after the first tick does not stop the query.
TEST_P(UpdateQuery, ConnectsAtTickOneSendsAtThreeClosesAtSixOncePerRun) {
  Driver driver(GetParam());
  StartConnected(driver);
  EXPECT_EQ(driver.interval(kTimer), 1000);
  using Tick = std::tuple<const char*, const char*, int>;  // link, sent, interval
  const Tick ticks[] = {{kEndpoint, "", 1000}, {kEndpoint, "", 1000}, {kEndpoint, kRequest, 1000},
                        {kEndpoint, "", 1000}, {kEndpoint, "", 1000}, {"", "", 0}};
  for (std::size_t n = 0; n < std::size(ticks); ++n) {
    const auto& [link, sent, interval] = ticks[n];
    driver.advance(1000);
    if (n == 0) driver.click("通信按钮");
    EXPECT_EQ(driver.updateLink(), link) << "tick " << n + 1;
    EXPECT_EQ(driver.updateSent(), sent) << "tick " << n + 1;
    EXPECT_EQ(driver.interval(kTimer), interval) << "tick " << n + 1;
  }

  driver.click("通信按钮");
  EXPECT_EQ(driver.interval(kTimer), 1000) << "every connection starts the timer";
  driver.advance(1000);
  EXPECT_EQ(driver.interval(kTimer), 0) << "the first tick of a later connection stops it";
  driver.advance(10000);
  EXPECT_EQ(driver.updateLink(), "");
  EXPECT_EQ(driver.updateSent(), "");
}

TEST_P(UpdateQuery, AFailedConnectionReportsNothing) {
  Driver driver(GetParam());
  StartConnected(driver);
  driver.failNextUpdateConnect();
  driver.advance(6000);
  EXPECT_EQ(driver.updateSent(), "");
  EXPECT_EQ(driver.text(kHint), "");
  EXPECT_EQ(driver.text("错误指示灯标签"), "");
  EXPECT_EQ(driver.text("通信按钮"), "Stop");
}

TEST_P(UpdateQuery, OnlyAnAnswerOfExactlyOneShowsTheHint) {
  struct Case {
    std::vector<std::string> answers;
    std::string shown;
    bool known;  // the hint blinks and follows the language
  };
  const std::vector<Case> cases = {
      {{"1"}, kEnglishHint, true}, {{std::string("1\0junk", 6)}, kEnglishHint, true},
      {{"0"}, "", false},          {{"1\r\n"}, "", false},
      {{"11"}, "", false},         {{"1", "0"}, kEnglishHint, false},
  };
  for (const auto& c : cases) {
    Driver driver(GetParam());
    StartConnected(driver);
    driver.advance(1000);
    for (const auto& answer : c.answers) driver.updateReply(answer);
    EXPECT_EQ(driver.text(kHint), c.shown) << c.answers[0];
    const auto before = driver.background(kHint);
    driver.advance(500);
    EXPECT_EQ(driver.background(kHint) != before, c.known) << c.answers[0];
    driver.click("简体中文单选框");
    EXPECT_EQ(driver.text(kHint), c.known ? "请升级新版本" : c.shown) << c.answers[0];
  }
}

TEST(UpdateServerOption, HostAndOptionalPort) {
  using service::ParseUpdateServer;
  using service::UpdateServer;
  struct Case {
    const char* text;
    std::optional<UpdateServer> server;
  };
  const Case cases[] = {{"127.0.0.1", UpdateServer{"127.0.0.1", 3050}},
                        {"localhost:41234", UpdateServer{"localhost", 41234}},
                        {"h:65535", UpdateServer{"h", 65535}}};
  for (const auto& c : cases) EXPECT_EQ(ParseUpdateServer(c.text), c.server) << c.text;
  for (const char* refused : {"", ":3050", "h:", "h:0", "h:65536", "h:+80", "h:1:2", "a host"}) {
    EXPECT_EQ(ParseUpdateServer(refused), std::nullopt) << refused;
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, UpdateQuery, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
