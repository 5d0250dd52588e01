#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "sim/frames.h"
#include "sim/pack_model.h"

namespace bms::sim {

// The DC charging module behind the BMC and the charger it talks to: the module's settings,
// what the charger reports, the pause command, the charger's 12 V supply and the charging
// socket's temperatures. The charger's ratings and the readings' spread come from the seed.
class DcChargingModule {
 public:
  DcChargingModule(std::uint64_t seed, bool refuseSaves);

  // The answer to one of the module's requests; nothing for any other request or for a
  // settings read of an item the module does not have. Pausing holds the pack's charging
  // current at 0 A until charging continues.
  std::optional<Frame> Answer(std::int64_t request, std::string_view data1, PackModel& pack);
  static bool Knows(std::int64_t request);

 private:
  std::optional<Frame> Settings(std::int64_t request, std::string_view data1);
  Frame ChargerReport(int item, const PackModel& pack) const;
  Frame SocketTemperatures(const PackModel& pack) const;

  bool refuseSaves_;
  // Current source, highest SOC, socket protection and warning temperature, sensor count.
  std::array<int, 5> settings_{2, 100, 90, 80, 2};
  bool paused_ = false;
  double maxOutputA_ = 0;
  double supplyV_ = 0;
  std::array<int, 2> socketBaseC_{};
};

}  // namespace bms::sim
