#include "monitor/run_monitor_format.h"

#include <array>
#include <cmath>

#include "wire/hex_text.h"
#include "wire/number_text.h"

namespace bms::monitor {

namespace {

constexpr std::size_t kFieldLength = 8;

// Unit thresholds and the 12 V limits compare with this much slack, so that a value a
// hair off a boundary by binary fractions lands where its decimal reading says.
constexpr double kTolerance = 0.0000001;

struct Unit {
  double scale;
  const char* symbol;
};

constexpr std::array<Unit, 2> kCurrentUnits{{{1.0, "A"}, {1000.0, "kA"}}};
constexpr std::array<Unit, 4> kPowerUnits{
    {{1.0, "W"}, {1000.0, "kW"}, {1000000.0, "MW"}, {1000000000.0, "GW"}}};

template <std::size_t N>
std::string WithUnit(double value, const std::array<Unit, N>& units) {
  // A NaN compares false with every threshold and would fall through to the largest
  // unit; an infinity would too. Neither has a scale, so both keep the base unit.
  if (!std::isfinite(value)) return wire::FormatThreeDecimals(value) + units[0].symbol;
  const double magnitude = std::fabs(value);
  std::size_t chosen = 0;
  while (chosen + 1 < N && !(magnitude - units[chosen + 1].scale < -kTolerance)) ++chosen;
  return wire::FormatThreeDecimals(value / units[chosen].scale) + units[chosen].symbol;
}

constexpr std::int64_t kMinutesMask = 0x3FFF;
constexpr std::int64_t kEstimatePresent = 0x4000;
constexpr std::int64_t kCharging = 0x8000;

}  // namespace

float FieldToFloat(std::string_view field) {
  return wire::HexToFloat(field.substr(0, kFieldLength));
}

std::string FormatCurrent(double amperes) { return WithUnit(amperes, kCurrentUnits); }

std::string FormatPower(double watts) { return WithUnit(watts, kPowerUnits); }

std::string SupplyVoltageText(std::int64_t byte8) {
  const float volts = static_cast<float>(byte8 + 65) / 10.0F;
  if (volts - 8.0 < -kTolerance) return "<8V";
  if (volts - 30.0 > kTolerance) return ">30V";
  return wire::FormatDecimals(volts, 1) + "V";
}

std::string EstimatedTimeText(std::int64_t word, bool english) {
  if ((word & kEstimatePresent) == 0) return "****";
  const std::int64_t minutes = word & kMinutesMask;
  std::string duration;
  if (minutes > 60) {
    duration = std::to_string(minutes / 60) + (english ? " hours " : "小时") +
               std::to_string(minutes % 60);
  } else {
    duration = std::to_string(minutes);
  }
  if ((word & kCharging) != 0) {
    return english ? "Estimated charging time " + duration + " minutes"
                   : "预计充电需要时间" + duration + "分钟";
  }
  return english ? "Estimated duration of discharge " + duration + " minutes"
                 : "预计放电可持续时间" + duration + "分钟";
}

}  // namespace bms::monitor
