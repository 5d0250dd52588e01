#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Checks of what the user typed into a parameter row, and the float encoder.
namespace bms::params {

// Digits only, at least one; no sign, no blanks.
bool IsNonNegativeIntegerText(std::string_view text);
// As IsNonNegativeIntegerText, and not zero ("0", "000").
bool IsPositiveIntegerText(std::string_view text);
// An optional "-", digits and at most one "." with a digit on each side of it.
bool IsDecimalText(std::string_view text);

// The decimal text as the nearest single-precision number (rounded through double),
// written as its bit pattern in 8 upper-case hex digits: "100" -> "42C80000".
// Nothing for a text that IsDecimalText refuses or whose value is too large for a
// single-precision number: such a value must never reach the wire as infinity.
std::optional<std::string> FloatToHex8(std::string_view text);
// The bit pattern of the single-precision number nearest to value, as FloatToHex8
// writes it; nothing for a value that is not finite or lies beyond single precision.
std::optional<std::string> SingleToHex8(double value);

// The value of a text that `accepts` takes, if it is at most `max`. Counts, addresses and
// voltages go onto the wire as their low byte or word, so a larger value would reach
// another BIC or mean another number: it is refused instead.
std::optional<std::int64_t> ValueUpTo(std::string_view text, bool (*accepts)(std::string_view),
                                      std::int64_t max);

}  // namespace bms::params
