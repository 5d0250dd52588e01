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

// One parameter entry; item and value as they stand in the file.
std::string Entry(const std::string& read, const std::string& item, const std::string& value) {
  return R"({"read": ")" + read + R"(", "item": )" + item + R"(, "value": )" + value + "}";
}

// A file of no parameters with the fields given.
std::string Head(const std::string& fields) {
  return "{" + fields + R"(, "created": "", "parameters": []})";
}

const std::string kMaxLimit = R"({"read": "09A00174", "item": null, "value": "3650"})";
const std::string kStopCharge = R"({"read": "09A00180", "item": 0, "value": "3600"})";
const std::string kProfile = R"("format": "bms-parameter-profile")";

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

const std::string kFirst = "/parameters/0", kFirstItem = kFirst + "/item",
                  kFirstValue = kFirst + "/value";

INSTANTIATE_TEST_SUITE_P(
    Files, BadFileTest,
    ::testing::Values(
        BadFile{"Truncated", File(kMaxLimit).substr(0, 120), "line 3, column 16"},
        BadFile{"MissingComma", File(kMaxLimit + "\n" + kStopCharge), "line 4, column 1"},
        BadFile{"Empty", "", "line 1, column 1"},
        BadFile{"DeeplyNested", std::string(500000, '['), "line 1, column 500001"},
        BadFile{"TrailingText", File(kMaxLimit) + " x", "line 3, column 70"},
        BadFile{"NoObject", "[1, 2]", "/"},
        BadFile{"WrongFormat", Head(R"("format": "other", "version": 1, "bmc": "")"), "/format"},
        BadFile{"WrongVersion", Head(kProfile + R"(, "version": 2, "bmc": "")"), "/version"},
        BadFile{"VersionAsText", Head(kProfile + R"(, "version": "1", "bmc": "")"), "/version"},
        BadFile{"MissingParameters",
                "{" + kProfile + R"(, "version": 1, "bmc": "", "created": ""})", "/parameters"},
        BadFile{"BmcAsNumber", Head(kProfile + R"(, "version": 1, "bmc": 100000000)"), "/bmc"},
        BadFile{"EntryNoObject", File(R"("09A00174")"), kFirst},
        BadFile{"MissingRead", File(R"({"item": null, "value": "3650"})"), kFirst + "/read"},
        BadFile{"MissingItem", File(R"({"read": "09A00174", "value": "3650"})"), kFirstItem},
        BadFile{"ValueAsNumber", File(Entry("09A00174", "null", "3650")), kFirstValue},
        BadFile{"ItemAsText", File(kMaxLimit + ", " + Entry("09A00180", R"("0")", R"("1")")),
                "/parameters/1/item"},
        BadFile{"ItemFraction", File(Entry("09A00180", "0.5", R"("3600")")), kFirstItem},
        BadFile{"ItemNegative", File(Entry("09A00180", "-1", R"("3600")")), kFirstItem},
        BadFile{"ItemHuge", File(Entry("09A00180", "99999999999999999999999", R"("1")")),
                kFirstItem},
        BadFile{"ItemOfAnotherByte", File(Entry("09A00180", "256", R"("3600")")), kFirstItem},
        BadFile{"NumberOverflow", File(Entry("09A00174", "null", "1e400")), "line 3, column 64"},
        BadFile{"UnknownRow", File(Entry("09A00999", "null", R"("1")")), kFirst},
        BadFile{"ItemOutsideGroup", File(Entry("09A00180", "9", R"("1")")), kFirst},
        BadFile{"GroupRowWithoutItem", File(Entry("09A00180", "null", R"("3600")")), kFirst},
        BadFile{"SingleRowWithItem", File(Entry("09A00174", "0", R"("3650")")), kFirst},
        BadFile{"DuplicateRow", File(kStopCharge + ", " + kMaxLimit + ", " + kStopCharge),
                "/parameters/2"},
        BadFile{"MillivoltsTooLarge", File(Entry("09A00174", "null", R"("70000")")), kFirstValue},
        BadFile{"HugeValueText", File(Entry("09A00174", "null", R"("99999999999999999999999")")),
                kFirstValue},
        BadFile{"ValueNoNumber", File(Entry("09A00174", "null", R"("abc")")), kFirstValue},
        BadFile{"TemperatureOutOfRange", File(Entry("09A00190", "0", R"("121")")), kFirstValue},
        BadFile{"FloatZero", File(Entry("09A00130", "0", R"("0")")), kFirstValue},
        BadFile{"ChoiceOutOfRange", File(Entry("09A00160", "6", R"("2")")), kFirstValue},
        BadFile{"CodeNotHex", File(Entry("09A0012C", "null", R"("GG")")), kFirstValue},
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
