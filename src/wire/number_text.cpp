#include "wire/number_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>

#include "wire/hex_text.h"

namespace bms::wire {

namespace {

// Rounding adds this to the scaled magnitude so that values a hair below a half, left
// there by binary fractions, still round up.
constexpr double kRoundingNudge = 0.000000000001;

constexpr std::array<double, 16> kPowersOfTen = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
// Below this every whole double is exact as a 64-bit integer.
constexpr double kExactIntegers = 9007199254740992.0;  // 2^53

const char* NonFiniteText(double value) {
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-INF" : "INF";
}

}  // namespace

float HexToFloat(std::string_view text) {
  const auto bits = static_cast<std::uint32_t>(wire::HexToInteger(text));
  return std::bit_cast<float>(bits);
}

std::string SignedByteToText(std::string_view text) {
  const std::int64_t v = wire::HexToInteger(text);
  if ((v & 0x80) != 0) {
    std::string negative(1, '-');
    negative += std::to_string(128 - (v & 127));
    return negative;
  }
  return std::to_string(v);
}

std::string FormatDecimals(double value, int decimals) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  if (decimals < 0) decimals = 0;
  const double scale = static_cast<std::size_t>(decimals) < kPowersOfTen.size()
                           ? kPowersOfTen[static_cast<std::size_t>(decimals)]
                           : std::pow(10.0, decimals);
  const double scaled = std::fabs(value) * scale + kRoundingNudge;
  const double rounded = std::floor(scaled + 0.5);
  if (!std::isfinite(rounded)) return NonFiniteText(value);

  // The rounded magnitude is a whole number; write all its digits, then place the point.
  // Integers are written far faster than doubles, and every value a decoder meets fits.
  std::array<char, 400> digits;
  const auto written = rounded < kExactIntegers
                           ? std::to_chars(digits.data(), digits.data() + digits.size(),
                                           static_cast<std::uint64_t>(rounded))
                           : std::to_chars(digits.data(), digits.data() + digits.size(), rounded,
                                           std::chars_format::fixed, 0);
  const auto count = static_cast<std::size_t>(written.ptr - digits.data());
  const auto fraction = static_cast<std::size_t>(decimals);
  const std::size_t whole = count > fraction ? count - fraction : 0;

  std::array<char, 440> text;
  char* out = text.data();
  if (value < 0 && rounded != 0) *out++ = '-';
  out = whole > 0 ? std::copy_n(digits.data(), whole, out) : (*out = '0', out + 1);
  if (fraction > 0) {
    *out++ = '.';
    if (count < fraction) out = std::fill_n(out, fraction - count, '0');
    out = std::copy(digits.data() + whole, digits.data() + count, out);
  }
  return std::string(text.data(), out);
}

std::string FormatThreeDecimals(double value) { return FormatDecimals(value, 3); }

std::string FormatNumber(double value) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  if (value == 0) return "0";  // also for -0.0
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::general, 13);
  return std::string(buffer.data(), result.ptr);
}

}  // namespace bms::wire
