#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "sim/rng.h"

namespace bms::sim {

inline constexpr int kMaxCellsPerBic = 16;
inline constexpr int kMaxSensorsPerBic = 8;

inline constexpr int kNominalReferenceMv = 2500;

struct Bic {
  int cells = 0;                              // reported: 1 to 16, 8 to 16 as seeded
  int sensors = 0;                            // reported: 0 to 8, 4 to 8 as seeded
  std::array<int, kMaxCellsPerBic> cellMv{};  // as the BIC reports them
  std::array<int, kMaxSensorsPerBic> sensorC{};
  int boardC = 0;
  std::uint16_t balancing = 0;  // bit 0 = cell 1

  // Every position is simulated, so that a larger count set later has values to report.
  std::array<int, kMaxCellsPerBic> actualMv{};
  std::array<int, kMaxCellsPerBic> cellOffsetMv{};  // fixed spread of each cell
  int referenceMv = kNominalReferenceMv;            // scales what the BIC reports
};

// How the BMC turns the true pack current and total voltage into its readings:
// reading = true value x gain + offset.
struct Meter {
  double currentGain = 1;
  double currentOffsetA = 0;
  double voltageGain = 1;
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

  // What a BIC reports: its counts and the reference its cell readings are scaled by.
  // Takes effect at once and draws no random numbers, so a configured pack stays in step
  // with an unconfigured one of the same seed.
  void ConfigureBic(int number, int cells, int sensors, int referenceMv);
  void SetMeter(const Meter& meter) { meter_ = meter; }
  // While held (the charger has paused) the pack takes no charging current; discharging
  // goes on. Takes effect at once and draws no random numbers.
  void HoldCharging(bool hold);

  double socPercent() const { return socPermille_ / 10.0; }
  int socPermille() const { return socPermille_; }
  double currentA() const;  // the reading, positive while charging
  double actualCurrentA() const { return currentDeciA_ / 10.0; }
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
  static void Report(Bic& bic);
  static void UpdateBalancing(Bic& bic);
  static int Drift(Rng& rng, int value, int lo, int hi, int oneIn);

  Rng rng_;
  std::vector<Bic> bics_;
  long steps_ = 0;
  int socPermille_ = 0;
  int currentDeciA_ = 0;
  bool charging_ = true;
  int phaseStepsLeft_ = 0;
  bool chargingHeld_ = false;
  int bmcC_ = 0;
  int supplyDeciV_ = 0;
  Meter meter_;
};

}  // namespace bms::sim
