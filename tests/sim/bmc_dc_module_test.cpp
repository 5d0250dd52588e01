#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/bmc_lines.h"
#include "wire/number_text.h"

// The DC charging module and its charger, as the BMC answers for them.
namespace bms::sim {
namespace {

const BmcConfig kConfig{100000000, 3, 4, 0, 0};

float Report(Bmc& bmc, int item) {
  const auto replies = Ask(bmc, "09A0FA20", wire::ByteToHex2(item) + "FFFFFF");
  EXPECT_EQ(replies.size(), 1u);
  if (replies.size() != 1) return -1;
  EXPECT_EQ(replies.front().data1, wire::ByteToHex2(item) + "01FFFF");
  return wire::HexToFloat(replies.front().data2);
}

TEST(SimDcModule, SettingsReadSaveAndRefuse) {
  Bmc bmc(kConfig);
  ExpectAnswers(
      AnswersOf(bmc),
      {
          "09A0FA10 00FFFFFF > 09A1FA11 0002FFFF; 09A0FA10 03FFFFFF > 09A1FA11 0350FFFF",
          "09A0FA12 0164FFFF > 09A1FA13 01AAFFFF; 09A0FA12 0165FFFF > 09A1FA13 0100FFFF",  // 101 %
          "09A0FA12 0501FFFF > 09A1FA13 0500FFFF; 09A0FA10 01FFFFFF > 09A1FA11 0164FFFF",
          "09A0FA0E 00FFFFFF > 09A1FA0F 00AAFFFF; 09A0FA22 > 09A1FA23 0101FFFF",
      });
  Bmc refusing(BmcConfig{100000000, 3, 4, 0, 0, SavePolicy::Refused});
  EXPECT_EQ(Ack(refusing, "09A0FA12", "0150FFFF"), "09A1FA13 0100FFFF");
  EXPECT_EQ(Ack(refusing, "09A0FA10", "01FFFFFF"), "09A1FA11 0164FFFF");
}

TEST(SimDcModule, TheChargerFollowsThePackAndItsPause) {
  Bmc bmc(kConfig);
  for (int set = 0; set < 300 && !bmc.pack().charging(); ++set) RunSet(bmc);
  ASSERT_TRUE(bmc.pack().charging());
  const double packV = bmc.pack().totalVoltageV();
  EXPECT_GT(Report(bmc, 0), packV);  // the charger's voltage range covers the pack
  EXPECT_LT(Report(bmc, 1), packV);
  EXPECT_LT(Report(bmc, 3), Report(bmc, 2));
  EXPECT_NEAR(Report(bmc, 4), packV, 0.01);
  EXPECT_NEAR(Report(bmc, 5), bmc.pack().actualCurrentA(), 0.01);
  EXPECT_GT(Report(bmc, 5), 20);

  EXPECT_EQ(Ack(bmc, "09A0FA24", "0100FFFF"), "09A1FA25 AAFFFFFF");
  EXPECT_EQ(Ack(bmc, "09A0FA22"), "09A1FA23 0100FFFF");
  EXPECT_EQ(Report(bmc, 5), 0);
  EXPECT_EQ(RunSet(bmc).first, 0) << "a paused charger delivers nothing";
  EXPECT_EQ(Ack(bmc, "09A0FA24", "0102FFFF"), "09A1FA25 00FFFFFF");
  EXPECT_EQ(Ack(bmc, "09A0FA24", "0101FFFF"), "09A1FA25 AAFFFFFF");
  EXPECT_EQ(Ack(bmc, "09A0FA22"), "09A1FA23 0101FFFF");
  for (int set = 0; set < 300 && bmc.pack().charging(); ++set) RunSet(bmc);
  ASSERT_FALSE(bmc.pack().charging());
  EXPECT_EQ(Report(bmc, 5), 0);
}

TEST(SimDcModule, SupplyAndSocketTemperatures) {
  Bmc bmc(kConfig);
  const auto supply = Ask(bmc, "09A0FA26");
  ASSERT_EQ(supply.size(), 1u);
  EXPECT_EQ(supply.front().id, "09A1FA27");
  EXPECT_NEAR(wire::HexToFloat(supply.front().data1), 12.1, 0.1);
  ASSERT_EQ(Ack(bmc, "09A0FA12", "0401FFFF"), "09A1FA13 04AAFFFF");  // one socket sensor
  const std::string socket = Ack(bmc, "09A0FA30");
  ASSERT_TRUE(socket.starts_with("09A1FA31 01") && socket.ends_with("FF")) << socket;
  const auto celsius = wire::HexToInteger(socket.substr(11, 2));
  EXPECT_TRUE(celsius >= 25 && celsius <= 35) << socket;
}

}  // namespace
}  // namespace bms::sim
