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

constexpr const char* kRunTimes[] = {"09A00022", "09A00024", "09A00026", "09A0002A"};

TEST(SimCounters, RunTimesAdvanceWithSimulatedTimeAndSubtotalsClear) {
  Bmc bmc(BmcConfig{100000000, 3, 5, 0, 0, SavePolicy::Open, 0.5});
  std::vector<double> before;
  for (const char* id : kRunTimes) before.push_back(Read(bmc, id));
  EXPECT_EQ(before[0], 0) << "this power-on has just begun";
  for (int set = 0; set < 10; ++set) RunSet(bmc);
  for (std::size_t i = 0; i < std::size(kRunTimes); ++i)
    EXPECT_EQ(Read(bmc, kRunTimes[i]), before[i] + 5) << kRunTimes[i];

  EXPECT_EQ(Ack(bmc, "09A00028"), "09A10029 AAFFFFFF");
  for (int set = 0; set < 4; ++set) RunSet(bmc);
  EXPECT_EQ(Read(bmc, "09A00026"), 2);
  EXPECT_EQ(Read(bmc, "09A0002A"), before[3] + 7);
  EXPECT_EQ(Ack(bmc, "09A0002C"), "09A1002D AAFFFFFF");
  EXPECT_EQ(Read(bmc, "09A0002A"), 0);
  EXPECT_EQ(Read(bmc, "09A00026"), 2);
}

TEST(SimCounters, EnergyIntegratesPowerIntoChargeOrDischarge) {
  Bmc bmc(BmcConfig{100000000, 3, 9, 0, 0, SavePolicy::Open, 2});
  // Cumulative, subtotal 1 and 2 of charge, then of discharge.
  const std::vector<std::string> ids = {"09A0002E", "09A00030", "09A00034",
                                        "09A00038", "09A0003A", "09A0003E"};
  std::vector<double> start;
  for (const auto& id : ids) start.push_back(Read(bmc, id));
  double chargeKwh = 0;
  double dischargeKwh = 0;
  for (int set = 0; set < 300; ++set) {  // the pack turns at least twice in this time
    const auto [current, voltage] = RunSet(bmc);
    (current > 0 ? chargeKwh : dischargeKwh) += std::fabs(current * voltage) * 2 / 3600 / 1000;
  }
  ASSERT_GT(chargeKwh, 0.05);
  ASSERT_GT(dischargeKwh, 0.05);
  for (std::size_t i = 0; i < ids.size(); ++i) {
    EXPECT_NEAR(Read(bmc, ids[i]) - start[i], i < 3 ? chargeKwh : dischargeKwh, 0.0005) << ids[i];
  }
}

TEST(SimCounters, ClearsAndFactoryWritesAreRefusedWhenSavesAre) {
  Bmc bmc(BmcConfig{100000000, 3, 5, 0, 0, SavePolicy::Refused});
  for (int set = 0; set < 3; ++set) RunSet(bmc);
  const double subtotal = Read(bmc, "09A0003A");
  const double runTime = Read(bmc, "09A00024");
  ExpectAnswers(AnswersOf(bmc),
                {"09A00028 > 09A10029 00FFFFFF; 09A0002C > 09A1002D 00FFFFFF",
                 "09A00032 > 09A10033 00FFFFFF; 09A00036 > 09A10037 00FFFFFF",
                 "09A0003C > 09A1003D 00FFFFFF; 09A00040 > 09A10041 00FFFFFF",
                 "09A03000 0DFB38D3 > 09A13001 00FFFFFF; 09A03002 00015180 > 09A13003 00FFFFFF"});
  EXPECT_EQ(Read(bmc, "09A0003A"), subtotal);
  EXPECT_EQ(Read(bmc, "09A00024"), runTime);
  EXPECT_EQ(bmc.number(), 100000000u);
}

TEST(SimFactory, WritesPresetTheCumulativeCounters) {
  Bmc bmc(BmcConfig{100000000, 3, 5, 0, 0});
  const struct {
    std::string id, data1, data2, ack, readId;
    double value;
  } cases[] = {
      {"09A03002", "00015180", "FFFFFFFF", "09A13003 AAFFFFFF", "09A00024", 86400},
      {"09A03004", "0000007C", "43FA0000", "09A13005 AAFFFFFF", "09A0002E", 124.5},
      {"09A03006", "00000003", "00000000", "09A13007 AAFFFFFF", "09A00038", 3},
      {"09A03006", "00000009", "BF800000", "09A13007 00FFFFFF", "09A00038", 3},      // -1 Wh
      {"09A03004", "0000007C", "7FC00000", "09A13005 00FFFFFF", "09A0002E", 124.5},  // NaN
      {"09A03002", "0001518G", "FFFFFFFF", "09A13003 00FFFFFF", "09A00024", 86400},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Ack(bmc, c.id, c.data1, c.data2), c.ack) << c.id << " " << c.data1;
    EXPECT_NEAR(Read(bmc, c.readId), c.value, 1e-6) << c.id << " " << c.data1;
  }
  EXPECT_EQ(Ack(bmc, "09A03008", "00000001"), "none") << "no such sub-command";
}

TEST(SimFactory, ANewBmcNumberHeadsEveryLaterLine) {
  Bmc bmc(BmcConfig{100000000, 3, 5, 0, 0});
  for (const std::string bad : {"05F5E0FF", "3B9ACA00", "0DFB38DG"}) {  // 99999999, 10^9
    EXPECT_EQ(Ack(bmc, "09A03000", bad), "09A13001 00FFFFFF") << bad;
  }
  EXPECT_EQ(bmc.bmcField(), "05F5E100");
  const auto ack = Ask(bmc, "09A03000", "0DFB38D3");
  ASSERT_EQ(ack.size(), 1u);
  EXPECT_EQ(ack.front().field, "0DFB38D3");
  EXPECT_EQ(ack.front().data1, "AAFFFFFF");
  EXPECT_EQ(bmc.number(), 234567891u);
  EXPECT_TRUE(bmc.NextRunDataLine().starts_with("T,0DFB38D3,7,09A10001,"));
  EXPECT_EQ(Ask(bmc, "09A00012").front().field, "0DFB38D3");
}

TEST(SimEcho, UnknownFramesComeBackAsIdPlusOne) {
  Bmc bmc(BmcConfig{100000000, 3, 5, 0, 0});
  for (const auto& [request, echo] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"00000100", "01020304", "A0B0C0D0"}, "T,05F5E100,7,00000101,01020304,A0B0C0D0,\r\n"},
           {{"09A00001", "FFFFFFFF", "FFFFFFFF"}, "T,05F5E100,7,09A00002,FFFFFFFF,FFFFFFFF,\r\n"},
           {{"09a000ff", "abcdef01", "FFFFFFFF"}, "T,05F5E100,7,09A00100,abcdef01,FFFFFFFF,\r\n"},
           {{"0000FFFF", "00000000", "00000000"}, "T,05F5E100,7,00010000,00000000,00000000,\r\n"},
           {{"FFFFFFFF", "00000000", "00000000"}, ""},
           {{"00000100", "0102030", "A0B0C0D0"}, ""},
           // The BMC's own requests are answered their own way, or not at all.
           {{"09A01009", "FFFFFFFF", "FFFFFFFF"}, ""},  // a BIC it does not have
           {{"09A02477", "FFFFFFFF", "FFFFFFFF"}, ""},  // an address no BIC has
           {{"09A00180", "10FFFFFF", "FFFFFFFF"}, ""},  // an item the group does not have
           {{"09A0FA10", "07FFFFFF", "FFFFFFFF"}, ""},  // the same in the DC module
       }) {
    const auto lines =
        bmc.HandleLine(wire::FrameLine("05F5E100", request[0], request[1], request[2]));
    EXPECT_EQ(lines.empty() ? "" : lines.front(), echo) << request[0];
    EXPECT_LE(lines.size(), 1u);
  }
}

}  // namespace
}  // namespace bms::sim
