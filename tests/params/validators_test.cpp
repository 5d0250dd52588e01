#include "params/validators.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace bms::params {
namespace {

TEST(Validators, IntegerRules) {
  struct Case {
    std::string text;
    bool nonNegative, positive;
  };
  for (const auto& c :
       {Case{"0", true, false}, Case{"000", true, false}, Case{"1", true, true},
        Case{"0001", true, true}, Case{"3300", true, true}, Case{"", false, false},
        Case{"-5", false, false}, Case{"-0", false, false}, Case{"+5", false, false},
        Case{" 5", false, false}, Case{"5 ", false, false}, Case{"3300.5", false, false},
        Case{std::string(500, '0') + "1", true, true}, Case{std::string(500, '0'), true, false}}) {
    EXPECT_EQ(IsNonNegativeIntegerText(c.text), c.nonNegative) << c.text;
    EXPECT_EQ(IsPositiveIntegerText(c.text), c.positive) << c.text;
  }
}

TEST(Validators, DecimalText) {
  struct Case {
    const char* text;
    bool decimal;
  };
  for (const auto& c :
       {Case{"12", true}, Case{"-12", true}, Case{"0.5", true}, Case{"-0.25", true},
        Case{"007", true}, Case{"", false}, Case{"-", false}, Case{"1.", false}, Case{".5", false},
        Case{"-.5", false}, Case{"1.2.3", false}, Case{"1e3", false}, Case{" 1", false},
        Case{"+1", false}, Case{"--1", false}, Case{".", false}, Case{"-1.", false}}) {
    EXPECT_EQ(IsDecimalText(c.text), c.decimal) << c.text;
  }
}

TEST(Validators, FloatToHex8) {
  struct Case {
    std::string text;
    const char* hex;
  };
  for (const auto& c :
       {Case{"100", "42C80000"}, Case{"1", "3F800000"}, Case{"0.5", "3F000000"},
        Case{"3.2", "404CCCCD"}, Case{"-10", "C1200000"}, Case{"0", "00000000"},
        Case{"0.1", "3DCCCCCD"}, Case{"340282346638528859811704183484516925440", "7F7FFFFF"}}) {
    EXPECT_EQ(FloatToHex8(c.text), c.hex) << c.text;
  }
}

TEST(Validators, FloatToHex8RefusesWhatCannotBeSent) {
  for (const std::string& text :
       {std::string(""), std::string("1."), std::string("abc"), std::string("1e3"),
        std::string(40, '9'), std::string(400, '9'), "-" + std::string(60, '9')}) {
    EXPECT_EQ(FloatToHex8(text), std::nullopt) << text;
  }
}

TEST(Validators, SingleToHex8RefusesWhatNoSingleHolds) {
  EXPECT_EQ(SingleToHex8(0.0152593), "3C7A0225");
  EXPECT_EQ(SingleToHex8(-7.62951e-05), "B8A0009F");
  for (const double value : {std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN(), 3.5e38, -1e300}) {
    EXPECT_EQ(SingleToHex8(value), std::nullopt) << value;
  }
}

}  // namespace
}  // namespace bms::params
