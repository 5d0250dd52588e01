#include "params/calibration_math.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "params/validators.h"

namespace bms::params {

namespace {

// Magnitudes at or below this count as zero: no model, no step, no sensor output.
// Compared in single precision, so that a typed "0.0000001" counts as zero as well.
constexpr float kNegligible = 1e-7F;

constexpr std::array<float, 3> kModelMillivolts = {50.0F, 40.0F, 25.0F};
constexpr std::array<float, 4> kStepFractions = {0.0001F, 0.001F, 0.01F, 0.1F};

constexpr double kCurrentCounts = 32767.0;
constexpr double kVoltageCounts = 65535.0;
constexpr double kConverterVolts = 5.0;

constexpr double kLowestZero = 20000.0;
constexpr double kHighestZero = 40000.0;

template <std::size_t N>
float Choice(const std::array<float, N>& values, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= N) return 0.0F;
  return values[static_cast<std::size_t>(index)];
}

std::optional<double> TypedDouble(std::string_view text) {
  if (!IsDecimalText(text)) return std::nullopt;
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

// The computed double reduced to single precision, unless that gives no usable scale.
std::optional<float> UsableSingle(double value) {
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
    return std::nullopt;
  }
  const auto single = static_cast<float>(value);
  if (single == 0.0F) return std::nullopt;
  return single;
}

}  // namespace

float ModelMillivolts(int index) { return Choice(kModelMillivolts, index); }

float StepFraction(int index) { return Choice(kStepFractions, index); }

std::optional<float> TypedSingle(std::string_view text) {
  const auto value = TypedDouble(text);
  if (!value || std::fabs(*value) > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(*value);
}

std::optional<float> CurrentScale(float ampsPerMillivolt, float millivolts) {
  if (!(std::fabs(ampsPerMillivolt) > kNegligible) || !(std::fabs(millivolts) > kNegligible)) {
    return std::nullopt;
  }
  return UsableSingle(static_cast<double>(ampsPerMillivolt) * static_cast<double>(millivolts) /
                      kCurrentCounts);
}

std::optional<float> VoltageScale(float re, float ra, float rb) {
  if (!(re >= -kNegligible) || !(ra >= -kNegligible) || !(rb > kNegligible) || std::isinf(rb)) {
    return std::nullopt;
  }
  const double sum = static_cast<double>(re) + static_cast<double>(ra) + static_cast<double>(rb);
  return UsableSingle(sum / static_cast<double>(rb) * kConverterVolts / kVoltageCounts);
}

std::optional<float> StepFactor(float step, bool increase) {
  if (!(std::fabs(step) > kNegligible)) return std::nullopt;
  return UsableSingle(increase ? 1.0F + step : 1.0F - step);
}

std::optional<std::string> SixDigitHex8(float value) {
  // Written as "%.6g" would, but never with a locale's decimal comma; read back the same
  // way, since the exponent form ("7.62951e-05") is no typed number.
  std::array<char, 32> text{};
  const auto written = std::to_chars(text.data(), text.data() + text.size(),
                                     static_cast<double>(value), std::chars_format::general, 6);
  if (written.ec != std::errc()) return std::nullopt;
  double sixDigits = 0;
  const auto read = std::from_chars(text.data(), written.ptr, sixDigits);
  if (read.ec != std::errc() || read.ptr != written.ptr) return std::nullopt;
  return SingleToHex8(sixDigits);
}

std::optional<std::uint16_t> ManualZero(std::string_view text) {
  const auto value = TypedDouble(text);
  if (!value || !(*value >= kLowestZero && *value <= kHighestZero)) return std::nullopt;
  return static_cast<std::uint16_t>(std::trunc(*value));
}

}  // namespace bms::params
