#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Cutting the run-monitor answers into bytes and turning their values into the texts of
// the run monitoring page.
namespace bms::monitor {

// The eight data bytes of a received frame, cut out of its two data fields by position:
// bytes 1 to 4 from data1, bytes 5 to 8 from data2, two hex digits each, words high byte
// first. Characters behind position 8 of a field are never looked at.
//
// A field that arrived short gives what it has: a byte or word of which only some digits
// arrived reads those digits as HexToInteger does ("0C" as a word is 12), one that is
// missing altogether reads 0. Malformed digits read 0 as well. Nothing here throws.
class FrameBytes {
 public:
  FrameBytes(std::string_view data1, std::string_view data2) : data1_(data1), data2_(data2) {}

  // The two characters of byte n, 1 to 8 (fewer if the field is short).
  std::string_view byteText(int n) const { return chars(n, 2); }
  std::int64_t byte(int n) const;
  // Bytes n and n + 1 as one 16-bit value, high byte first; both in one field (n is not 4).
  std::int64_t word(int n) const;

 private:
  std::string_view chars(int n, std::size_t count) const;

  std::string_view data1_;
  std::string_view data2_;
};

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
