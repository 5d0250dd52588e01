#include "wire/line_cutter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bms::wire {
namespace {

using Lines = std::vector<std::string>;

Lines FeedAll(LineCutter& cutter, const std::vector<std::string>& chunks) {
  Lines all;
  for (const auto& chunk : chunks) {
    for (auto& line : cutter.feed(chunk)) all.push_back(std::move(line));
  }
  return all;
}

TEST(LineCutter, TcpLinesEndAtCrLfAndKeepTheCr) {
  struct Case {
    std::vector<std::string> chunks;
    Lines lines;
    std::string pending;
  };
  for (const auto& c : {
           Case{{"T,05F5E100,7,09A10175,0CE4FFFF,FFFFFFFF,\r\nT,05F5"},
                {"T,05F5E100,7,09A10175,0CE4FFFF,FFFFFFFF,\r"},
                "T,05F5"},
           Case{{"a\r\nb\r\n"}, {"a\r", "b\r"}, ""},
           Case{{"a\r", "\nb"}, {"a\r"}, "b"},
           Case{{"a\n\rb\r\r\n"}, {"a\n\rb\r\r"}, ""},
           Case{{"\r\n"}, {"\r"}, ""},
           Case{{std::string("x\0y\r\n", 5)}, {std::string("x\0y\r", 4)}, ""},
       }) {
    LineCutter cutter(LineCutter::Mode::Tcp);
    EXPECT_EQ(FeedAll(cutter, c.chunks), c.lines);
    EXPECT_EQ(cutter.pending(), c.pending);
  }
}

TEST(LineCutter, SerialLinesEndAtLfAndDropCr) {
  struct Case {
    std::vector<std::string> chunks;
    Lines lines;
  };
  for (const auto& c : {
           Case{{"A", "\r", "\n"}, {"A\r\n"}},
           Case{{"\n"}, {"\r\n"}},
           Case{{"a\rb\nc", "d\n"}, {"ab\r\n", "cd\r\n"}},
           Case{{"\r\r"}, {}},
       }) {
    LineCutter cutter(LineCutter::Mode::Serial);
    EXPECT_EQ(FeedAll(cutter, c.chunks), c.lines);
  }
}

TEST(LineCutter, AnEndlessLineKeepsOnlyItsNewestBytes) {
  for (auto mode : {LineCutter::Mode::Tcp, LineCutter::Mode::Serial}) {
    LineCutter cutter(mode, 16);
    for (int i = 0; i < 1000; ++i) cutter.feed("0123456789");
    EXPECT_LE(cutter.pending().size(), 16u);
    const auto lines = cutter.feed("END\r\nT,1,\r\n");
    ASSERT_EQ(lines.size(), 2u);
    const std::string end = mode == LineCutter::Mode::Tcp ? "END\r" : "END\r\n";
    EXPECT_TRUE(lines[0].ends_with(end)) << lines[0];
    EXPECT_LE(lines[0].size(), 18u);
    EXPECT_EQ(lines[1], mode == LineCutter::Mode::Tcp ? "T,1,\r" : "T,1,\r\n");
  }
}

TEST(LineCutter, AnOverlongLineInOneChunkIsCutToo) {
  LineCutter cutter(LineCutter::Mode::Tcp, 8);
  const auto lines = cutter.feed(std::string(100, 'x') + "abc\r\nok\r\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "xxxxabc\r");
  EXPECT_EQ(lines[1], "ok\r");
}

}  // namespace
}  // namespace bms::wire
