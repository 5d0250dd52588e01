#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "sim/rng.h"

namespace bms::sim {

inline constexpr int kMaxCellsPerBic = 16;
inline constexpr int kMaxSensorsPerBic = 8;

struct Bic {
  int cells = 0;    // 8 to 16
  int sensors = 0;  // 4 to 8
  std::array<int, kMaxCellsPerBic> cellMv{};
  std::array<int, kMaxSensorsPerBic> sensorC{};
  int boardC = 0;
  std::uint16_t balancing = 0;  // bit 0 = cell 1

  std::array<int, kMaxCellsPerBic> cellOffsetMv{};  // fixed spread of each cell
};

// Where an extreme value sits: BIC and cell or sensor number, both from 1.
struct Position {
  int bic = 0;
  int index = 0;
  int value = 0;
};

// A plausible pack that moves one step per run-data set. Time is counted in steps, not
// read from a clock, so its whole history depends on the seed alone.
class PackModel {
 public:
  PackModel(std::uint64_t seed, int bicCount);

  void Step();
  long steps() const { return steps_; }

  int bicCount() const { return static_cast<int>(bics_.size()); }
  const Bic& bic(int number) const { return bics_.at(static_cast<std::size_t>(number - 1)); }
  int totalCells() const;

  double socPercent() const { return socPermille_ / 10.0; }
  int socPermille() const { return socPermille_; }
  double currentA() const { return currentDeciA_ / 10.0; }  // positive while charging
  bool charging() const { return charging_; }
  double totalVoltageV() const;
  int bmcTemperatureC() const { return bmcC_; }
  int supplyDecivolts() const { return supplyDeciV_; }
  int estimatedMinutes() const;
  double remainingKwh() const;

  double maxChargeCurrentA() const;
  double chargeVoltageLimitV() const;
  double maxDischargeCurrentA() const;
  double dischargeVoltageLimitV() const;

  // With no BIC installed every position is 0.
  Position highestCell() const;
  Position lowestCell() const;
  Position hottestSensor() const;
  Position coldestSensor() const;
  Position hottestBoard() const;  // index unused
  Position coldestBoard() const;

 private:
  void UpdateCells();
  void UpdateBalancing(Bic& bic) const;
  static int Drift(Rng& rng, int value, int lo, int hi, int oneIn);

  Rng rng_;
  std::vector<Bic> bics_;
  long steps_ = 0;
  int socPermille_ = 0;
  int currentDeciA_ = 0;
  bool charging_ = true;
  int phaseStepsLeft_ = 0;
  int bmcC_ = 0;
  int supplyDeciV_ = 0;
};

}  // namespace bms::sim
