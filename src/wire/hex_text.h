#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Text and hexadecimal helpers shared by every request handler and decoder. Wire texts
// are single-byte ASCII; lengths and positions count bytes.
namespace bms::wire {

// Low byte as 2 upper-case hex digits: 5 -> "05", 256 -> "00", -1 -> "FF".
std::string ByteToHex2(std::int64_t n);
// Low 16 bits as 4 upper-case hex digits: 3300 -> "0CE4", 70000 -> "1170".
std::string WordToHex4(std::int64_t n);
// Low 32 bits as 8 upper-case hex digits.
std::string DwordToHex8(std::int64_t n);

// The value of a hex digit of either case, or -1. Every received field passes through
// here, so it is one table look-up, inline.
inline constexpr std::array<std::int8_t, 256> kHexDigitValues = [] {
  std::array<std::int8_t, 256> values{};
  values.fill(-1);
  for (int c = '0'; c <= '9'; ++c)
    values[static_cast<std::size_t>(c)] = static_cast<std::int8_t>(c - '0');
  for (int c = 'A'; c <= 'F'; ++c) {
    values[static_cast<std::size_t>(c)] = static_cast<std::int8_t>(c - 'A' + 10);
    values[static_cast<std::size_t>(c - 'A' + 'a')] = static_cast<std::int8_t>(c - 'A' + 10);
  }
  return values;
}();
inline int HexDigitValue(char c) { return kHexDigitValues[static_cast<unsigned char>(c)]; }

// Value of up to 8 hex digits of either case (0 to 4294967295). Anything else, a longer
// text included, gives 0; so does the empty text.
inline std::int64_t HexToInteger(std::string_view text) {
  if (text.size() > 8) return 0;
  std::int64_t value = 0;
  for (const char c : text) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return 0;
    value = value * 16 + digit;
  }
  return value;
}

// An optional "-" followed by at least one digit; nothing else (no "+", no blanks).
bool IsIntegerText(std::string_view text);
// Only the characters 0-9, A-F, a-f; the empty text counts as hex.
inline bool IsHexText(std::string_view text) {
  for (const char c : text) {
    if (HexDigitValue(c) < 0) return false;
  }
  return true;
}
// Exact, case-sensitive comparison of received fields.
inline bool TextEquals(std::string_view a, std::string_view b) { return a == b; }

// The decimal value of a text that IsIntegerText accepts, if it fits in 64 bits.
// Digit strings of any length are handled; too large a value gives nothing.
std::optional<std::int64_t> DecimalTextToInteger(std::string_view text);

// The BMC field of every outgoing line: the BMC number text read as a signed 32-bit
// integer, as 8 upper-case hex digits ("100000000" -> "05F5E100", "-1" -> "FFFFFFFF").
// A text that is not an integer, or one outside the signed 32-bit range, gives
// "00000000", which addresses no BMC, rather than a wrapped number of another one.
std::string BmcNumberToHex(std::string_view text);

}  // namespace bms::wire
