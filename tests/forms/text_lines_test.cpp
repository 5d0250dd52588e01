#include "forms/text_lines.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <tuple>
#include <vector>

namespace bms::forms {
namespace {

TEST(KeepLastLines, KeepsTheLastLinesEachEnded) {
  for (const auto& [text, count, kept] :
       std::vector<std::tuple<std::string, std::size_t, std::string>>{
           {"", 2, ""},
           {"a\r\nb\r\n", 2, "a\r\nb\r\n"},  // no more lines than kept: unchanged
           {"a\r\nb", 2, "a\r\nb"},          // even with an unended last line
           {"a\r\nb\r\nc\r\n", 2, "b\r\nc\r\n"},
           {"a\r\nb\r\nc", 2, "b\r\nc\r\n"},       // the unended last line gets its end
           {"a\r\n\r\n\r\n", 2, "\r\n\r\n"},       // empty lines count
           {"a\r\rb\r\nc\nd\r\n", 1, "c\nd\r\n"},  // only CR LF ends a line
           {"\r\na\r\n", 1, "a\r\n"},
           {"a\r\nb\r\n", 0, ""}}) {
    EXPECT_EQ(KeepLastLines(text, count), kept) << text << " " << count;
  }
}

}  // namespace
}  // namespace bms::forms
