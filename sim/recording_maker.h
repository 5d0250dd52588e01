#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "monitor/run_monitor.h"
#include "sim/pack_model.h"

namespace bms::sim {

// The run values the tool decodes from this pack's run-data frames.
monitor::RunValues RunValuesOf(const PackModel& pack);

struct MadeRecording {
  std::uint32_t bmcNumber = 100000000;
  int bics = 3;
  std::uint64_t seed = 1;
  int hours = 8;
  std::uint8_t faults = 0;  // come on halfway through, so that the chart shows both sides
  std::uint8_t warnings = 0;
  std::int64_t startMs = 0;  // UTC
};

// Writes what the tool records of this pack over `hours` of one-second run-data sets: the
// run data, the lines it received and the alarm flags, on simulated time. The file must
// not exist yet. Empty when written, else why not.
std::string MakeRecording(const std::filesystem::path& path, const MadeRecording& made);

}  // namespace bms::sim
