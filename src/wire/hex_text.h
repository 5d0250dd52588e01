#pragma once

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

// Value of up to 8 hex digits of either case (0 to 4294967295). Anything else, a longer
// text included, gives 0; so does the empty text.
std::int64_t HexToInteger(std::string_view text);

// An optional "-" followed by at least one digit; nothing else (no "+", no blanks).
bool IsIntegerText(std::string_view text);
// Only the characters 0-9, A-F, a-f; the empty text counts as hex.
bool IsHexText(std::string_view text);
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
