#include "wire/hex_text.h"

#include <gtest/gtest.h>

#include <string>

namespace bms::wire {
namespace {

TEST(HexText, FixedWidthHexKeepsTheLowBits) {
  struct Case {
    std::int64_t n;
    const char* byte;
    const char* word;
    const char* dword;
  };
  for (const auto& c : {
           Case{0, "00", "0000", "00000000"},
           Case{5, "05", "0005", "00000005"},
           Case{255, "FF", "00FF", "000000FF"},
           Case{256, "00", "0100", "00000100"},
           Case{3300, "E4", "0CE4", "00000CE4"},
           Case{65535, "FF", "FFFF", "0000FFFF"},
           Case{65536, "00", "0000", "00010000"},
           Case{70000, "70", "1170", "00011170"},
           Case{-1, "FF", "FFFF", "FFFFFFFF"},
           Case{-20, "EC", "FFEC", "FFFFFFEC"},
           Case{4294967296, "00", "0000", "00000000"},
       }) {
    EXPECT_EQ(ByteToHex2(c.n), c.byte) << c.n;
    EXPECT_EQ(WordToHex4(c.n), c.word) << c.n;
    EXPECT_EQ(DwordToHex8(c.n), c.dword) << c.n;
  }
}

TEST(HexText, HexToIntegerReadsUpToEightDigitsOfEitherCase) {
  struct Case {
    std::string text;
    std::int64_t value;
  };
  for (const auto& c : {
           Case{"", 0},
           Case{"0", 0},
           Case{"0CE4", 3300},
           Case{"ffffffff", 4294967295},
           Case{"FFFFFFFF", 4294967295},
           Case{"05f5E100", 100000000},
           Case{"100000000", 0},  // nine digits
           Case{"12G4", 0},
           Case{"-1", 0},
           Case{" 12", 0},
           Case{"0x12", 0},
           Case{std::string("1\0", 2), 0},
           Case{"\xC3\xA9", 0},
           Case{std::string(5000, 'F'), 0},
       }) {
    EXPECT_EQ(HexToInteger(c.text), c.value) << c.text;
  }
}

TEST(HexText, IntegerAndHexTextRecognition) {
  struct Case {
    std::string text;
    bool integer;
    bool hex;
  };
  for (const auto& c : {
           Case{"", false, true},
           Case{"-", false, false},
           Case{"--1", false, false},
           Case{"-12", true, false},
           Case{"12", true, true},
           Case{"1.5", false, false},
           Case{" 12", false, false},
           Case{"+12", false, false},
           Case{"12-", false, false},
           Case{"0aF9", false, true},
           Case{"0x12", false, false},
           Case{std::string(300, '9'), true, true},
           Case{"\xFF", false, false},
       }) {
    EXPECT_EQ(IsIntegerText(c.text), c.integer) << c.text;
    EXPECT_EQ(IsHexText(c.text), c.hex) << c.text;
  }
}

TEST(HexText, TextEqualsIsExact) {
  EXPECT_TRUE(TextEquals("09A10175", "09A10175"));
  EXPECT_FALSE(TextEquals("09a10175", "09A10175"));
  EXPECT_FALSE(TextEquals("D\r", "D"));
  EXPECT_TRUE(TextEquals({}, ""));
}

TEST(HexText, DecimalTextToIntegerRefusesWhatDoesNotFit) {
  EXPECT_EQ(DecimalTextToInteger("0100000000"), 100000000);
  EXPECT_EQ(DecimalTextToInteger("-5"), -5);
  EXPECT_EQ(DecimalTextToInteger("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(DecimalTextToInteger("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(DecimalTextToInteger("9223372036854775808"), std::nullopt);
  EXPECT_EQ(DecimalTextToInteger("-9223372036854775809"), std::nullopt);
  EXPECT_EQ(DecimalTextToInteger(std::string(1000, '9')), std::nullopt);
  EXPECT_EQ(DecimalTextToInteger("000000000000000000000000000042"), 42);
  EXPECT_EQ(DecimalTextToInteger("12a"), std::nullopt);
  EXPECT_EQ(DecimalTextToInteger(""), std::nullopt);
}

TEST(HexText, BmcNumberToHex) {
  struct Case {
    std::string text;
    const char* field;
  };
  for (const auto& c : {
           Case{"100000000", "05F5E100"},
           Case{"200000000", "0BEBC200"},
           Case{"999999999", "3B9AC9FF"},
           Case{"0100000000", "05F5E100"},
           Case{"", "00000000"},
           Case{"abc", "00000000"},
           Case{" 100000000", "00000000"},
           Case{"-1", "FFFFFFFF"},
           Case{"2147483647", "7FFFFFFF"},
           Case{"-2147483648", "80000000"},
           // Outside 32 bits a wrapped value would address another BMC.
           Case{"2147483648", "00000000"},
           Case{"4294967297", "00000000"},
           Case{std::string(100, '9'), "00000000"},
       }) {
    EXPECT_EQ(BmcNumberToHex(c.text), c.field) << c.text;
  }
}

}  // namespace
}  // namespace bms::wire
