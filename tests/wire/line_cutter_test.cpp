#include "wire/line_cutter.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace bms::wire {
namespace {

using Lines = std::vector<std::string>;
using Mode = LineCutter::Mode;

TEST(LineCutter, TcpLinesEndAtCrLfAndKeepTheCrSerialOnesAtLfWithoutIt) {
  using C = std::tuple<Mode, Lines, Lines, std::string>;  // chunks, lines, pending
  for (const auto& [mode, chunks, lines, pending] :
       {C{Mode::Tcp, {"T,05F5E100,7,\r\nT,05F5"}, {"T,05F5E100,7,\r"}, "T,05F5"},
        C{Mode::Tcp, {"a\r\nb\r\n"}, {"a\r", "b\r"}, ""},
        C{Mode::Tcp, {"a\r", "\nb"}, {"a\r"}, "b"},
        C{Mode::Tcp, {"a\n\rb\r\r\n"}, {"a\n\rb\r\r"}, ""}, C{Mode::Tcp, {"\r\n"}, {"\r"}, ""},
        C{Mode::Tcp, {std::string("x\0y\r\n", 5)}, {std::string("x\0y\r", 4)}, ""},
        C{Mode::Serial, {"A", "\r", "\n"}, {"A\r\n"}, ""}, C{Mode::Serial, {"\n"}, {"\r\n"}, ""},
        C{Mode::Serial, {"a\rb\nc", "d\n"}, {"ab\r\n", "cd\r\n"}, ""},
        C{Mode::Serial, {"\r\r"}, {}, ""}}) {
    LineCutter cutter(mode);
    Lines all;
    for (const auto& chunk : chunks) {
      for (auto& line : cutter.feed(chunk)) all.push_back(std::move(line));
    }
    EXPECT_EQ(all, lines) << chunks[0];
    if (mode == Mode::Tcp) {
      EXPECT_EQ(cutter.pending(), pending) << chunks[0];
    }
  }
}

TEST(LineCutter, AnEndlessLineKeepsOnlyItsNewestBytes) {
  for (auto mode : {Mode::Tcp, Mode::Serial}) {
    LineCutter cutter(mode, 16);
    for (int i = 0; i < 1000; ++i) cutter.feed("0123456789");
    EXPECT_LE(cutter.pending().size(), 16u);
    const auto lines = cutter.feed("END\r\nT,1,\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].ends_with(mode == Mode::Tcp ? "END\r" : "END\r\n")) << lines[0];
    EXPECT_LE(lines[0].size(), 18u);
    EXPECT_EQ(lines[1], mode == Mode::Tcp ? "T,1,\r" : "T,1,\r\n");
  }
  LineCutter cutter(Mode::Tcp, 8);  // cut within one chunk too
  EXPECT_EQ(cutter.feed(std::string(100, 'x') + "abc\r\nok\r\n"), (Lines{"xxxxabc\r", "ok\r"}));
}

}  // namespace
}  // namespace bms::wire
