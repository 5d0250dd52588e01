#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "sim/frames.h"

namespace bms::sim {

// The BMC's run-time and energy counters. They move with simulated time only (the time a
// run-data set stands for), so their values depend on the seed and the lines received,
// never on the wall clock. The cumulative counters start from a history chosen by the seed.
class Counters {
 public:
  Counters(std::uint64_t seed, bool refuseChanges);

  // `seconds` pass while `currentA` (positive while charging) flows at `totalV`: the run
  // times grow, and the energy goes to the charge or the discharge counters by its sign.
  void Advance(double seconds, double currentA, double totalV);

  // The answer to a counter read or subtotal clear; nothing for any other request. A
  // refused clear is acknowledged "00" and keeps the subtotal.
  std::optional<Frame> Answer(std::int64_t request);
  static bool Knows(std::int64_t request);

  void PresetRunTime(double seconds);
  void PresetChargeWh(double wh);
  void PresetDischargeWh(double wh);

 private:
  // This power-on, then per kind the cumulative counter and its two subtotals.
  std::array<double, 10> values_{};
  bool refuseChanges_;
};

}  // namespace bms::sim
