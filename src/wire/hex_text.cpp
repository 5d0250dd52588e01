#include "wire/hex_text.h"

#include <limits>

namespace bms::wire {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string LowBitsToHex(std::uint64_t value, int digits) {
  std::string text(static_cast<std::size_t>(digits), '0');
  for (int i = digits - 1; i >= 0; --i) {
    text[static_cast<std::size_t>(i)] = kHexDigits[value & 0xF];
    value >>= 4;
  }
  return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string ByteToHex2(std::int64_t n) { return LowBitsToHex(static_cast<std::uint64_t>(n), 2); }

std::string WordToHex4(std::int64_t n) { return LowBitsToHex(static_cast<std::uint64_t>(n), 4); }

std::string DwordToHex8(std::int64_t n) { return LowBitsToHex(static_cast<std::uint64_t>(n), 8); }

bool IsIntegerText(std::string_view text) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  if (text.empty()) return false;
  for (char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

std::optional<std::int64_t> DecimalTextToInteger(std::string_view text) {
  if (!IsIntegerText(text)) return std::nullopt;
  const bool negative = text.front() == '-';
  if (negative) text.remove_prefix(1);
  // Accumulate towards the negative side, which holds one value more than the positive.
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  std::int64_t value = 0;
  for (char c : text) {
    const int digit = c - '0';
    if (value < (kMin + digit) / 10) return std::nullopt;
    value = value * 10 - digit;
  }
  if (negative) return value;
  if (value == kMin) return std::nullopt;
  return -value;
}

std::string BmcNumberToHex(std::string_view text) {
  const auto value = DecimalTextToInteger(text);
  if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
      *value > std::numeric_limits<std::int32_t>::max()) {
    return "00000000";
  }
  return DwordToHex8(*value);
}

}  // namespace bms::wire
