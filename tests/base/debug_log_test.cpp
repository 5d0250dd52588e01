#include "base/debug_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "testing/fake_platform.h"
#include "testing/form_factories.h"

namespace bms::base {
namespace {

constexpr const char* kReceived = "接收数据编辑框";

class DebugLogTest : public ::testing::Test {
 protected:
  testing::FakePlatform platform{"/tmp", testing::FormFactoryFor(testing::Backend::Memory)};
  DebugLog log{platform};
};

// Nothing is kept while the window is closed; once open, entries carry their counter and
// one line end, even after a carriage return.
TEST_F(DebugLogTest, EntriesCarryTheirCounterAndOneLineEndEvenAfterACarriageReturn) {
  log.received("lost");
  auto& window = platform.openWindow(base::Window::Debug);
  EXPECT_EQ(window.text(kReceived), "");
  log.receivedCount = 7;
  log.received("T,05F5E100,7,09A10175,0CE4FFFF,FFFFFFFF,\r");
  log.sentCount = 2;
  log.sent("T,05F5E100,6,09A00174,FFFFFFFF,FFFFFFFF,\r\n");
  EXPECT_EQ(window.text(kReceived), "7: T,05F5E100,7,09A10175,0CE4FFFF,FFFFFFFF,\r\n");
  EXPECT_EQ(window.text("发送数据编辑框"), "2: T,05F5E100,6,09A00174,FFFFFFFF,FFFFFFFF,\r\n");
}

TEST_F(DebugLogTest, ReceivedLinesShowBytesOutsidePrintableAsciiEscaped) {
  auto& window = platform.openWindow(base::Window::Debug);
  for (const auto& [line, shown] : std::vector<std::pair<std::string, std::string>>{
           {"T,05F5E100,7,\r", "0: T,05F5E100,7,\r\n"},
           {"T,\x7F\x80\xE5\x85\x89,\t\x01\r", "0: T,\\x7F\\x80\\xE5\\x85\\x89,\\x09\\x01\r\n"},
           {std::string("a\0b", 3), "0: a\\x00b\r\n"}}) {
    log.clearReceived();
    log.receivedLine(line);
    EXPECT_EQ(window.text(kReceived), shown);
  }
  log.clearReceived();
  log.received("未能保存设置文件！");  // the tool's own messages are text
  EXPECT_EQ(window.text(kReceived), "0: 未能保存设置文件！\r\n");
}

TEST_F(DebugLogTest, APaneKeepsItsLastSeventyLinesAndAPausedOneNone) {
  auto& window = platform.openWindow(base::Window::Debug);
  for (int i = 1; i <= 70; ++i) log.received("line " + std::to_string(i));
  EXPECT_TRUE(window.text(kReceived).starts_with("0: line 1\r\n"));
  log.received("line 71");
  const std::string pane = window.text(kReceived);
  EXPECT_TRUE(pane.starts_with("0: line 2\r\n"));
  EXPECT_TRUE(pane.ends_with("0: line 71\r\n"));
  EXPECT_EQ(std::count(pane.begin(), pane.end(), '\n'), 70);

  window.setText("通信协议暂停显示按钮", "Continue display");
  for (int i = 0; i < 10; ++i) log.sent("x\r\n");
  window.setText("通信协议暂停显示按钮", "Pause display");
  EXPECT_EQ(window.text("发送数据编辑框"), "");
}

TEST_F(DebugLogTest, ABatchWritesOnceAtItsEndAndKeepsTheLastLines) {
  auto& window = platform.openWindow(base::Window::Debug);
  log.received("before");
  {
    const DebugLog::Batch batch(log);
    for (int i = 1; i <= 5000; ++i) log.received("burst line " + std::to_string(i));
    EXPECT_EQ(window.text(kReceived), "0: before\r\n") << "nothing shown mid-batch";
  }
  const std::string pane = window.text(kReceived);
  EXPECT_EQ(std::count(pane.begin(), pane.end(), '\n'), 70);
  EXPECT_TRUE(pane.starts_with("0: burst line 4931\r\n"));
  EXPECT_TRUE(pane.ends_with("0: burst line 5000\r\n"));
}

}  // namespace
}  // namespace bms::base
