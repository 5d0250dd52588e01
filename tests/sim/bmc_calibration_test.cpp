#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "sim/bmc_lines.h"
#include "wire/number_text.h"

// The effect of a calibration on what the BMC sends, seen against a twin of the same seed
// that was not calibrated: calibrating draws no random numbers, so both stay in step.
namespace bms::sim {
namespace {

constexpr double kScale = 0.0152593;  // A per count of the default current scale
const BmcConfig kConfig{200000000, 3, 11, 0, 0};

TEST(SimBmcCalibration, ScalesAndZeroPointsShowInTheRunDataAndTheDcPort) {
  struct Case {
    std::string name;
    std::string id, data1, data2;
    double currentGain, currentShiftCounts, voltageGain;
  };
  for (const Case& c : std::vector<Case>{
           {"current +1%", "09A0011E", "01FFFFFF", "3F8147AE", 1.01, 0, 1},
           {"zero 100 counts low", "09A00122", "017F9CFF", "FFFFFFFF", 1, 100, 1},
           {"total voltage -0.1%", "09A0011A", "01FFFFFF", "3F7FBE77", 1, 0, 0.999},
       }) {
    Bmc plain(kConfig);
    Bmc calibrated(kConfig);
    ASSERT_TRUE(Ack(calibrated, c.id, c.data1, c.data2).ends_with(" AAFFFFFF")) << c.name;
    for (int set = 0; set < 200; ++set) {  // both directions of the current
      const auto [current, total] = RunSet(plain);
      const auto [calibratedCurrent, calibratedTotal] = RunSet(calibrated);
      ASSERT_NEAR(calibratedCurrent, current * c.currentGain + c.currentShiftCounts * kScale, 0.002)
          << c.name << ", set " << set;
      ASSERT_NEAR(calibratedTotal, total * c.voltageGain, 0.002) << c.name << ", set " << set;
    }
  }
  // The DC port carries the pack current while charging, through its own zero and scale.
  Bmc bmc(kConfig);
  ASSERT_EQ(Ack(bmc, "09A0FA1E", "017F9CFF"), "09A1FA1F AAFFFFFF");  // 100 counts low
  ASSERT_EQ(Ack(bmc, "09A0FA1A", "01FFFFFF", "3F8147AE"), "09A1FA1B AAFFFFFF");
  int charging = 0;
  for (int set = 0; set < 300; ++set, RunSet(bmc)) {
    charging += bmc.pack().charging() ? 1 : 0;
    const double actual = bmc.pack().charging() ? bmc.pack().actualCurrentA() : 0;
    const auto answers = Ask(bmc, "09A0FA32");
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers.front().id + " " + answers.front().data1, "09A1FA33 01FFFFFF");
    ASSERT_NEAR(wire::HexToFloat(answers.front().data2), (actual + 100 * kScale) * 1.01, 0.01)
        << "set " << set;
  }
  EXPECT_TRUE(charging > 0 && charging < 300) << "both directions were seen";
}

TEST(SimBmcCalibration, AutomaticZeroMakesTheCurrentReadZeroNow) {
  Bmc bmc(kConfig);
  for (int set = 0; set < 5; ++set) RunSet(bmc);
  ASSERT_GT(std::fabs(bmc.pack().currentA()), 10);
  EXPECT_EQ(Ack(bmc, "09A00122", "00FFFFFF"), "09A10123 AAFFFFFF");
  EXPECT_NEAR(bmc.pack().currentA(), 0, kScale / 2 + 1e-9);
}

TEST(SimBmcCalibration, BicSetupShowsInTheCellDetailsAndTheInstalledCountDecidesWhoAnswers) {
  Bmc plain(kConfig);
  Bmc configured(kConfig);
  ASSERT_EQ(Ack(configured, "09A02E02", "0009DDFF"), "09A12F02 AAFFFFFF");  // 2525 mV
  ASSERT_EQ(Ack(configured, "09A02603", "08FFFFFF"), "09A12703 AAFFFFFF");  // 8 cells
  RunSet(plain);
  RunSet(configured);
  const auto plain2 = Ask(plain, "09A01002");
  const auto scaled2 = Ask(configured, "09A01002");
  const auto detail3 = Ask(configured, "09A01003");
  ASSERT_TRUE(plain2.size() == 7 && scaled2.size() == 7 && detail3.size() == 7);
  const auto cell1 = [](const std::vector<Reply>& detail) {
    return static_cast<double>(wire::HexToInteger(detail[1].data1.substr(0, 4)));
  };
  EXPECT_NEAR(cell1(scaled2), cell1(plain2) * 2525.0 / 2500.0, 1);
  EXPECT_EQ(Ask(configured, "09A01001")[1].data1, Ask(plain, "09A01001")[1].data1);
  EXPECT_EQ(detail3[0].data1.substr(0, 2), "08");
  EXPECT_NE(detail3[2].data2, "FFFFFFFF") << "cells 7 and 8 stay";
  EXPECT_EQ(detail3[3].data1 + detail3[4].data2, "FFFFFFFFFFFFFFFF") << "cells 9 to 16 are gone";

  ASSERT_EQ(Ack(configured, "09A00102", "02FFFFFF"), "09A10103 AAFFFFFF");
  EXPECT_TRUE(Ask(configured, "09A01003").empty());
  ASSERT_EQ(Ack(configured, "09A00102", "05FFFFFF"), "09A10103 AAFFFFFF");
  EXPECT_EQ(Ask(configured, "09A01003").size(), 7u);
  EXPECT_TRUE(Ask(configured, "09A01004").empty()) << "the pack has 3 BICs";
}

}  // namespace
}  // namespace bms::sim
