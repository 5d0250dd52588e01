#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "sim/bmc.h"
#include "wire/frame_line.h"
#include "wire/hex_text.h"
#include "wire/number_text.h"

// The DC charging module and its charger, as the BMC answers for them.
namespace bms::sim {
namespace {

struct Reply {
  std::string id;
  std::string data1;
  std::string data2;
};

Reply Ask(Bmc& bmc, const std::string& id, const std::string& data1 = "FFFFFFFF") {
  const auto lines = bmc.HandleLine(wire::FrameLine("05F5E100", id, data1, "FFFFFFFF"));
  if (lines.size() != 1) return {"none", "", ""};
  const wire::ReceivedFields f(lines.front());
  return {std::string(f[4]), std::string(f[5]), std::string(f[6])};
}

std::string Data1(Bmc& bmc, const std::string& id, const std::string& data1 = "FFFFFFFF") {
  const Reply reply = Ask(bmc, id, data1);
  return reply.id + " " + reply.data1;
}

float Report(Bmc& bmc, int item) {
  const Reply reply = Ask(bmc, "09A0FA20", wire::ByteToHex2(item) + "FFFFFF");
  EXPECT_EQ(reply.data1, wire::ByteToHex2(item) + "01FFFF");
  return wire::HexToFloat(reply.data2);
}

// The pack current of the next run-data set.
float NextCurrent(Bmc& bmc) {
  float current = 0;
  for (int frame = 0; frame < 5; ++frame) {
    const std::string line = bmc.NextRunDataLine();
    const wire::ReceivedFields f(line);
    if (f[4] == "09A10003") current = wire::HexToFloat(f[5]);
  }
  return current;
}

// Runs sets until the pack charges (or discharges); false if it never does.
bool RunUntil(Bmc& bmc, bool charging) {
  for (int set = 0; set < 300; ++set) {
    if (bmc.pack().charging() == charging) return true;
    NextCurrent(bmc);
  }
  return false;
}

TEST(SimDcModule, SettingsReadSaveAndRefuse) {
  Bmc bmc(BmcConfig{100000000, 3, 4, 0, 0});
  for (const auto& [id, data1, answer] : std::vector<std::array<std::string, 3>>{
           {"09A0FA10", "00FFFFFF", "09A1FA11 0002FFFF"},
           {"09A0FA10", "04FFFFFF", "09A1FA11 0402FFFF"},
           {"09A0FA12", "0164FFFF", "09A1FA13 01AAFFFF"},
           {"09A0FA12", "0165FFFF", "09A1FA13 0100FFFF"},  // 101 %
           {"09A0FA12", "025FFFFF", "09A1FA13 02AAFFFF"},
           {"09A0FA12", "0360FFFF", "09A1FA13 0300FFFF"},  // 96 °C
           {"09A0FA12", "0003FFFF", "09A1FA13 0000FFFF"},
           {"09A0FA12", "0401FFFF", "09A1FA13 04AAFFFF"},
           {"09A0FA12", "0501FFFF", "09A1FA13 0500FFFF"},  // no such item
           {"09A0FA10", "01FFFFFF", "09A1FA11 0164FFFF"},
           {"09A0FA10", "02FFFFFF", "09A1FA11 025FFFFF"},
           {"09A0FA10", "03FFFFFF", "09A1FA11 0350FFFF"},
           {"09A0FA10", "04FFFFFF", "09A1FA11 0401FFFF"},
           {"09A0FA0E", "00FFFFFF", "09A1FA0F 00AAFFFF"},
           {"09A0FA22", "FFFFFFFF", "09A1FA23 0101FFFF"},
       }) {
    EXPECT_EQ(Data1(bmc, id, data1), answer) << id << " " << data1;
  }
  Bmc refusing(BmcConfig{100000000, 3, 4, 0, 0, SavePolicy::Refused});
  EXPECT_EQ(Data1(refusing, "09A0FA12", "0150FFFF"), "09A1FA13 0100FFFF");
  EXPECT_EQ(Data1(refusing, "09A0FA10", "01FFFFFF"), "09A1FA11 0164FFFF");
}

TEST(SimDcModule, TheChargerFollowsThePackAndItsPause) {
  Bmc bmc(BmcConfig{100000000, 3, 4, 0, 0});
  ASSERT_TRUE(RunUntil(bmc, true));
  const double packV = bmc.pack().totalVoltageV();
  EXPECT_GT(Report(bmc, 0), packV);  // the charger's voltage range covers the pack
  EXPECT_LT(Report(bmc, 1), packV);
  EXPECT_GE(Report(bmc, 2), 100);
  EXPECT_LT(Report(bmc, 3), Report(bmc, 2));
  EXPECT_NEAR(Report(bmc, 4), packV, 0.01);
  EXPECT_NEAR(Report(bmc, 5), bmc.pack().actualCurrentA(), 0.01);
  EXPECT_GT(Report(bmc, 5), 20);

  EXPECT_EQ(Data1(bmc, "09A0FA24", "0100FFFF"), "09A1FA25 AAFFFFFF");
  EXPECT_EQ(Data1(bmc, "09A0FA22"), "09A1FA23 0100FFFF");
  EXPECT_EQ(Report(bmc, 5), 0);
  EXPECT_EQ(NextCurrent(bmc), 0) << "a paused charger delivers nothing";
  if (bmc.pack().charging()) {
    EXPECT_EQ(NextCurrent(bmc), 0) << "nor in the sets after";
  }
  EXPECT_EQ(Data1(bmc, "09A0FA24", "0101FFFF"), "09A1FA25 AAFFFFFF");
  EXPECT_EQ(Data1(bmc, "09A0FA22"), "09A1FA23 0101FFFF");
  EXPECT_EQ(Data1(bmc, "09A0FA24", "0102FFFF"), "09A1FA25 00FFFFFF");
  ASSERT_TRUE(RunUntil(bmc, true));
  EXPECT_GT(NextCurrent(bmc), 20);

  ASSERT_TRUE(RunUntil(bmc, false));
  EXPECT_EQ(Report(bmc, 4), 0);
  EXPECT_EQ(Report(bmc, 5), 0);
}

TEST(SimDcModule, SupplyAndSocketTemperatures) {
  Bmc bmc(BmcConfig{100000000, 3, 4, 0, 0});
  const Reply supply = Ask(bmc, "09A0FA26");
  EXPECT_EQ(supply.id, "09A1FA27");
  EXPECT_NEAR(wire::HexToFloat(supply.data1), 12.1, 0.1);
  for (const int count : {2, 1, 0}) {
    ASSERT_EQ(Data1(bmc, "09A0FA12", "04" + wire::ByteToHex2(count) + "FFFF"), "09A1FA13 04AAFFFF");
    const Reply socket = Ask(bmc, "09A0FA30");
    ASSERT_EQ(socket.id, "09A1FA31");
    EXPECT_EQ(wire::HexToInteger(socket.data1.substr(0, 2)), count);
    for (int sensor = 1; sensor <= 2; ++sensor) {
      const auto byte = wire::HexToInteger(socket.data1.substr(2 * sensor, 2));
      if (sensor > count) {
        EXPECT_EQ(byte, 0xFF) << count;
      } else {
        EXPECT_GE(byte, 25) << count;
        EXPECT_LE(byte, 35) << count;
      }
    }
  }
}

}  // namespace
}  // namespace bms::sim
