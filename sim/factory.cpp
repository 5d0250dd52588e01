#include "sim/factory.h"

#include <cmath>

#include "wire/hex_text.h"
#include "wire/number_text.h"

namespace bms::sim {

namespace {

constexpr std::int64_t kFactoryPrefix = 0x09A03000;
constexpr std::int64_t kAnswerOffset = 0x00010001;
constexpr std::int64_t kMinBmcNumber = 100000000;
constexpr std::int64_t kMaxBmcNumber = 999999999;

bool IsField(std::string_view text) { return text.size() == 8 && wire::IsHexText(text); }

// kWh in data1 and the Wh beyond them as a float in data2.
std::optional<double> EnergyWh(std::string_view data1, std::string_view data2) {
  if (!IsField(data1) || !IsField(data2)) return std::nullopt;
  const double wh = wire::HexToFloat(data2);
  if (!std::isfinite(wh) || wh < 0) return std::nullopt;
  return static_cast<double>(wire::HexToInteger(data1)) * 1000 + wh;
}

bool Write(int command, std::string_view data1, std::string_view data2, std::uint32_t& number,
           Counters& counters) {
  if (command == 0x00) {
    if (!IsField(data1)) return false;
    const std::int64_t wanted = wire::HexToInteger(data1);
    if (wanted < kMinBmcNumber || wanted > kMaxBmcNumber) return false;
    number = static_cast<std::uint32_t>(wanted);
    return true;
  }
  if (command == 0x02) {
    if (!IsField(data1)) return false;
    counters.PresetRunTime(static_cast<double>(wire::HexToInteger(data1)));
    return true;
  }
  const auto wh = EnergyWh(data1, data2);
  if (!wh) return false;
  if (command == 0x04) {
    counters.PresetChargeWh(*wh);
  } else {
    counters.PresetDischargeWh(*wh);
  }
  return true;
}

}  // namespace

bool IsFactoryRequest(std::int64_t request) { return (request & ~0xFF) == kFactoryPrefix; }

std::optional<Frame> FactoryAnswer(std::int64_t request, std::string_view data1,
                                   std::string_view data2, bool refuseChanges,
                                   std::uint32_t& number, Counters& counters) {
  const int command = static_cast<int>(request & 0xFF);
  if (!IsFactoryRequest(request) || command > 0x06 || command % 2 != 0) return std::nullopt;
  const bool done = !refuseChanges && Write(command, data1, data2, number, counters);
  return Frame{wire::DwordToHex8(request + kAnswerOffset),
               std::string(done ? "AA" : "00") + "FFFFFF", "FFFFFFFF"};
}

}  // namespace bms::sim
