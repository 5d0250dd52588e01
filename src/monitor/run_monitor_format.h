#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "wire/frame_bytes.h"

// Turning the values of the run-monitor answers into the texts of the run monitoring page.
namespace bms::monitor {

// A whole data field (its first 8 characters) as an IEEE-754 single-precision number.
float FieldToFloat(std::string_view field);

// Three decimals with the unit that keeps the number short: "-10.000A", "1.500kA";
// "W", "kW", "MW" or "GW" for power (-2500 gives "-2.500kW"). A magnitude within
// 0.0000001 below a threshold already takes the larger unit; the sign stays on the
// number. NaN and the infinities show their number text with the base unit ("NaNA",
// "-INFW"): no scale means anything for them.
std::string FormatCurrent(double amperes);
std::string FormatPower(double watts);

// The 12 V supply from byte 8 of 09A10005 (6.5 V + 0.1 V per step): "<8V", "8.0V" to
// "30.0V", or ">30V".
std::string SupplyVoltageText(std::int64_t byte8);

// The estimated time label from bytes 6-7 of 09A10005: "****" when no estimate is
// present, otherwise the charging or discharging sentence in the language given.
std::string EstimatedTimeText(std::int64_t word, bool english);

}  // namespace bms::monitor
