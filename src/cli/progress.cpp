#include "cli/progress.h"

#include <utility>

namespace bms::cli {

namespace {
constexpr std::size_t kBarWidth = 30;
}

Progress::Progress(std::FILE* out, bool terminal, std::string what)
    : out_(out), terminal_(terminal), what_(std::move(what)) {}

void Progress::update(std::size_t done, std::size_t total) {
  if (total == 0 || done > total) return;
  const auto percent = done * 100 / total;
  if (terminal_) {
    const auto filled = done * kBarWidth / total;
    std::fprintf(out_, "\r%s [%s%s] %3zu%% %zu/%zu", what_.c_str(),
                 std::string(filled, '#').c_str(), std::string(kBarWidth - filled, ' ').c_str(),
                 percent, done, total);
    std::fflush(out_);
    drawn_ = true;
    return;
  }
  const int tenth = static_cast<int>(percent / 10);
  while (lastTenth_ < tenth) {
    ++lastTenth_;
    std::fprintf(out_, "%s: %d%% (%zu of %zu)\n", what_.c_str(), lastTenth_ * 10, done, total);
  }
  std::fflush(out_);
}

void Progress::finish() {
  if (terminal_ && std::exchange(drawn_, false)) std::fputc('\n', out_);
  std::fflush(out_);
}

}  // namespace bms::cli
