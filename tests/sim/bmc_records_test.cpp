#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "sim/bmc_lines.h"

// Counters, factory writes and the echo of unknown frames, seen on the BMC's lines.
namespace bms::sim {
namespace {

// Seconds, or kWh for an energy counter.
double Read(Bmc& bmc, const std::string& id) {
  const auto replies = Ask(bmc, id);
  if (replies.size() != 1) return -1;
  const double whole = static_cast<double>(wire::HexToInteger(replies.front().data1));
  return replies.front().data2 == "FFFFFFFF"
             ? whole
             : whole + wire::HexToFloat(replies.front().data2) / 1000.0;
}

TEST(SimCounters, TimeAndEnergyAdvanceWithTheSetsAndSubtotalsClear) {
  Bmc bmc(BmcConfig{100000000, 3, 9, 0, 0, SavePolicy::Open, 2});
  EXPECT_EQ(Read(bmc, "09A00022"), 0) << "this power-on has just begun";
  const double runTime = Read(bmc, "09A00024");
  // Cumulative charge, then discharge subtotal 2.
  const double charged = Read(bmc, "09A0002E");
  const double discharged = Read(bmc, "09A0003E");
  double chargeKwh = 0;
  double dischargeKwh = 0;
  for (int set = 0; set < 300; ++set) {  // the pack turns at least twice in this time
    const auto [current, voltage] = RunSet(bmc);
    (current > 0 ? chargeKwh : dischargeKwh) += std::fabs(current * voltage) * 2 / 3600 / 1000;
  }
  ASSERT_TRUE(chargeKwh > 0.05 && dischargeKwh > 0.05);
  EXPECT_EQ(Read(bmc, "09A00024"), runTime + 600);
  EXPECT_NEAR(Read(bmc, "09A0002E") - charged, chargeKwh, 0.0005);
  EXPECT_NEAR(Read(bmc, "09A0003E") - discharged, dischargeKwh, 0.0005);
  EXPECT_EQ(Ack(bmc, "09A00028"), "09A10029 AAFFFFFF");
  EXPECT_EQ(Read(bmc, "09A00026"), 0);
}

TEST(SimCounters, ClearsAndFactoryWritesAreRefusedWhenSavesAre) {
  Bmc bmc(BmcConfig{100000000, 3, 5, 0, 0, SavePolicy::Refused});
  for (int set = 0; set < 3; ++set) RunSet(bmc);
  const double runTime = Read(bmc, "09A00026");
  ExpectAnswers(AnswersOf(bmc),
                {"09A00028 > 09A10029 00FFFFFF", "09A03000 0DFB38D3 > 09A13001 00FFFFFF"});
  EXPECT_EQ(Read(bmc, "09A00026"), runTime);
  EXPECT_EQ(bmc.number(), 100000000u);
}

TEST(SimFactory, WritesPresetTheCumulativeCountersAndANewNumberHeadsEveryLaterLine) {
  Bmc bmc(BmcConfig{100000000, 3, 5, 0, 0});
  EXPECT_EQ(Ack(bmc, "09A03004", "0000007C", "43FA0000"), "09A13005 AAFFFFFF");
  EXPECT_NEAR(Read(bmc, "09A0002E"), 124.5, 1e-6);
  EXPECT_EQ(Ack(bmc, "09A03006", "00000009", "BF800000"), "09A13007 00FFFFFF");  // -1 Wh
  EXPECT_EQ(Ack(bmc, "09A03008", "00000001"), "none") << "no such sub-command";
  EXPECT_EQ(Ack(bmc, "09A03000", "05F5E0FF"), "09A13001 00FFFFFF");  // 99999999
  const auto ack = Ask(bmc, "09A03000", "0DFB38D3");
  ASSERT_EQ(ack.size(), 1u);
  EXPECT_EQ(ack.front().field, "0DFB38D3");
  EXPECT_EQ(ack.front().data1, "AAFFFFFF");
  EXPECT_EQ(bmc.number(), 234567891u);
  EXPECT_TRUE(bmc.NextRunDataLine().starts_with("T,0DFB38D3,7,09A10001,"));
}

TEST(SimEcho, UnknownFramesComeBackAsIdPlusOne) {
  Bmc bmc(BmcConfig{100000000, 3, 5, 0, 0});
  for (const auto& [request, echo] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"09a000ff", "abcdef01", "FFFFFFFF"}, "T,05F5E100,7,09A00100,abcdef01,FFFFFFFF,\r\n"},
           {{"FFFFFFFF", "00000000", "00000000"}, ""},
           {{"00000100", "0102030", "A0B0C0D0"}, ""},
           // The BMC's own requests are answered their own way, or not at all.
           {{"09A00180", "10FFFFFF", "FFFFFFFF"}, ""},  // an item the group does not have
       }) {
    const auto lines =
        bmc.HandleLine(wire::FrameLine("05F5E100", request[0], request[1], request[2]));
    EXPECT_EQ(lines.empty() ? "" : lines.front(), echo) << request[0];
    EXPECT_LE(lines.size(), 1u);
  }
}

}  // namespace
}  // namespace bms::sim
