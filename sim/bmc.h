#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/calibration.h"
#include "sim/counters.h"
#include "sim/dc_module.h"
#include "sim/frames.h"
#include "sim/pack_model.h"
#include "sim/parameters.h"

namespace bms::sim {

struct BmcConfig {
  std::uint32_t number = 100000000;
  int bics = 3;
  std::uint64_t seed = 1;
  std::uint8_t faults = 0;
  std::uint8_t warnings = 0;
  SavePolicy saves = SavePolicy::Open;
  double secondsPerSet = 1;  // the simulated time one run-data set stands for
};

// The BMC as seen from its link: it answers requests and produces its run data. It knows
// nothing about sockets; whoever owns the link decides where the lines go.
class Bmc {
 public:
  explicit Bmc(const BmcConfig& config);

  // The lines answering one received line (as cut from the link, line end included or
  // not); none for a keep-alive or a ping reply. A parameter save changes what later reads
  // answer; a calibration also changes the run data and cell details. A frame whose ID is
  // none of the BMC's requests comes back as ID + 1 with the same data, as a CAN debugging
  // aid would see it.
  std::vector<std::string> HandleLine(std::string_view line);

  // The next run-data line, cycling through 09A10001 to 09A10005; the pack moves one
  // step and the counters one set's time after each complete set.
  std::string NextRunDataLine();

  std::uint32_t number() const { return number_; }
  const std::string& bmcField() const { return bmcField_; }
  const PackModel& pack() const { return pack_; }

 private:
  std::vector<std::string> Answer(std::string_view id, std::string_view data1,
                                  std::string_view data2);
  std::optional<Frame> Own(std::int64_t request, std::string_view data1, std::string_view data2);
  bool Knows(std::int64_t request) const;
  std::string Line(const Frame& frame) const;

  BmcConfig config_;
  std::uint32_t number_;
  std::string bmcField_;
  PackModel pack_;
  ParameterStore parameters_;
  CalibrationStore calibration_;
  Counters counters_;
  DcChargingModule dcModule_;
  int nextRunFrame_ = 0;
  // The present set's frames, made once instead of once a line: each one walks every cell
  // of the pack. A request or the pack's step may change them, and drops them.
  std::optional<std::array<Frame, 5>> runFrames_;
};

}  // namespace bms::sim
