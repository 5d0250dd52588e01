#include "cli/pack_watch.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace bms::cli {
namespace {

struct Frame {
  std::string id, data1, data2;
};

// A pack at 55.0 %: 52.5 V, -10 A, cells 3.300 V and 3.290 V, 25 and -5 °C, faults 05 and
// warnings 02.
const std::vector<Frame> kRunDataSet = {
    {"09A10001", "00000000", "00000000"}, {"09A10002", "00000000", "00000000"},
    {"09A10003", "C1200000", "42520000"}, {"09A10004", "82260CE4", "0CDA19FB"},
    {"09A10005", "05020000", "00000000"},
};

// BIC 2 with 3 cells (balancing cells 1 and 3) and 4 sensors; the unused places are filler.
const std::vector<Frame> kBicTwo = {
    {"09A11102", "03040005", "19FFFFFF"}, {"09A11202", "0CE40CDA", "0CE0FFFF"},
    {"09A11302", "FFFFFFFF", "FFFFFFFF"}, {"09A11402", "FFFFFFFF", "FFFFFFFF"},
    {"09A11502", "FFFFFFFF", "FFFFFFFF"}, {"09A11602", "19FFFBFF", "1EFF14FF"},
    {"09A11702", "FFFFFFFF", "FFFFFFFF"},
};

class PackWatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    watch.onRunData = [this](const monitor::RunValues& v, const base::Alarms& a) {
      sets.push_back(v);
      alarms = a;
    };
    watch.onCells = [this](const BicCells& c) { cells.push_back(c); };
  }
  void Feed(const std::vector<Frame>& frames) {
    for (const auto& f : frames) watch.onFrame(f.id, f.data1, f.data2);
  }

  PackWatch watch;
  std::vector<monitor::RunValues> sets;
  base::Alarms alarms;
  std::vector<BicCells> cells;
};

TEST_F(PackWatchTest, ARunDataSetIsReportedOnlyWhenAllFiveAnswersArrived) {
  Feed({kRunDataSet.begin(), kRunDataSet.end() - 1});
  EXPECT_TRUE(sets.empty());
  // A cut answer counts for nothing and changes nothing.
  watch.onFrame("09A10005", "0502000", "00000000");
  watch.onFrame("09A10005", "FF020000", "0000000");
  EXPECT_TRUE(sets.empty());
  Feed({kRunDataSet.back()});
  ASSERT_EQ(sets.size(), 1u);
  const auto& v = sets[0];
  EXPECT_DOUBLE_EQ(v.stateOfCharge, 55.0);
  EXPECT_DOUBLE_EQ(v.totalVoltage, 52.5);
  EXPECT_DOUBLE_EQ(v.current, -10.0);
  EXPECT_DOUBLE_EQ(v.power, -525.0);
  EXPECT_DOUBLE_EQ(v.highestCellVoltage, 3.3);
  EXPECT_DOUBLE_EQ(v.lowestCellVoltage, 3.29);
  EXPECT_EQ(v.highestCellTemperature, 25);
  EXPECT_EQ(v.lowestCellTemperature, -5);
  const std::array<bool, 8> faults{true, false, true, false, false, false, false, false};
  const std::array<bool, 8> warnings{false, true, false, false, false, false, false, false};
  EXPECT_EQ(alarms.faults, faults);
  EXPECT_EQ(alarms.warnings, warnings);
  // The next set needs all five again.
  Feed({kRunDataSet[4], kRunDataSet[4]});
  EXPECT_EQ(sets.size(), 1u);
  Feed(kRunDataSet);
  EXPECT_EQ(sets.size(), 2u);
}

TEST_F(PackWatchTest, PollsTheCountThenEveryInstalledBicInTurn) {
  EXPECT_EQ(watch.nextRequest(), "09A00100");
  Feed(kBicTwo);  // before the count is known: no BIC is taken
  EXPECT_TRUE(cells.empty());
  EXPECT_EQ(watch.nextRequest(), "09A00100");
  watch.onFrame("09A10101", "02FFFFFF", "FFFFFFFF");
  std::vector<std::optional<std::string>> requests;
  for (int n = 0; n < 5; ++n) requests.push_back(watch.nextRequest());
  const std::vector<std::optional<std::string>> expected = {"09A01001", "09A01002", "09A01001",
                                                            "09A01002", "09A01001"};
  EXPECT_EQ(requests, expected);

  PackWatch none;
  none.onFrame("09A10101", "00FFFFFF", "FFFFFFFF");
  EXPECT_EQ(none.nextRequest(), std::nullopt);
}

TEST_F(PackWatchTest, ABicIsReportedWhenAllSevenFramesArrived) {
  watch.onFrame("09A10101", "02FFFFFF", "FFFFFFFF");
  Feed({kBicTwo.begin(), kBicTwo.end() - 1});
  EXPECT_TRUE(cells.empty());
  // BIC 3 is not installed: its frames are not taken.
  watch.onFrame("09A11703", "FFFFFFFF", "FFFFFFFF");
  EXPECT_TRUE(cells.empty());
  Feed({kBicTwo.back()});
  ASSERT_EQ(cells.size(), 1u);
  EXPECT_EQ(cells[0].bic, 2);
  EXPECT_EQ(cells[0].cellsMv, (std::vector<int>{3300, 3290, 3296}));
  EXPECT_EQ(cells[0].balancing, 5u);
  EXPECT_EQ(cells[0].temperatures, (std::vector<int>{25, -5, 30, 20}));
  const recorder::CellExtremes extremes{{2, 1, 3300}, {2, 2, 3290}};
  EXPECT_EQ(watch.extremes(), extremes);

  Feed({kBicTwo.begin(), kBicTwo.end() - 1});
  EXPECT_EQ(cells.size(), 1u);
  Feed(kBicTwo);
  EXPECT_EQ(cells.size(), 2u);
}

}  // namespace
}  // namespace bms::cli
