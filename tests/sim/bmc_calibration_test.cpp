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

// The acknowledgement byte of a change: "AA" done, "00" refused.
std::string Change(Bmc& bmc, const std::string& id, const std::string& data1,
                   const std::string& data2 = "FFFFFFFF") {
  const auto answers = Ask(bmc, id, data1, data2);
  return answers.size() == 1 ? answers.front().data1.substr(0, 2) : "none";
}

// Cells 1 to 16 of a BIC as its detail frames report them (0xFFFF where it has none).
std::vector<int> Cells(Bmc& bmc, int number) {
  std::vector<int> cells;
  for (const Reply& f : Ask(bmc, "09A010" + wire::ByteToHex2(number))) {
    if (f.id[5] < '2' || f.id[5] > '5') continue;
    for (const std::string& field : {f.data1, f.data2})
      for (std::size_t n = 0; n < 2; ++n)
        cells.push_back(static_cast<int>(wire::HexToInteger(field.substr(4 * n, 4))));
  }
  return cells;
}

BmcConfig Config(SavePolicy saves = SavePolicy::Open) {
  return BmcConfig{200000000, 3, 11, 0, 0, saves};
}

TEST(SimBmcCalibration, ScalesAndZeroPointsShowInTheRunData) {
  struct Case {
    std::string name;
    std::string id, data1, data2;
    double currentGain, currentShiftCounts, voltageGain;
  };
  for (const Case& c : std::vector<Case>{
           {"current +1%", "09A0011E", "01FFFFFF", "3F8147AE", 1.01, 0, 1},
           {"current scale of a 40 mV model", "09A0011E", "00FFFFFF", "3C48018C",
            0.0122074 / kScale, 0, 1},
           {"zero 100 counts low", "09A00122", "017F9CFF", "FFFFFFFF", 1, 100, 1},
           {"zero 200 counts high", "09A00122", "0180C8FF", "FFFFFFFF", 1, -200, 1},
           {"total voltage +10%", "09A0011A", "01FFFFFF", "3F8CCCCD", 1, 0, 1.1},
           {"total voltage -0.1%", "09A0011A", "01FFFFFF", "3F7FBE77", 1, 0, 0.999},
       }) {
    Bmc plain(Config());
    Bmc calibrated(Config());
    ASSERT_EQ(Change(calibrated, c.id, c.data1, c.data2), "AA") << c.name;
    for (int set = 0; set < 200; ++set) {  // both directions of the current
      const auto [current, total] = RunSet(plain);
      const auto [calibratedCurrent, calibratedTotal] = RunSet(calibrated);
      ASSERT_NEAR(calibratedCurrent, current * c.currentGain + c.currentShiftCounts * kScale, 0.002)
          << c.name << ", set " << set;
      ASSERT_NEAR(calibratedTotal, total * c.voltageGain, 0.002) << c.name << ", set " << set;
    }
  }
}

TEST(SimBmcCalibration, AutomaticZeroMakesTheCurrentReadZeroNow) {
  Bmc bmc(Config());
  for (int set = 0; set < 5; ++set) RunSet(bmc);
  ASSERT_GT(std::fabs(bmc.pack().currentA()), 10);
  EXPECT_EQ(Change(bmc, "09A00122", "00FFFFFF"), "AA");
  EXPECT_NEAR(bmc.pack().currentA(), 0, kScale / 2 + 1e-9);
  const std::string zero = Ack(bmc, "09A00120");
  EXPECT_TRUE(zero.starts_with("09A10121 ") && zero != "09A10121 8000FFFF") << zero;
}

TEST(SimBmcCalibration, TheDcPortCarriesThePackCurrentWhileCharging) {
  Bmc bmc(Config());
  Bmc shifted(Config());
  ASSERT_EQ(Change(shifted, "09A0FA1E", "017F9CFF"), "AA");  // 100 counts low
  ASSERT_EQ(Change(shifted, "09A0FA1A", "01FFFFFF", "3F8147AE"), "AA");
  int charging = 0;
  for (int set = 0; set < 300; ++set, RunSet(bmc), RunSet(shifted)) {
    const double actual = bmc.pack().charging() ? bmc.pack().actualCurrentA() : 0;
    charging += bmc.pack().charging() ? 1 : 0;
    for (const auto& [which, expected] :
         {std::pair{&bmc, actual}, std::pair{&shifted, (actual + 100 * kScale) * 1.01}}) {
      const auto answers = Ask(*which, "09A0FA32");
      ASSERT_EQ(answers.size(), 1u);
      EXPECT_EQ(answers.front().id + " " + answers.front().data1, "09A1FA33 01FFFFFF");
      ASSERT_NEAR(wire::HexToFloat(answers.front().data2), expected, 0.01) << "set " << set;
    }
  }
  EXPECT_TRUE(charging > 0 && charging < 300) << "both directions were seen";
}

TEST(SimBmcCalibration, BicSetupShowsInTheCellDetails) {
  Bmc plain(Config());
  Bmc configured(Config());
  ASSERT_EQ(Change(configured, "09A02E02", "0009DDFF"), "AA");  // reference 2525 mV
  ASSERT_EQ(Change(configured, "09A02603", "08FFFFFF"), "AA");  // 8 cells
  ASSERT_EQ(Change(configured, "09A02A03", "02FFFFFF"), "AA");  // 2 sensors
  for (int set = 0; set < 3; ++set, RunSet(plain), RunSet(configured)) {
    EXPECT_EQ(Cells(configured, 1), Cells(plain, 1)) << "BIC 1 keeps its reference";
    const auto plain2 = Cells(plain, 2);
    const auto scaled2 = Cells(configured, 2);
    const auto cells3 = Cells(configured, 3);
    ASSERT_TRUE(plain2.size() == 16 && scaled2.size() == 16 && cells3.size() == 16);
    const int cells2 = configured.pack().bic(2).cells;
    for (std::size_t n = 0; n < 16; ++n) {
      if (static_cast<int>(n) >= cells2) {
        EXPECT_EQ(scaled2[n], 0xFFFF);
      } else {
        EXPECT_NEAR(scaled2[n], plain2[n] * 2525.0 / 2500.0, 1) << "cell " << n + 1;
      }
      EXPECT_EQ(cells3[n] == 0xFFFF, n >= 8) << "cell " << n + 1;
    }
    const auto detail = Ask(configured, "09A01003");
    ASSERT_EQ(detail.size(), 7u);
    EXPECT_EQ(detail[0].data1.substr(0, 4), "0802");
    EXPECT_NE(detail[5].data1.substr(4, 2), "FF") << "sensor 2 stays";
    EXPECT_EQ(detail[5].data2.substr(0, 2), "FF") << "sensor 3 is gone";
  }
}

TEST(SimBmcCalibration, TheInstalledCountDecidesWhichBicsAnswer) {
  Bmc bmc(Config());
  ASSERT_EQ(Ask(bmc, "09A01003").size(), 7u);
  ASSERT_EQ(Change(bmc, "09A00102", "02FFFFFF"), "AA");
  EXPECT_EQ(Ack(bmc, "09A00100"), "09A10101 02FFFFFF");
  EXPECT_EQ(Ask(bmc, "09A01002").size(), 7u);
  EXPECT_TRUE(Ask(bmc, "09A01003").empty());
  ASSERT_EQ(Change(bmc, "09A00102", "05FFFFFF"), "AA");
  EXPECT_EQ(Ask(bmc, "09A01003").size(), 7u);
  EXPECT_TRUE(Ask(bmc, "09A01004").empty()) << "the pack has 3 BICs";
}

TEST(SimBmcCalibration, RefusedSavesLeaveTheFramesAlone) {
  Bmc plain(Config());
  Bmc refusing(Config(SavePolicy::Refused));
  ExpectAnswers(AnswersOf(refusing),
                {"09A0011E 01FFFFFF 3F8147AE > 09A1011F 00FFFFFF",
                 "09A0011A 01FFFFFF 3F8CCCCD > 09A1011B 00FFFFFF",
                 "09A00122 017F9CFF > 09A10123 00FFFFFF; 09A02E00 0009DDFF > 09A12F00 00FFFFFF",
                 "09A02600 08FFFFFF > 09A12700 00FFFFFF; 09A00102 01FFFFFF > 09A10103 00FFFFFF"});
  for (int set = 0; set < 3; ++set) {
    EXPECT_EQ(RunSet(refusing), RunSet(plain));
    for (int bic = 1; bic <= 3; ++bic) EXPECT_EQ(Cells(refusing, bic), Cells(plain, bic));
  }
}

}  // namespace
}  // namespace bms::sim
