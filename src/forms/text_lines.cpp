#include "forms/text_lines.h"

#include <string_view>

namespace bms::forms {

std::string KeepLastLines(std::string text, std::size_t count) {
  constexpr std::string_view kLineEnd = "\r\n";
  if (count == 0) return {};
  const bool openEnd = !text.empty() && !text.ends_with(kLineEnd);
  // The line end before the first kept line, counted from the back; an unended last
  // line has none of its own.
  std::size_t ends = count + (openEnd ? 0 : 1);
  std::size_t at = text.size();
  while (ends > 0) {
    if (at == 0) return text;
    at = text.rfind(kLineEnd, at - 1);
    if (at == std::string::npos) return text;
    --ends;
  }
  text.erase(0, at + kLineEnd.size());
  if (openEnd) text += kLineEnd;
  return text;
}

}  // namespace bms::forms
