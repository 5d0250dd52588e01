#include "params/calibration_math.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

namespace bms::params {
namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// What the controller would receive for a computed scale, or nothing.
std::optional<std::string> Wire(std::optional<float> scale) {
  return scale ? SixDigitHex8(*scale) : std::nullopt;
}

TEST(CalibrationMath, ChoicesOfTheComboBoxes) {
  struct Case {
    int index;
    float millivolts;
    float step;
  };
  for (const auto& c : {Case{-1, 0.0F, 0.0F}, Case{0, 50.0F, 0.0001F}, Case{1, 40.0F, 0.001F},
                        Case{2, 25.0F, 0.01F}, Case{3, 0.0F, 0.1F}, Case{4, 0.0F, 0.0F}}) {
    EXPECT_EQ(ModelMillivolts(c.index), c.millivolts) << c.index;
    EXPECT_EQ(StepFraction(c.index), c.step) << c.index;
  }
}

TEST(CalibrationMath, TypedNumbersMustBeDecimalAndFitASingle) {
  struct Case {
    std::string text;
    std::optional<float> value;
  };
  const std::string nines(50, '9');
  for (const auto& c :
       {Case{"-0.5", -0.5F},
        Case{"340282346638528859811704183484516925440", std::numeric_limits<float>::max()},
        Case{"", std::nullopt}, Case{"abc", std::nullopt}, Case{"nan", std::nullopt},
        Case{"inf", std::nullopt}, Case{"1e3", std::nullopt}, Case{" 1", std::nullopt},
        Case{nines, std::nullopt}, Case{"-" + nines, std::nullopt}}) {
    EXPECT_EQ(TypedSingle(c.text), c.value) << c.text;
  }
}

TEST(CalibrationMath, CurrentScaleIsSentAsItsSixDigitForm) {
  struct Case {
    float ampsPerMillivolt;
    float millivolts;
    std::optional<std::string> hex;
  };
  for (const auto& c : {
           Case{10.0F, 50.0F, "3C7A0225"},   // 0.0152592... goes out as 0.0152593
           Case{-10.0F, 50.0F, "BC7A0225"},  // a reversed sensor keeps its sign
           Case{0.5F, 25.0F, "39C80183"}, Case{1e-7F, 50.0F, std::nullopt},     // no sensor output
           Case{-1e-8F, 50.0F, std::nullopt}, Case{10.0F, 0.0F, std::nullopt},  // no model
           Case{kNaN, 50.0F, std::nullopt}, Case{kInfinity, 50.0F, std::nullopt},
           Case{3e38F, 1e6F, std::nullopt},  // beyond single precision
       }) {
    EXPECT_EQ(Wire(CurrentScale(c.ampsPerMillivolt, c.millivolts)), c.hex)
        << c.ampsPerMillivolt << " x " << c.millivolts;
  }
}

TEST(CalibrationMath, VoltageScaleFollowsTheDividerRatio) {
  struct Case {
    float re, ra, rb;
    std::optional<std::string> hex;
  };
  for (const auto& c : {
           Case{0, 800, 10, "3BCA80C2"},  // the built-in divider: 0.0061799
           Case{0, 0, 10, "38A0009F"},    // 7.62951e-05, written with an exponent
           Case{100, 800, 10, "3BE380EE"}, Case{0, 8000, 100, "3BCA80C2"},  // only the ratio counts
           Case{0, 800, 0, std::nullopt}, Case{0, 800, 1e-7F, std::nullopt},
           Case{0, 800, -10, std::nullopt}, Case{0, 800, kInfinity, std::nullopt},
           Case{0, 800, kNaN, std::nullopt}, Case{-1, 800, 10, std::nullopt},
           Case{0, -1, 10, std::nullopt}, Case{kNaN, 800, 10, std::nullopt},
           Case{3e38F, 0, 1e-6F, std::nullopt},  // beyond single precision
       }) {
    EXPECT_EQ(Wire(VoltageScale(c.re, c.ra, c.rb)), c.hex) << c.re << " " << c.ra << " " << c.rb;
  }
}

TEST(CalibrationMath, StepFactorsAndTheirRefusals) {
  struct Case {
    int index;
    const char* increase;
    const char* decrease;
  };
  for (const auto& c : {Case{0, "3F800347", "3F7FF972"}, Case{1, "3F8020C5", "3F7FBE77"},
                        Case{2, "3F8147AE", "3F7D70A4"}, Case{3, "3F8CCCCD", "3F666666"}}) {
    EXPECT_EQ(Wire(StepFactor(StepFraction(c.index), true)), c.increase) << c.index;
    EXPECT_EQ(Wire(StepFactor(StepFraction(c.index), false)), c.decrease) << c.index;
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
  struct Case {
    std::string text;
    std::optional<std::uint16_t> zero;
  };
  for (const auto& c :
       {Case{"20000", 20000}, Case{"40000", 40000}, Case{"30000.9", 30000}, Case{"20000.5", 20000},
        Case{"19999.5", std::nullopt}, Case{"19999.99999999", std::nullopt},
        Case{"40000.5", std::nullopt}, Case{"40000.0000001", std::nullopt},
        Case{"-30000", std::nullopt}, Case{"", std::nullopt}, Case{"abc", std::nullopt},
        Case{"nan", std::nullopt}, Case{"3e4", std::nullopt},
        Case{std::string(50, '9'), std::nullopt}}) {
    EXPECT_EQ(ManualZero(c.text), c.zero) << c.text;
  }
}

}  // namespace
}  // namespace bms::params
