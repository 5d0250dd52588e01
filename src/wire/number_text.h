#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Turning received field texts into numbers and numbers into the texts shown to the
// user. Locale-independent: the decimal separator is always ".".
//
// A float that is not a number shows as "NaN", an infinite one as "INF" or "-INF", in
// every format, so that a broken sensor value is visible as such and never as a number.
namespace bms::wire {

// The low 32 bits of HexToInteger(text) as an IEEE-754 single-precision bit pattern;
// a malformed field gives 0.0.
float HexToFloat(std::string_view text);

// The byte (normally two hex digits) read as a two's-complement signed 8-bit number:
// "19" -> "25", "FB" -> "-5", "80" -> "-128".
std::string SignedByteToText(std::string_view text);

// Rounded half away from zero to `decimals` digits after the point, written with
// exactly that many: FormatDecimals(12.3, 3) -> "12.300". A value that rounds to zero
// shows no minus sign.
std::string FormatDecimals(double value, int decimals);
std::string FormatThreeDecimals(double value);

// At most 13 significant digits, no trailing zeros: 12.5 -> "12.5", 3.0 -> "3".
std::string FormatNumber(double value);

}  // namespace bms::wire
