#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The numbers behind the sensor calibration buttons. Each returns nothing when the
// result must not reach the controller: a scale of 0, infinity or NaN would make it
// read every current or voltage wrongly until the next calibration.
namespace bms::params {

// Full-scale millivolts of the model chosen in a model combo box (50, 40, 25); 0 when
// nothing is chosen.
float ModelMillivolts(int index);
// The step chosen in a step combo box as a fraction (0.0001 to 0.1); 0 when none.
float StepFraction(int index);

// A typed number as single precision: nothing unless IsDecimalText accepts it and its
// single-precision value is finite.
std::optional<float> TypedSingle(std::string_view text);

// Amperes per converter count when 32767 counts are the model's full-scale millivolts:
// ampsPerMillivolt x millivolts / 32767, reduced to single precision.
std::optional<float> CurrentScale(float ampsPerMillivolt, float millivolts);
// Volts of pack voltage per count of a 5 V, 65535-count converter behind the divider
// (re + ra + rb) : rb, reduced to single precision.
std::optional<float> VoltageScale(float re, float ra, float rb);
// 1 + step or 1 - step in single precision.
std::optional<float> StepFactor(float step, bool increase);

// The value as the controller receives it: its 6-significant-digit form, read back to
// the nearest single, as 8 hex digits of the bit pattern.
std::optional<std::string> SixDigitHex8(float value);

// A typed zero point from 20000 to 40000, fraction dropped.
std::optional<std::uint16_t> ManualZero(std::string_view text);

}  // namespace bms::params
