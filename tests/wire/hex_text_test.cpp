#include "wire/hex_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace bms::wire {
namespace {

TEST(HexText, FixedWidthHexKeepsTheLowBits) {
  using C = std::tuple<std::int64_t, const char*, const char*, const char*>;
  for (const auto& [n, byte, word, dword] :
       {C{0, "00", "0000", "00000000"}, C{255, "FF", "00FF", "000000FF"},
        C{256, "00", "0100", "00000100"}, C{3300, "E4", "0CE4", "00000CE4"},
        C{65535, "FF", "FFFF", "0000FFFF"}, C{65536, "00", "0000", "00010000"},
        C{-20, "EC", "FFEC", "FFFFFFEC"}, C{4294967296, "00", "0000", "00000000"}}) {
    EXPECT_EQ(ByteToHex2(n), byte) << n;
    EXPECT_EQ(WordToHex4(n), word) << n;
    EXPECT_EQ(DwordToHex8(n), dword) << n;
  }
}

TEST(HexText, HexToIntegerReadsUpToEightDigitsOfEitherCase) {
  using C = std::pair<std::string, std::int64_t>;
  // Nine digits, signs, blanks, a prefix, a NUL and non-ASCII bytes make no hex number.
  for (const auto& [text, value] :
       {C{"", 0}, C{"0CE4", 3300}, C{"ffffffff", 4294967295}, C{"05f5E100", 100000000},
        C{"100000000", 0}, C{"12G4", 0}, C{"-1", 0}, C{" 12", 0}, C{"0x12", 0},
        C{std::string("1\0", 2), 0}, C{"\xC3\xA9", 0}, C{std::string(5000, 'F'), 0}}) {
    EXPECT_EQ(HexToInteger(text), value) << text;
  }
}

TEST(HexText, IntegerAndHexTextRecognitionAndExactEquality) {
  using C = std::tuple<std::string, bool, bool>;
  for (const auto& [text, integer, hex] :
       {C{"", false, true}, C{"-", false, false}, C{"-12", true, false}, C{"12", true, true},
        C{"1.5", false, false}, C{" 12", false, false}, C{"+12", false, false},
        C{"12-", false, false}, C{"0aF9", false, true}, C{"0x12", false, false},
        C{std::string(300, '9'), true, true}, C{"\xFF", false, false}}) {
    EXPECT_EQ(IsIntegerText(text), integer) << text;
    EXPECT_EQ(IsHexText(text), hex) << text;
  }
  EXPECT_TRUE(TextEquals("09A10175", "09A10175"));
  EXPECT_FALSE(TextEquals("09a10175", "09A10175"));
  EXPECT_FALSE(TextEquals("D\r", "D"));
}

TEST(HexText, DecimalTextToIntegerRefusesWhatDoesNotFit) {
  using C = std::pair<std::string, std::optional<std::int64_t>>;
  for (const auto& [text, value] :
       {C{"0100000000", 100000000}, C{"-5", -5}, C{"9223372036854775807", INT64_MAX},
        C{"-9223372036854775808", INT64_MIN}, C{"9223372036854775808", std::nullopt},
        C{"-9223372036854775809", std::nullopt}, C{std::string(1000, '9'), std::nullopt},
        C{"000000000000000000000000000042", 42}, C{"12a", std::nullopt}, C{"", std::nullopt}}) {
    EXPECT_EQ(DecimalTextToInteger(text), value) << text;
  }
}

TEST(HexText, BmcNumberToHex) {
  using C = std::pair<std::string, const char*>;
  // Outside 32 bits a wrapped value would address another BMC.
  for (const auto& [text, field] :
       {C{"100000000", "05F5E100"}, C{"0100000000", "05F5E100"}, C{"", "00000000"},
        C{"abc", "00000000"}, C{" 100000000", "00000000"}, C{"-1", "FFFFFFFF"},
        C{"2147483647", "7FFFFFFF"}, C{"-2147483648", "80000000"}, C{"2147483648", "00000000"},
        C{"-2147483649", "00000000"}, C{"4294967297", "00000000"},
        C{std::string(100, '9'), "00000000"}}) {
    EXPECT_EQ(BmcNumberToHex(text), field) << text;
  }
}

}  // namespace
}  // namespace bms::wire
