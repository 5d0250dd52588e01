#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace bms::cli {

// Progress of a run on standard error: a bar redrawn in place on a terminal, otherwise a
// plain line at every tenth, so that a log file stays short and readable.
class Progress {
 public:
  Progress(std::FILE* out, bool terminal, std::string what);
  void update(std::size_t done, std::size_t total);
  // Ends the bar's line; a log gets nothing more.
  void finish();

 private:
  std::FILE* out_;
  bool terminal_;
  std::string what_;
  int lastTenth_ = 0;
  bool drawn_ = false;
};

}  // namespace bms::cli
