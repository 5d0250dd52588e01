#include "sim/pack_model.h"

#include <algorithm>
#include <cmath>

namespace bms::sim {

namespace {

constexpr double kCapacityAh = 50;
constexpr double kNominalCellV = 3.2;
// State of charge moved by one ampere in one step, in per mille: fast enough to see the
// display move within seconds, slow enough to look like a battery.
constexpr double kPermillePerAmpStep = 0.015;
constexpr int kPhaseSteps = 120;
constexpr int kChargeDeciA = 300;
constexpr int kDischargeDeciA = -400;
constexpr int kFullPermille = 950;
constexpr int kEmptyPermille = 100;
constexpr double kInternalMilliohm = 0.6;

// Open-circuit voltage of a lithium iron phosphate cell: steep at both ends, flat between.
int OpenCircuitMv(double socPercent) {
  struct Point {
    double soc;
    double mv;
  };
  constexpr Point kCurve[] = {{0, 2900},  {10, 3200}, {30, 3270},
                              {70, 3310}, {90, 3340}, {100, 3450}};
  socPercent = std::clamp(socPercent, 0.0, 100.0);
  for (std::size_t i = 1; i < std::size(kCurve); ++i) {
    if (socPercent <= kCurve[i].soc) {
      const Point& a = kCurve[i - 1];
      const Point& b = kCurve[i];
      return static_cast<int>(
          std::lround(a.mv + (b.mv - a.mv) * (socPercent - a.soc) / (b.soc - a.soc)));
    }
  }
  return static_cast<int>(kCurve[std::size(kCurve) - 1].mv);
}

}  // namespace

PackModel::PackModel(std::uint64_t seed, int bicCount) : rng_(StreamSeed(seed, 1)) {
  bics_.resize(static_cast<std::size_t>(std::max(0, bicCount)));
  for (Bic& bic : bics_) {
    bic.cells = rng_.Between(8, kMaxCellsPerBic);
    bic.sensors = rng_.Between(4, kMaxSensorsPerBic);
    for (int& offset : bic.cellOffsetMv) offset = rng_.Between(-6, 6);
    for (int& t : bic.sensorC) t = rng_.Between(22, 27);
    bic.boardC = rng_.Between(28, 33);
  }
  socPermille_ = rng_.Between(300, 799);
  charging_ = rng_.OneIn(2);
  phaseStepsLeft_ = kPhaseSteps;
  currentDeciA_ = charging_ ? kChargeDeciA : kDischargeDeciA;
  bmcC_ = rng_.Between(30, 35);
  supplyDeciV_ = rng_.Between(130, 134);
  UpdateCells();
}

int PackModel::Drift(Rng& rng, int value, int lo, int hi, int oneIn) {
  if (!rng.OneIn(oneIn)) return value;
  return std::clamp(value + (rng.OneIn(2) ? 1 : -1), lo, hi);
}

void PackModel::Step() {
  ++steps_;
  // The current alternates between charging and discharging, and turns early at the ends.
  if (--phaseStepsLeft_ <= 0 || (charging_ && socPermille_ >= kFullPermille) ||
      (!charging_ && socPermille_ <= kEmptyPermille)) {
    charging_ = !charging_;
    phaseStepsLeft_ = kPhaseSteps;
  }
  currentDeciA_ = (charging_ ? kChargeDeciA : kDischargeDeciA) + rng_.Between(-5, 5);
  if (charging_ && chargingHeld_) currentDeciA_ = 0;
  socPermille_ = std::clamp(
      socPermille_ + static_cast<int>(std::lround(currentDeciA_ / 10.0 * kPermillePerAmpStep *
                                                  (1 + rng_.Between(0, 2)))),
      0, 1000);

  for (Bic& bic : bics_) {
    for (int& t : bic.sensorC) t = Drift(rng_, t, 15, 40, 15);
    bic.boardC = Drift(rng_, bic.boardC, 20, 50, 10);
  }
  bmcC_ = Drift(rng_, bmcC_, 20, 55, 20);
  supplyDeciV_ = Drift(rng_, supplyDeciV_, 124, 138, 8);
  UpdateCells();
}

void PackModel::UpdateCells() {
  const int meanMv = OpenCircuitMv(socPercent()) +
                     static_cast<int>(std::lround(actualCurrentA() * kInternalMilliohm));
  for (Bic& bic : bics_) {
    for (std::size_t i = 0; i < bic.actualMv.size(); ++i)
      bic.actualMv[i] = meanMv + bic.cellOffsetMv[i] + rng_.Between(-1, 1);
    Report(bic);
  }
}

void PackModel::HoldCharging(bool hold) {
  chargingHeld_ = hold;
  if (charging_) currentDeciA_ = hold ? 0 : kChargeDeciA;
}

void PackModel::ConfigureBic(int number, int cells, int sensors, int referenceMv) {
  Bic& bic = bics_.at(static_cast<std::size_t>(number - 1));
  bic.cells = std::clamp(cells, 0, kMaxCellsPerBic);
  bic.sensors = std::clamp(sensors, 0, kMaxSensorsPerBic);
  bic.referenceMv = referenceMv;
  Report(bic);
}

// A BIC measures against its reference: a reference set higher than the nominal one makes
// every cell read that much higher.
void PackModel::Report(Bic& bic) {
  const double gain = static_cast<double>(bic.referenceMv) / kNominalReferenceMv;
  for (std::size_t i = 0; i < bic.cellMv.size(); ++i)
    bic.cellMv[i] = static_cast<int>(std::lround(bic.actualMv[i] * gain));
  UpdateBalancing(bic);
}

double PackModel::currentA() const {
  return actualCurrentA() * meter_.currentGain + meter_.currentOffsetA;
}

// Balancing bleeds the two highest cells of a BIC when they stand out from its lowest.
void PackModel::UpdateBalancing(Bic& bic) {
  constexpr int kThresholdMv = 4;
  bic.balancing = 0;
  if (bic.cells == 0) return;
  const auto begin = bic.cellMv.begin();
  const int lowest = *std::min_element(begin, begin + bic.cells);
  for (int pick = 0; pick < 2; ++pick) {
    int best = -1;
    for (int n = 0; n < bic.cells; ++n) {
      if (bic.balancing & (1u << n)) continue;
      if (best < 0 ||
          bic.cellMv[static_cast<std::size_t>(n)] > bic.cellMv[static_cast<std::size_t>(best)])
        best = n;
    }
    if (best < 0 || bic.cellMv[static_cast<std::size_t>(best)] - lowest < kThresholdMv) break;
    bic.balancing = static_cast<std::uint16_t>(bic.balancing | (1u << best));
  }
}

int PackModel::totalCells() const {
  int cells = 0;
  for (const Bic& bic : bics_) cells += bic.cells;
  return cells;
}

double PackModel::totalVoltageV() const {
  long mv = 0;
  for (const Bic& bic : bics_) {
    for (int n = 0; n < bic.cells; ++n) mv += bic.cellMv[static_cast<std::size_t>(n)];
  }
  return static_cast<double>(mv) / 1000.0 * meter_.voltageGain;
}

int PackModel::estimatedMinutes() const {
  // A step moves the charge by twice the per-ampere amount on average, and there are 60
  // steps a minute at the default rate of one set per second.
  const double permillePerMinute = std::fabs(actualCurrentA()) * kPermillePerAmpStep * 2 * 60;
  const int left = charging_ ? 1000 - socPermille_ : socPermille_;
  if (permillePerMinute <= 0) return 0;
  return std::clamp(static_cast<int>(std::ceil(left / permillePerMinute)), 0, 0x3FFF);
}

double PackModel::remainingKwh() const {
  return socPercent() / 100.0 * kCapacityAh * kNominalCellV * totalCells() / 1000.0;
}

double PackModel::maxChargeCurrentA() const { return socPermille_ >= 900 ? 10 : 50; }
double PackModel::chargeVoltageLimitV() const { return totalCells() * 3.55; }
double PackModel::maxDischargeCurrentA() const { return socPermille_ <= 100 ? 20 : 100; }
double PackModel::dischargeVoltageLimitV() const { return totalCells() * 2.8; }

namespace {

template <typename Value, typename Better>
Position Extreme(const std::vector<Bic>& bics, Value value, int Bic::*count, Better better) {
  Position found;
  for (std::size_t b = 0; b < bics.size(); ++b) {
    for (int n = 0; n < bics[b].*count; ++n) {
      const int v = value(bics[b], n);
      if (found.bic == 0 || better(v, found.value)) {
        found = Position{static_cast<int>(b + 1), n + 1, v};
      }
    }
  }
  return found;
}

int CellOf(const Bic& bic, int n) { return bic.cellMv[static_cast<std::size_t>(n)]; }
int SensorOf(const Bic& bic, int n) { return bic.sensorC[static_cast<std::size_t>(n)]; }

}  // namespace

Position PackModel::highestCell() const {
  return Extreme(bics_, CellOf, &Bic::cells, std::greater<>());
}
Position PackModel::lowestCell() const {
  return Extreme(bics_, CellOf, &Bic::cells, std::less<>());
}
Position PackModel::hottestSensor() const {
  return Extreme(bics_, SensorOf, &Bic::sensors, std::greater<>());
}
Position PackModel::coldestSensor() const {
  return Extreme(bics_, SensorOf, &Bic::sensors, std::less<>());
}

Position PackModel::hottestBoard() const {
  Position found;
  for (std::size_t b = 0; b < bics_.size(); ++b) {
    if (found.bic == 0 || bics_[b].boardC > found.value)
      found = {static_cast<int>(b + 1), 0, bics_[b].boardC};
  }
  return found;
}

Position PackModel::coldestBoard() const {
  Position found;
  for (std::size_t b = 0; b < bics_.size(); ++b) {
    if (found.bic == 0 || bics_[b].boardC < found.value)
      found = {static_cast<int>(b + 1), 0, bics_[b].boardC};
  }
  return found;
}

}  // namespace bms::sim
