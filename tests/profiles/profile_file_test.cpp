#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "profiles/profile.h"

namespace bms::profiles {
namespace {

std::string File(const std::string& parameters) {
  return R"({"format": "bms-parameter-profile", "version": 1, "bmc": "100000000",
"created": "2026-12-06T16:30:00Z",
"parameters": [)" +
         parameters + "]}";
}

const std::string kMaxLimit = R"({"read": "09A00174", "item": null, "value": "3650"})";
const std::string kStopCharge = R"({"read": "09A00180", "item": 0, "value": "3600"})";

struct BadFile {
  const char* name;
  std::string text;
  std::string where;
};

void PrintTo(const BadFile& file, std::ostream* out) { *out << file.name; }

class BadFileTest : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadFileTest, IsRefusedNamingThePlace) {
  const auto result = ReadProfileFile(GetParam().text, params::ParameterCatalogue());
  ASSERT_TRUE(std::holds_alternative<FileError>(result));
  const auto& error = std::get<FileError>(result);
  EXPECT_EQ(error.where, GetParam().where) << error.message();
  EXPECT_FALSE(error.what.empty());
  EXPECT_EQ(error.message(), error.where + ": " + error.what);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadFileTest,
    ::testing::Values(
        BadFile{"Truncated", File(kMaxLimit).substr(0, 120), "line 3, column 16"},
        BadFile{"MissingComma", File(kMaxLimit + "\n" + kStopCharge), "line 4, column 1"},
        BadFile{"Empty", "", "line 1, column 1"},
        BadFile{"DeeplyNested", std::string(500000, '['), "line 1, column 500001"},
        BadFile{"TrailingText", File(kMaxLimit) + " x", "line 3, column 70"},
        BadFile{"NoObject", "[1, 2]", "/"},
        BadFile{"WrongFormat",
                R"({"format": "other", "version": 1, "bmc": "", "created": "", "parameters": []})",
                "/format"},
        BadFile{"WrongVersion",
                R"({"format": "bms-parameter-profile", "version": 2, "bmc": "", "created": "",
                    "parameters": []})",
                "/version"},
        BadFile{"VersionAsText",
                R"({"format": "bms-parameter-profile", "version": "1", "bmc": "",
                    "created": "", "parameters": []})",
                "/version"},
        BadFile{"MissingParameters",
                R"({"format": "bms-parameter-profile", "version": 1, "bmc": "", "created": ""})",
                "/parameters"},
        BadFile{"BmcAsNumber",
                R"({"format": "bms-parameter-profile", "version": 1, "bmc": 100000000,
                    "created": "", "parameters": []})",
                "/bmc"},
        BadFile{"EntryNoObject", File(R"("09A00174")"), "/parameters/0"},
        BadFile{"MissingRead", File(R"({"item": null, "value": "3650"})"), "/parameters/0/read"},
        BadFile{"MissingItem", File(R"({"read": "09A00174", "value": "3650"})"),
                "/parameters/0/item"},
        BadFile{"ValueAsNumber", File(R"({"read": "09A00174", "item": null, "value": 3650})"),
                "/parameters/0/value"},
        BadFile{"ItemAsText", File(kMaxLimit + R"(, {"read": "09A00180", "item": "0",
                                                     "value": "3600"})"),
                "/parameters/1/item"},
        BadFile{"ItemFraction", File(R"({"read": "09A00180", "item": 0.5, "value": "3600"})"),
                "/parameters/0/item"},
        BadFile{"ItemNegative", File(R"({"read": "09A00180", "item": -1, "value": "3600"})"),
                "/parameters/0/item"},
        BadFile{"ItemHuge",
                File(R"({"read": "09A00180", "item": 99999999999999999999999, "value": "1"})"),
                "/parameters/0/item"},
        BadFile{"ItemOfAnotherByte", File(R"({"read": "09A00180", "item": 256, "value": "3600"})"),
                "/parameters/0/item"},
        BadFile{"NumberOverflow", File(R"({"read": "09A00174", "item": null, "value": 1e400})"),
                "line 3, column 64"},
        BadFile{"UnknownRow", File(R"({"read": "09A00999", "item": null, "value": "1"})"),
                "/parameters/0"},
        BadFile{"ItemOutsideGroup", File(R"({"read": "09A00180", "item": 9, "value": "1"})"),
                "/parameters/0"},
        BadFile{"GroupRowWithoutItem",
                File(R"({"read": "09A00180", "item": null, "value": "3600"})"), "/parameters/0"},
        BadFile{"SingleRowWithItem", File(R"({"read": "09A00174", "item": 0, "value": "3650"})"),
                "/parameters/0"},
        BadFile{"DuplicateRow", File(kStopCharge + ", " + kMaxLimit + ", " + kStopCharge),
                "/parameters/2"},
        BadFile{"MillivoltsTooLarge",
                File(R"({"read": "09A00174", "item": null, "value": "70000"})"),
                "/parameters/0/value"},
        BadFile{"HugeValueText",
                File(R"({"read": "09A00174", "item": null, "value": "99999999999999999999999"})"),
                "/parameters/0/value"},
        BadFile{"ValueNoNumber", File(R"({"read": "09A00174", "item": null, "value": "abc"})"),
                "/parameters/0/value"},
        BadFile{"TemperatureOutOfRange", File(R"({"read": "09A00190", "item": 0, "value": "121"})"),
                "/parameters/0/value"},
        BadFile{"FloatZero", File(R"({"read": "09A00130", "item": 0, "value": "0"})"),
                "/parameters/0/value"},
        BadFile{"ChoiceOutOfRange", File(R"({"read": "09A00160", "item": 6, "value": "2"})"),
                "/parameters/0/value"},
        BadFile{"CodeNotHex", File(R"({"read": "09A0012C", "item": null, "value": "GG"})"),
                "/parameters/0/value"},
        BadFile{"Megabytes", File(kMaxLimit) + std::string(kMaxProfileBytes, ' '), "file"},
        BadFile{"BrokenUtf8", File(kMaxLimit + ",\n" + "{\"caption\": \"ab\xC3(\"}"),
                "line 4, column 16"},
        BadFile{"OverlongUtf8", File("\n\"\xC0\xAF\""), "line 4, column 2"},
        BadFile{"SurrogateUtf8", File("\"\xED\xA0\x80\""), "line 3, column 17"},
        BadFile{"Utf8CutShort", File(kMaxLimit) + "\xE6\x97", "line 3, column 69"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(ProfileFile, RoundTripKeepsEveryValueInCatalogueOrder) {
  const auto catalogue = params::ParameterCatalogue();
  Profile profile{"100000000",
                  "2026-12-06T16:30:00Z",
                  {{"09A0FA10", 4, "1"},  // a choice answered as a signed number
                   {"09A0012C", std::nullopt, "0A"},
                   {"09A00130", 1, "48.5"},
                   {"09A00190", 1, "-30"},
                   {"09A00174", std::nullopt, "3650"}}};
  const std::string text = WriteProfileFile(profile, catalogue);

  const auto result = ReadProfileFile(text, catalogue);
  ASSERT_TRUE(std::holds_alternative<Profile>(result)) << std::get<FileError>(result).message();
  const auto& read = std::get<Profile>(result);
  EXPECT_EQ(read.bmc, profile.bmc);
  EXPECT_EQ(read.created, profile.created);
  const std::vector<ProfileEntry> inCatalogueOrder = {profile.entries[4], profile.entries[3],
                                                      profile.entries[2], profile.entries[1],
                                                      profile.entries[0]};
  EXPECT_EQ(read.entries, inCatalogueOrder);

  EXPECT_EQ(text.back(), '\n');
  EXPECT_NE(text.find(R"("read": "09A00174",)"), std::string::npos) << text;
  EXPECT_NE(text.find(R"("item": null,)"), std::string::npos);
  EXPECT_NE(text.find(R"("unit": "°C",)"), std::string::npos);
  EXPECT_NE(text.find(R"("caption": "Maximum Limit Cell Voltage")"), std::string::npos);
  EXPECT_LT(text.find(R"("format")"), text.find(R"("parameters")"));
}

TEST(ProfileFile, UnitAndCaptionAreIgnoredOnReading) {
  const auto result = ReadProfileFile(
      File(R"({"read": "09A00174", "item": null, "value": "3650", "unit": "V", "caption": 7})"),
      params::ParameterCatalogue());
  ASSERT_TRUE(std::holds_alternative<Profile>(result)) << std::get<FileError>(result).message();
  EXPECT_EQ(std::get<Profile>(result).entries,
            (std::vector<ProfileEntry>{{"09A00174", std::nullopt, "3650"}}));
}

}  // namespace
}  // namespace bms::profiles
