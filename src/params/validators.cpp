#include "params/validators.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "wire/hex_text.h"

namespace bms::params {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool IsNonNegativeIntegerText(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

bool IsPositiveIntegerText(std::string_view text) {
  if (!IsNonNegativeIntegerText(text)) return false;
  return text.find_first_not_of('0') != std::string_view::npos;
}

bool IsDecimalText(std::string_view text) {
  std::string_view examined = text;
  if (!examined.empty() && examined.front() == '-') examined.remove_prefix(1);
  if (examined.empty()) return false;
  std::size_t points = 0;
  for (char c : examined) {
    if (c == '.') {
      ++points;
    } else if (!IsDigit(c)) {
      return false;
    }
  }
  if (points > 1) return false;
  if (points == 1) {
    const auto point = examined.find('.');
    if (point == 0 || point + 1 == examined.size()) return false;
  }
  return true;
}

std::optional<std::string> FloatToHex8(std::string_view text) {
  if (!IsDecimalText(text)) return std::nullopt;
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return SingleToHex8(value);
}

std::optional<std::string> SingleToHex8(double value) {
  // Beyond the largest float the nearest single would be infinity, or a conversion
  // without a defined result.
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
    return std::nullopt;
  }
  const auto single = static_cast<float>(value);
  return wire::DwordToHex8(std::bit_cast<std::uint32_t>(single));
}

std::optional<std::int64_t> ValueUpTo(std::string_view text, bool (*accepts)(std::string_view),
                                      std::int64_t max) {
  if (!accepts(text)) return std::nullopt;
  const auto value = wire::DecimalTextToInteger(text);
  if (!value || *value > max) return std::nullopt;
  return value;
}

}  // namespace bms::params
