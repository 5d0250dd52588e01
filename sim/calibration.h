#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "sim/frames.h"
#include "sim/pack_model.h"

namespace bms::sim {

// A 50 mV shunt of 10 A per mV: full scale 500 A over 32767 converter counts.
inline constexpr float kDefaultCurrentScale = 0.0152593f;
// The count a current channel reads at 0 A.
inline constexpr int kDefaultCurrentZero = 32768;
// An 800 : 10 divider in front of a 5 V converter of 65535 counts.
inline constexpr float kDefaultVoltageScale = 0.0061799f;

// What the BMC knows about one BIC on its internal bus.
struct BicSetup {
  int address = 0;
  int cells = 0;
  int sensors = 0;
  int referenceMv = kNominalReferenceMv;
};

// A current channel: amperes per converter count and the count that reads 0 A.
struct CurrentChannel {
  float scale = kDefaultCurrentScale;
  int zero = kDefaultCurrentZero;

  // What the channel reads while `actualA` flows: the converter counts from the factory
  // zero with the factory scale, the BMC converts them with what it has been told.
  double Reading(double actualA) const;
  // The count the converter shows while `actualA` flows.
  static int CountAt(double actualA);
};

// The BMC's sensor calibration and BIC configuration. It starts from the pack as seeded
// (BIC n at address n, every BIC installed) and keeps every change until the program
// ends. Changes reach the pack at once, so they show in the run data and cell details.
class CalibrationStore {
 public:
  CalibrationStore(const PackModel& pack, bool refuseChanges);

  // The answer to a read, save or calibration request; nothing when the request is none
  // of these or names a BIC address that no BIC has. A refused change is acknowledged
  // "00" instead of "AA" and changes nothing.
  std::optional<Frame> Answer(std::int64_t request, std::string_view data1, std::string_view data2,
                              PackModel& pack);
  // Whether the request is one of the calibration or BIC configuration requests, for any
  // BIC address.
  static bool Knows(std::int64_t request);

  int installedBics() const { return installed_; }

 private:
  std::optional<Frame> BicAnswer(std::int64_t request, std::string_view data1, PackModel& pack);
  bool SaveInstalled(std::string_view data1);
  bool SaveBicField(std::int64_t command, const std::vector<int>& targets, std::string_view data1,
                    const PackModel& pack);
  std::vector<int> Targets(int address, bool save) const;
  Frame Acknowledge(std::int64_t answer, bool changed, PackModel& pack) const;
  void Apply(PackModel& pack) const;

  bool refuseChanges_;
  float voltageScale_ = kDefaultVoltageScale;
  CurrentChannel current_;
  CurrentChannel dcPort_;
  int installed_ = 0;
  std::vector<BicSetup> bics_;
};

}  // namespace bms::sim
