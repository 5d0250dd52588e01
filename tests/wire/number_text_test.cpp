#include "wire/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace bms::wire {
namespace {

TEST(NumberText, HexToFloatReadsTheBitPattern) {
  EXPECT_EQ(HexToFloat("3F800000"), 1.0f);
  EXPECT_EQ(HexToFloat("C1200000"), -10.0f);
  EXPECT_EQ(HexToFloat("3f800000"), 1.0f);
  EXPECT_EQ(HexToFloat("3F80000G"), 0.0f);
  EXPECT_EQ(HexToFloat("3F8000000"), 0.0f);
  EXPECT_EQ(HexToFloat(""), 0.0f);
  EXPECT_TRUE(std::isnan(HexToFloat("7FC00000")));
  EXPECT_EQ(HexToFloat("FF800000"), -std::numeric_limits<float>::infinity());
}

TEST(NumberText, SignedByteToText) {
  struct Case {
    const char* byte;
    const char* text;
  };
  for (const auto& c :
       {Case{"19", "25"}, Case{"FB", "-5"}, Case{"80", "-128"}, Case{"7F", "127"}, Case{"00", "0"},
        Case{"ff", "-1"}, Case{"EC", "-20"}, Case{"zz", "0"}, Case{"", "0"}}) {
    EXPECT_EQ(SignedByteToText(c.byte), c.text) << c.byte;
  }
}

TEST(NumberText, FixedDecimalsRoundHalfAwayFromZero) {
  struct Case {
    double value;
    int decimals;
    const char* text;
  };
  for (const auto& c : {
           Case{12.3, 3, "12.300"},
           Case{0.0005, 3, "0.001"},
           Case{-2.5, 3, "-2.500"},
           Case{-0.0005, 3, "-0.001"},
           Case{2.5, 0, "3"},
           Case{-2.5, 0, "-3"},
           Case{1.005, 2, "1.01"},  // binary 1.00499999... still rounds up
           Case{0.125, 2, "0.13"},
           Case{0, 2, "0.00"},
           Case{-0.0001, 3, "0.000"},
           Case{-0.0, 1, "0.0"},
           Case{123456789.0, 1, "123456789.0"},
           Case{1e20, 0, "100000000000000000000"},
           Case{0.1 * 523, 1, "52.3"},
       }) {
    EXPECT_EQ(FormatDecimals(c.value, c.decimals), c.text) << c.value << " k=" << c.decimals;
  }
  EXPECT_EQ(FormatThreeDecimals(1.0), "1.000");
}

TEST(NumberText, GeneralNumbersUseThirteenSignificantDigits) {
  struct Case {
    double value;
    const char* text;
  };
  for (const auto& c : {
           Case{12.5, "12.5"},
           Case{3.0, "3"},
           Case{0.1 * 523, "52.3"},
           Case{-10.0, "-10"},
           Case{-0.0, "0"},
           Case{1.0 / 3.0, "0.3333333333333"},
           Case{static_cast<double>(0.1f), "0.1000000014901"},
       }) {
    EXPECT_EQ(FormatNumber(c.value), c.text) << c.value;
  }
}

TEST(NumberText, NonFiniteValuesHaveFixedTexts) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (int decimals : {0, 3}) {
    EXPECT_EQ(FormatDecimals(nan, decimals), "NaN");
    EXPECT_EQ(FormatDecimals(inf, decimals), "INF");
    EXPECT_EQ(FormatDecimals(-inf, decimals), "-INF");
  }
  EXPECT_EQ(FormatNumber(HexToFloat("7FC00000")), "NaN");
  EXPECT_EQ(FormatNumber(HexToFloat("7F800000")), "INF");
  EXPECT_EQ(FormatThreeDecimals(HexToFloat("FF800000")), "-INF");
  // The largest float scaled up by many decimals overflows a double: still a text.
  EXPECT_EQ(FormatDecimals(3.4e38, 300), "INF");
}

}  // namespace
}  // namespace bms::wire
