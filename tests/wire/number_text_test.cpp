#include "wire/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>

namespace bms::wire {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(NumberText, HexToFloatAndSignedByteToText) {
  using F = std::pair<const char*, float>;
  for (const auto& [hex, value] : {F{"3F800000", 1.0f}, F{"C1200000", -10.0f}, F{"3f800000", 1.0f},
                                   F{"3F80000G", 0.0f}, F{"3F8000000", 0.0f}, F{"", 0.0f},
                                   F{"FF800000", -std::numeric_limits<float>::infinity()}}) {
    EXPECT_EQ(HexToFloat(hex), value) << hex;
  }
  EXPECT_TRUE(std::isnan(HexToFloat("7FC00000")));
  using B = std::pair<const char*, const char*>;
  for (const auto& [byte, text] : {B{"19", "25"}, B{"FB", "-5"}, B{"80", "-128"}, B{"7F", "127"},
                                   B{"00", "0"}, B{"ff", "-1"}, B{"zz", "0"}, B{"", "0"}}) {
    EXPECT_EQ(SignedByteToText(byte), text) << byte;
  }
}

TEST(NumberText, FixedDecimalsRoundHalfAwayFromZero) {
  using C = std::tuple<double, int, const char*>;
  for (const auto& [value, decimals, text] :
       {C{12.3, 3, "12.300"}, C{0.0005, 3, "0.001"}, C{-0.0005, 3, "-0.001"}, C{2.5, 0, "3"},
        C{-2.5, 0, "-3"}, C{1.005, 2, "1.01"} /* binary 1.00499999... still rounds up */,
        C{0.125, 2, "0.13"}, C{0, 2, "0.00"}, C{-0.0001, 3, "0.000"}, C{-0.0, 1, "0.0"},
        C{123456789.0, 1, "123456789.0"}, C{1e20, 0, "100000000000000000000"},
        C{0.1 * 523, 1, "52.3"}, C{kInf, 0, "INF"}, C{-kInf, 3, "-INF"},
        C{std::numeric_limits<double>::quiet_NaN(), 3, "NaN"},
        C{3.4e38, 300, "INF"} /* the largest float scaled up overflows a double */}) {
    EXPECT_EQ(FormatDecimals(value, decimals), text) << value << " k=" << decimals;
  }
  EXPECT_EQ(FormatThreeDecimals(1.0), "1.000");
  EXPECT_EQ(FormatThreeDecimals(HexToFloat("FF800000")), "-INF");
}

TEST(NumberText, GeneralNumbersUseThirteenSignificantDigits) {
  using C = std::pair<double, const char*>;
  for (const auto& [value, text] :
       {C{12.5, "12.5"}, C{3.0, "3"}, C{0.1 * 523, "52.3"}, C{-10.0, "-10"}, C{-0.0, "0"},
        C{1.0 / 3.0, "0.3333333333333"}, C{static_cast<double>(0.1f), "0.1000000014901"},
        C{HexToFloat("7FC00000"), "NaN"}, C{HexToFloat("7F800000"), "INF"}}) {
    EXPECT_EQ(FormatNumber(value), text) << value;
  }
}

}  // namespace
}  // namespace bms::wire
