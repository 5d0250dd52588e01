#include "params/calibration_math.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <tuple>

namespace bms::params {
namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
using Hex = std::optional<std::string>;

// What the controller would receive for a computed scale, or nothing.
Hex Wire(std::optional<float> scale) { return scale ? SixDigitHex8(*scale) : std::nullopt; }

TEST(CalibrationMath, ChoicesOfTheComboBoxes) {
  using Row = std::tuple<int, float, float>;  // index, model millivolts, step
  for (const auto& [index, millivolts, step] :
       {Row{-1, 0.0F, 0.0F}, Row{0, 50.0F, 0.0001F}, Row{1, 40.0F, 0.001F}, Row{2, 25.0F, 0.01F},
        Row{3, 0.0F, 0.1F}, Row{4, 0.0F, 0.0F}}) {
    EXPECT_EQ(ModelMillivolts(index), millivolts) << index;
    EXPECT_EQ(StepFraction(index), step) << index;
  }
}

TEST(CalibrationMath, TypedNumbersMustBeDecimalAndFitASingle) {
  using Row = std::tuple<std::string, std::optional<float>>;
  const std::string nines(50, '9');
  for (const auto& [text, value] :
       {Row{"-0.5", -0.5F},
        Row{"340282346638528859811704183484516925440", std::numeric_limits<float>::max()},
        Row{"", std::nullopt}, Row{"abc", std::nullopt}, Row{"nan", std::nullopt},
        Row{"inf", std::nullopt}, Row{"1e3", std::nullopt}, Row{" 1", std::nullopt},
        Row{nines, std::nullopt}, Row{"-" + nines, std::nullopt}}) {
    EXPECT_EQ(TypedSingle(text), value) << text;
  }
}

TEST(CalibrationMath, CurrentScaleIsSentAsItsSixDigitForm) {
  using Row = std::tuple<float, float, Hex>;  // amperes per millivolt, millivolts
  for (const auto& [amps, millivolts, hex] : {
           Row{10.0F, 50.0F, "3C7A0225"},   // 0.0152592... goes out as 0.0152593
           Row{-10.0F, 50.0F, "BC7A0225"},  // a reversed sensor keeps its sign
           Row{0.5F, 25.0F, "39C80183"}, Row{1e-7F, 50.0F, std::nullopt},     // no sensor output
           Row{-1e-8F, 50.0F, std::nullopt}, Row{10.0F, 0.0F, std::nullopt},  // no model
           Row{kNaN, 50.0F, std::nullopt}, Row{kInfinity, 50.0F, std::nullopt},
           Row{3e38F, 1e6F, std::nullopt},  // beyond single precision
       }) {
    EXPECT_EQ(Wire(CurrentScale(amps, millivolts)), hex) << amps << " x " << millivolts;
  }
}

TEST(CalibrationMath, VoltageScaleFollowsTheDividerRatio) {
  using Row = std::tuple<float, float, float, Hex>;  // Re, Ra, Rb
  for (const auto& [re, ra, rb, hex] : {
           Row{0, 800, 10, "3BCA80C2"},  // the built-in divider: 0.0061799
           Row{0, 0, 10, "38A0009F"},    // 7.62951e-05, written with an exponent
           Row{100, 800, 10, "3BE380EE"}, Row{0, 8000, 100, "3BCA80C2"},  // only the ratio counts
           Row{0, 800, 0, std::nullopt}, Row{0, 800, 1e-7F, std::nullopt},
           Row{0, 800, -10, std::nullopt}, Row{0, 800, kInfinity, std::nullopt},
           Row{0, 800, kNaN, std::nullopt}, Row{-1, 800, 10, std::nullopt},
           Row{0, -1, 10, std::nullopt}, Row{kNaN, 800, 10, std::nullopt},
           Row{3e38F, 0, 1e-6F, std::nullopt},  // beyond single precision
       }) {
    EXPECT_EQ(Wire(VoltageScale(re, ra, rb)), hex) << re << " " << ra << " " << rb;
  }
}

TEST(CalibrationMath, StepFactorsAndTheirRefusals) {
  using Row = std::tuple<int, const char*, const char*>;  // step index, up, down
  for (const auto& [index, up, down] :
       {Row{0, "3F800347", "3F7FF972"}, Row{1, "3F8020C5", "3F7FBE77"},
        Row{2, "3F8147AE", "3F7D70A4"}, Row{3, "3F8CCCCD", "3F666666"}}) {
    EXPECT_EQ(Wire(StepFactor(StepFraction(index), true)), up) << index;
    EXPECT_EQ(Wire(StepFactor(StepFraction(index), false)), down) << index;
  }
  for (const float step : {0.0F, 1e-8F, -1e-7F, kNaN}) {
    EXPECT_EQ(StepFactor(step, true), std::nullopt) << step;
    EXPECT_EQ(StepFactor(step, false), std::nullopt) << step;
  }
  EXPECT_EQ(StepFactor(1.0F, false), std::nullopt) << "a factor of 0";
  EXPECT_EQ(StepFactor(kInfinity, true), std::nullopt);
}

TEST(CalibrationMath, SixDigitFormRefusesWhatIsNoNumber) {
  for (const float value : {kInfinity, -kInfinity, kNaN}) {
    EXPECT_EQ(SixDigitHex8(value), std::nullopt) << value;
  }
  EXPECT_EQ(SixDigitHex8(std::numeric_limits<float>::max()), "7F7FFFEE");  // 3.40282e+38
}

TEST(CalibrationMath, ManualZeroTakesTwentyToFortyThousandAndDropsTheFraction) {
  using Row = std::tuple<std::string, std::optional<std::uint16_t>>;
  for (const auto& [text, zero] :
       {Row{"20000", 20000}, Row{"40000", 40000}, Row{"30000.9", 30000}, Row{"20000.5", 20000},
        Row{"19999.5", std::nullopt}, Row{"19999.99999999", std::nullopt},
        Row{"40000.5", std::nullopt}, Row{"40000.0000001", std::nullopt},
        Row{"-30000", std::nullopt}, Row{"", std::nullopt}, Row{"abc", std::nullopt},
        Row{"nan", std::nullopt}, Row{"3e4", std::nullopt},
        Row{std::string(50, '9'), std::nullopt}}) {
    EXPECT_EQ(ManualZero(text), zero) << text;
  }
}

}  // namespace
}  // namespace bms::params
