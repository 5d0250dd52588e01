#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace bms::sim {

// Lets a link's queued bytes leave no faster than a serial line of a given baud rate
// carries them, 11 bits a byte (start bit, 8 data bits, 2 stop bits). A byte may leave
// once its last bit would have arrived. Credit is never saved up: an idle line, or one
// whose reader stops taking bytes, starts its next burst from the moment it resumes.
class Pacer {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr int kBitsPerByte = 11;

  // No baud rate: every byte may leave at once.
  explicit Pacer(std::optional<int> baud);

  // How many of the `queued` bytes may be written at `now`.
  std::size_t Due(std::size_t queued, Clock::time_point now);
  // Of the `due` bytes, `written` were taken by the reader and `left` are still queued.
  void Wrote(std::size_t written, std::size_t due, std::size_t left);
  // When the next queued byte falls due; none while unpaced or idle.
  std::optional<Clock::time_point> NextDue() const;

 private:
  std::optional<double> nsPerByte_;
  bool idle_ = true;
  Clock::time_point start_;     // when the present burst began
  std::uint64_t released_ = 0;  // bytes of the present burst that have left
};

}  // namespace bms::sim
