#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim/calibration.h"
#include "sim/pack_model.h"
#include "sim/parameters.h"

namespace bms::sim {

struct Frame;

struct BmcConfig {
  std::uint32_t number = 100000000;
  int bics = 3;
  std::uint64_t seed = 1;
  std::uint8_t faults = 0;
  std::uint8_t warnings = 0;
  SavePolicy saves = SavePolicy::Open;
};

// The BMC as seen from its link: it answers requests and produces its run data. It knows
// nothing about sockets; whoever owns the link decides where the lines go.
class Bmc {
 public:
  explicit Bmc(const BmcConfig& config);

  // The lines answering one received line (as cut from the link, line end included or
  // not); none for a keep-alive, a ping reply or a request the BMC does not know. A
  // parameter save changes what later reads answer; a calibration also changes the run
  // data and cell details.
  std::vector<std::string> HandleLine(std::string_view line);

  // The next run-data line, cycling through 09A10001 to 09A10005; the pack moves one
  // step after each complete set.
  std::string NextRunDataLine();

  const std::string& bmcField() const { return bmcField_; }
  const PackModel& pack() const { return pack_; }

 private:
  std::vector<std::string> Answer(std::string_view id, std::string_view data1,
                                  std::string_view data2);
  std::string Line(const Frame& frame) const;

  BmcConfig config_;
  std::string bmcField_;
  PackModel pack_;
  ParameterStore parameters_;
  CalibrationStore calibration_;
  int nextRunFrame_ = 0;
};

}  // namespace bms::sim
