#pragma once

#include <cstddef>
#include <string>

namespace bms::forms {

// The last `count` lines of a text whose lines end in CR LF, each ended so (an unended
// last line counts and gets its end); a text of no more lines comes back unchanged.
std::string KeepLastLines(std::string text, std::size_t count);

}  // namespace bms::forms
