#include "forms/text_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace bms::forms {
namespace {

TEST(KeepLastLines, KeepsTheLastLinesEachEnded) {
  using C = std::tuple<std::string, std::size_t, std::string>;
  // No more lines than kept leaves the text as it is, even with an unended last line;
  // a cut gives the unended last line its end. Empty lines count; only CR LF ends a line.
  for (const auto& [text, count, kept] :
       {C{"", 2, ""}, C{"a\r\nb\r\n", 2, "a\r\nb\r\n"}, C{"a\r\nb", 2, "a\r\nb"},
        C{"a\r\nb\r\nc\r\n", 2, "b\r\nc\r\n"}, C{"a\r\nb\r\nc", 2, "b\r\nc\r\n"},
        C{"a\r\n\r\n\r\n", 2, "\r\n\r\n"}, C{"a\r\rb\r\nc\nd\r\n", 1, "c\nd\r\n"},
        C{"\r\na\r\n", 1, "a\r\n"}, C{"a\r\nb\r\n", 0, ""}}) {
    EXPECT_EQ(KeepLastLines(text, count), kept) << text << " " << count;
  }
}

}  // namespace
}  // namespace bms::forms
