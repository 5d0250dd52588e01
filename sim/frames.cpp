#include "sim/frames.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "params/validators.h"
#include "wire/hex_text.h"

namespace bms::sim {

namespace {

using wire::ByteToHex2;
using wire::DwordToHex8;
using wire::WordToHex4;

constexpr std::string_view kUnused = "FFFFFFFF";

// The float goes through the same decimal-text encoder the tool uses for its own saves,
// rounded to what a display could show anyway.
std::string FloatField(double value) {
  char text[64];
  const auto result =
      std::to_chars(std::begin(text), std::end(text), value, std::chars_format::fixed, 3);
  return params::FloatToHex8(std::string_view(text, static_cast<std::size_t>(result.ptr - text)))
      .value_or("00000000");
}

// 12 V supply byte: offset 6.5 V, 0.1 V a step.
int SupplyByte(int decivolts) { return std::clamp(decivolts - 65, 0, 255); }

}  // namespace

std::string BmcFrameLine(std::string_view bmcField, const Frame& frame) {
  std::string line;
  line.reserve(42);
  line += "T,";
  line += bmcField;
  line += ",7,";
  line += frame.id;
  line += ',';
  line += frame.data1;
  line += ',';
  line += frame.data2;
  line += ",\r\n";
  return line;
}

std::array<Frame, 5> RunDataFrames(const PackModel& pack, std::uint8_t faults,
                                   std::uint8_t warnings) {
  constexpr int kContactorOn = 0x8000;
  constexpr int kEstimatePresent = 0x4000;
  constexpr int kEstimateCharging = 0x8000;

  const int stateWord = kContactorOn | std::clamp(pack.socPermille(), 0, 0x3FF);
  const Position high = pack.highestCell();
  const Position low = pack.lowestCell();
  const int estimate = kEstimatePresent | (pack.charging() ? kEstimateCharging : 0) |
                       std::clamp(pack.estimatedMinutes(), 0, 0x3FFF);
  return {
      Frame{"09A10001", FloatField(pack.maxChargeCurrentA()),
            FloatField(pack.chargeVoltageLimitV())},
      Frame{"09A10002", FloatField(pack.maxDischargeCurrentA()),
            FloatField(pack.dischargeVoltageLimitV())},
      Frame{"09A10003", FloatField(pack.currentA()), FloatField(pack.totalVoltageV())},
      Frame{"09A10004", WordToHex4(stateWord) + WordToHex4(high.value),
            WordToHex4(low.value) + ByteToHex2(pack.hottestSensor().value) +
                ByteToHex2(pack.coldestSensor().value)},
      Frame{"09A10005",
            ByteToHex2(faults) + ByteToHex2(warnings) + ByteToHex2(pack.bmcTemperatureC()) +
                ByteToHex2(pack.hottestBoard().value),
            ByteToHex2(pack.coldestBoard().value) + WordToHex4(estimate) +
                ByteToHex2(SupplyByte(pack.supplyDecivolts()))},
  };
}

Frame FirmwareVersionFrame() {
  return {"09A10013", DwordToHex8(kFirmwareVersion), std::string(kUnused)};
}

Frame RemainingEnergyFrame(const PackModel& pack) {
  return {"09A10021", FloatField(pack.remainingKwh()), std::string(kUnused)};
}

Frame ExtremePositionsFrame(const PackModel& pack) {
  const Position high = pack.highestCell();
  const Position low = pack.lowestCell();
  const Position hot = pack.hottestSensor();
  const Position cold = pack.coldestSensor();
  return {
      "09A10043",
      ByteToHex2(high.bic) + ByteToHex2(high.index) + ByteToHex2(low.bic) + ByteToHex2(low.index),
      ByteToHex2(hot.bic) + ByteToHex2(hot.index) + ByteToHex2(cold.bic) + ByteToHex2(cold.index)};
}

Frame BoardTemperaturePositionsFrame(const PackModel& pack) {
  return {"09A10045",
          ByteToHex2(pack.hottestBoard().bic) + ByteToHex2(pack.coldestBoard().bic) + "FFFF",
          std::string(kUnused)};
}

std::vector<Frame> CellDetailFrames(const PackModel& pack, int number) {
  const Bic& bic = pack.bic(number);
  const std::string suffix = ByteToHex2(number);
  std::vector<Frame> frames;
  frames.reserve(7);
  frames.push_back({"09A111" + suffix,
                    ByteToHex2(bic.cells) + ByteToHex2(bic.sensors) + WordToHex4(bic.balancing),
                    ByteToHex2(bic.boardC) + "FFFFFF"});
  // Positions the BIC does not have carry the "unused" filler.
  const auto cell = [&](int n) {
    return n <= bic.cells ? WordToHex4(bic.cellMv[static_cast<std::size_t>(n - 1)]) : "FFFF";
  };
  for (int kind = 2; kind <= 5; ++kind) {
    const int first = 4 * (kind - 2) + 1;
    frames.push_back({"09A11" + std::to_string(kind) + suffix, cell(first) + cell(first + 1),
                      cell(first + 2) + cell(first + 3)});
  }
  const auto sensor = [&](int n) {
    return (n <= bic.sensors ? ByteToHex2(bic.sensorC[static_cast<std::size_t>(n - 1)]) : "FF") +
           "FF";
  };
  for (int kind = 6; kind <= 7; ++kind) {
    const int first = 4 * (kind - 6) + 1;
    frames.push_back({"09A11" + std::to_string(kind) + suffix, sensor(first) + sensor(first + 1),
                      sensor(first + 2) + sensor(first + 3)});
  }
  return frames;
}

}  // namespace bms::sim
