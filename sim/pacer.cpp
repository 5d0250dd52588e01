#include "sim/pacer.h"

#include <algorithm>
#include <cmath>

namespace bms::sim {

Pacer::Pacer(std::optional<int> baud) {
  if (baud) nsPerByte_ = kBitsPerByte * 1e9 / *baud;
}

std::size_t Pacer::Due(std::size_t queued, Clock::time_point now) {
  if (!nsPerByte_) return queued;
  if (queued == 0) return 0;
  if (idle_) {
    idle_ = false;
    start_ = now;
    released_ = 0;
  }
  const auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(now - start_);
  const double carried = std::floor(static_cast<double>(elapsed.count()) / *nsPerByte_);
  const double may = std::max(0.0, carried - static_cast<double>(released_));
  return static_cast<std::size_t>(std::min(may, static_cast<double>(queued)));
}

void Pacer::Wrote(std::size_t written, std::size_t due, std::size_t left) {
  released_ += written;
  // A reader that did not take what was due holds the line; it resumes as a new burst.
  if (left == 0 || written < due) idle_ = true;
}

std::optional<Pacer::Clock::time_point> Pacer::NextDue() const {
  if (!nsPerByte_ || idle_) return std::nullopt;
  const double ns = std::ceil(static_cast<double>(released_ + 1) * *nsPerByte_);
  return start_ + std::chrono::duration_cast<Clock::duration>(
                      std::chrono::nanoseconds(static_cast<std::int64_t>(ns)));
}

}  // namespace bms::sim
