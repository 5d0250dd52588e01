#include "sim/parameters.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "params/catalogue.h"
#include "sim/frame_steps.h"
#include "wire/hex_text.h"

namespace bms::sim {
namespace {

TEST(SimParameters, RequestsAreAnsweredInTheGroupLayouts) {
  struct Scenario {
    std::string name;
    SavePolicy policy;
    std::vector<std::string> steps;
  };
  for (const Scenario& scenario : std::vector<Scenario>{
           {"defaults: 16-bit, signed byte, float, code",
            SavePolicy::Open,
            {"09A00174 > 09A10175 0E42FFFF; 09A00190 09FFFFFF > 09A10191 09ECFFFF",
             "09A00130 01FFFFFF > 09A10131 01FFFFFF 424CCCCD; 09A0012C > 09A1012D 01FFFFFF"}},
           {"a single-item save is read back",
            SavePolicy::Open,
            {"09A00176 0CE4FFFF > 09A10177 AAFFFFFF; 09A00174 > 09A10175 0CE4FFFF",
             "09A00106 02FFFFFF > 09A10107 AAFFFFFF; 09A00104 > 09A10105 02FFFFFF"}},
           {"a multi-item ack names its item and the other items keep their values",
            SavePolicy::Open,
            {"09A00182 050ABEFF > 09A10183 05AAFFFF; 09A00180 05FFFFFF > 09A10181 050ABEFF",
             "09A00180 04FFFFFF > 09A10181 040BB8FF"}},
           {"a float is kept in data2, unused bytes come back as filler, a short field is refused",
            SavePolicy::Open,
            {"09A00132 00123456 43480000 > 09A10133 00AAFFFF",
             "09A00130 00FFFFFF > 09A10131 00FFFFFF 43480000",
             "09A00192 02321234 12345678 > 09A10193 02AAFFFF; 09A00176 0DAC > 09A10177 00FFFFFF",
             "09A00190 02FFFFFF > 09A10191 0232FFFF"}},
           {"an unknown item changes nothing",
            SavePolicy::Open,
            {"09A00182 080ABEFF >; 09A00180 08FFFFFF >; 09A0001E 02FFFFFF >",
             "09A00180 07FFFFFF > 09A10181 070D48FF"}},
           {"locked: saves are refused until the setting mode, a restart locks again",
            SavePolicy::Locked,
            {"09A00176 0CE4FFFF > 09A10177 00FFFFFF; 09A00192 0232FFFF > 09A10193 0200FFFF",
             "09A00174 > 09A10175 0E42FFFF; 09A0001E 00FFFFFF > 09A1001F 00AAFFFF",
             "09A00176 0CE4FFFF > 09A10177 AAFFFFFF; 09A00174 > 09A10175 0CE4FFFF",
             "09A0001E 01FFFFFF > 09A1001F 01AAFFFF; 09A00192 0232FFFF > 09A10193 0200FFFF",
             "09A00190 02FFFFFF > 09A10191 0237FFFF"}},
           {"refusing: every save is refused, even in the setting mode",
            SavePolicy::Refused,
            {"09A0001E 00FFFFFF > 09A1001F 00AAFFFF; 09A00162 0301FFFF > 09A10163 0300FFFF",
             "09A0012E 05FFFFFF > 09A1012F 00FFFFFF; 09A00160 03FFFFFF > 09A10161 0300FFFF",
             "09A0012C > 09A1012D 01FFFFFF"}},
       }) {
    ParameterStore store(scenario.policy);
    ExpectAnswers([&](std::int64_t id, std::string_view data1,
                      std::string_view data2) { return store.Answer(id, data1, data2); },
                  scenario.steps, scenario.name);
  }
}

// A value of the row's kind that differs from `current`.
std::string OtherValue(const params::Row& row, const std::string& current) {
  switch (row.encoding) {
    case params::Encoding::U16:
      return current == "3333" ? "3334" : "3333";
    case params::Encoding::U8:
      return current == "2" ? "3" : "2";
    case params::Encoding::S8:
      return current == "7" ? "8" : "7";
    case params::Encoding::F32:
      return current == "12.5" ? "13.5" : "12.5";
    case params::Encoding::Choice:
      return current == "0" ? "1" : "0";
    case params::Encoding::Code:
      break;
  }
  return current == "05" ? "06" : "05";
}

// Every row of the tool's catalogue, through the tool's own codec: the default decodes,
// a save is acknowledged for that row and a read returns the new value.
TEST(SimParameters, EveryCatalogueRowIsReadSavedAndReadBackByTheToolsCodec) {
  ParameterStore store(SavePolicy::Open);
  for (const params::CatalogueRow& row : params::ParameterCatalogue()) {
    // The DC charging module keeps its own settings; the BMC only passes them on.
    if (row.codec.readId == "09A0FA10") continue;
    const params::Row& codec = row.codec;
    const params::GroupIds ids = params::IdsOfGroup(codec.readId);
    const auto read = [&] {
      const params::Fields request = params::ReadRequest(codec);
      const auto answer = store.Answer(wire::HexToInteger(ids.read), request.data1, request.data2);
      EXPECT_TRUE(answer && answer->id == ids.value) << row.english;
      return answer ? params::DecodeValue(codec, answer->data1, answer->data2) : std::nullopt;
    };
    const auto initial = read();
    ASSERT_TRUE(initial.has_value()) << row.english;

    const std::string next = OtherValue(codec, *initial);
    const auto save = params::SaveRequest(codec, next);
    ASSERT_TRUE(save.has_value()) << row.english << " " << next;
    const auto ack = store.Answer(wire::HexToInteger(ids.save), save->data1, save->data2);
    ASSERT_TRUE(ack.has_value()) << row.english;
    EXPECT_EQ(ack->id, ids.ack) << row.english;
    EXPECT_EQ(params::DecodeAcknowledgement(codec, ack->data1), params::Acknowledgement::Saved)
        << row.english;
    const auto after = read();
    ASSERT_TRUE(after.has_value()) << row.english;
    EXPECT_EQ(params::SaveRequest(codec, *after), save) << row.english << " " << *after;
  }
}

}  // namespace
}  // namespace bms::sim
