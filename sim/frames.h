#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim/pack_model.h"

// The frames the BMC sends, built from the pack with the project's hex helpers.
namespace bms::sim {

struct Frame {
  std::string id;
  std::string data1;
  std::string data2;

  friend bool operator==(const Frame&, const Frame&) = default;
};

// "T," + bmcField + ",7," + id + "," + data1 + "," + data2 + ",\r\n"
std::string BmcFrameLine(std::string_view bmcField, const Frame& frame);

// The five run-monitor frames 09A10001 to 09A10005, in order.
std::array<Frame, 5> RunDataFrames(const PackModel& pack, std::uint8_t faults,
                                   std::uint8_t warnings);

Frame FirmwareVersionFrame();                                 // 09A10013
Frame RemainingEnergyFrame(const PackModel& pack);            // 09A10021
Frame ExtremePositionsFrame(const PackModel& pack);           // 09A10043
Frame BoardTemperaturePositionsFrame(const PackModel& pack);  // 09A10045
// The seven frames 09A111bb to 09A117bb of BIC `number` (1 to the BIC count).
std::vector<Frame> CellDetailFrames(const PackModel& pack, int number);

inline constexpr std::uint32_t kFirmwareVersion = 20240115;

}  // namespace bms::sim
