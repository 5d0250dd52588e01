#include "forms/text_lines.h"

#include <string.h>

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
    // Back to the previous LF (memrchr is vectorised: a pane is thousands of bytes), and
    // on past any LF that no CR stands before.
    const void* lf = at < 2 ? nullptr : ::memrchr(text.data() + 1, '\n', at - 1);
    if (lf == nullptr) return text;
    at = static_cast<std::size_t>(static_cast<const char*>(lf) - text.data()) - 1;
    if (text[at] != '\r') {
      ++at;
      continue;
    }
    --ends;
  }
  text.erase(0, at + kLineEnd.size());
  if (openEnd) text += kLineEnd;
  return text;
}

}  // namespace bms::forms
