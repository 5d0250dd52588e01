#include "params/row_codec.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace bms::params {
namespace {

// Rows shaped like the catalogue's: a limit voltage (single U16), a cell run voltage
// (indexed U16), a temperature and a temperature difference (indexed S8), a pack value
// (indexed float), the thermistor type (single U8), a signal option (indexed choice) and
// the battery type (code).
const Row kLimitVoltage{.readId = "09A00174", .min = 1};
const Row kRunVoltage{.readId = "09A00180", .item = 5, .min = 1};
const Row kTemperature{
    .readId = "09A00184", .item = 0, .encoding = Encoding::S8, .min = -100, .max = 120};
const Row kTemperatureGap{.readId = "09A00184", .item = 10, .encoding = Encoding::S8, .min = 0};
const Row kPackValue{.readId = "09A00130",
                     .item = 1,
                     .encoding = Encoding::F32,
                     .validator = Validator::Decimal,
                     .decimals = 3};
const Row kThermistor{.readId = "09A00104", .encoding = Encoding::U8};
const Row kSignal{.readId = "09A00190", .item = 2, .encoding = Encoding::Choice};
const Row kBatteryType{.readId = "09A00110", .encoding = Encoding::Code};

TEST(RowCodec, GroupIdsFollowFromTheReadRequest) {
  const auto ids = IdsOfGroup("09A00180");
  EXPECT_EQ(ids.value, "09A10181");
  EXPECT_EQ(ids.save, "09A00182");
  EXPECT_EQ(ids.ack, "09A10183");
  EXPECT_EQ(IdsOfGroup("09A0001E").value, "09A1001F");
}

TEST(RowCodec, ReadRequestsCarryTheItemIndex) {
  EXPECT_EQ(ReadRequest(kLimitVoltage), (Fields{"FFFFFFFF", "FFFFFFFF"}));
  EXPECT_EQ(ReadRequest(kRunVoltage), (Fields{"05FFFFFF", "FFFFFFFF"}));
  EXPECT_EQ(ReadRequest(kTemperatureGap), (Fields{"0AFFFFFF", "FFFFFFFF"}));
}

TEST(RowCodec, SavesSendWhatWasTypedOrNothing) {
  struct Case {
    const Row& row;
    std::string typed;
    std::optional<Fields> sent;
  };
  const std::optional<Fields> refused;
  for (const auto& [row, typed, sent] : std::vector<Case>{
           {kLimitVoltage, "3300", Fields{"0CE4FFFF", "FFFFFFFF"}},
           {kLimitVoltage, "65535", Fields{"FFFFFFFF", "FFFFFFFF"}},
           {kLimitVoltage, "70000", refused},  // never sent as its low 16 bits
           {kLimitVoltage, "0", refused},
           {kLimitVoltage, "-5", refused},
           {kLimitVoltage, "3300.5", refused},
           {kLimitVoltage, " 3300", refused},
           {kLimitVoltage, "", refused},
           {kLimitVoltage, "99999999999999999999999", refused},
           {kRunVoltage, "3650", Fields{"050E42FF", "FFFFFFFF"}},
           {kTemperature, "-20", Fields{"00ECFFFF", "FFFFFFFF"}},
           {kTemperature, "-100", Fields{"009CFFFF", "FFFFFFFF"}},
           {kTemperature, "120", Fields{"0078FFFF", "FFFFFFFF"}},
           {kTemperature, "-101", refused},
           {kTemperature, "121", refused},
           {kTemperature, "4294967216", refused},  // would wrap to -80
           {kTemperatureGap, "127", Fields{"0A7FFFFF", "FFFFFFFF"}},
           {kTemperatureGap, "128", refused},  // would read back as -128
           {kTemperatureGap, "200", refused},
           {kPackValue, "0.5", Fields{"01FFFFFF", "3F000000"}},
           {kPackValue, "0", refused},
           {kPackValue, "-1", refused},
           {kPackValue, "1.", refused},
           {kPackValue, std::string(50, '9'), refused},  // beyond the largest float
           {kThermistor, "255", Fields{"FFFFFFFF", "FFFFFFFF"}},
           {kThermistor, "2", Fields{"02FFFFFF", "FFFFFFFF"}},
           {kThermistor, "256", refused},
           {kSignal, "3", Fields{"0203FFFF", "FFFFFFFF"}},
           {kSignal, "-1", refused},  // nothing selected
           {kBatteryType, "0A", Fields{"0AFFFFFF", "FFFFFFFF"}},
           {kBatteryType, "A", refused},
       }) {
    EXPECT_EQ(SaveRequest(row, typed), sent) << row.readId << " <- " << typed;
  }
}

TEST(RowCodec, AnswersDecodeForTheirOwnItemOnly) {
  struct Case {
    const Row& row;
    std::string data1, data2;
    std::optional<std::string> value;
  };
  for (const auto& [row, data1, data2, value] : std::vector<Case>{
           {kLimitVoltage, "0CE4FFFF", "FFFFFFFF", "3300"},
           {kRunVoltage, "050E42FF", "FFFFFFFF", "3650"},
           {kRunVoltage, "040E42FF", "FFFFFFFF", std::nullopt},
           {kTemperature, "00ECFFFF", "FFFFFFFF", "-20"},
           {kPackValue, "01FFFFFF", "3F000000", "0.500"},
           {kPackValue, "01FFFFFF", "42C80000", "100.000"},
           {kThermistor, "02FFFFFF", "FFFFFFFF", "2"},
           {kSignal, "0201FFFF", "FFFFFFFF", "1"},
           {kBatteryType, "0aFFFFFF", "FFFFFFFF", "0a"},
       }) {
    EXPECT_EQ(DecodeValue(row, data1, data2), value) << row.readId << " " << data1;
  }
}

TEST(RowCodec, AcknowledgementsNameTheirItem) {
  using enum Acknowledgement;
  struct Case {
    const Row& row;
    std::string data1;
    Acknowledgement said;
  };
  for (const auto& [row, data1, said] : std::vector<Case>{{kLimitVoltage, "AAFFFFFF", Saved},
                                                          {kLimitVoltage, "aaFFFFFF", Refused},
                                                          {kLimitVoltage, "00FFFFFF", Refused},
                                                          {kRunVoltage, "05AAFFFF", Saved},
                                                          {kRunVoltage, "05BBFFFF", Refused},
                                                          {kRunVoltage, "04AAFFFF", OtherItem}}) {
    EXPECT_EQ(DecodeAcknowledgement(row, data1), said) << row.readId << " " << data1;
  }
}

}  // namespace
}  // namespace bms::params
