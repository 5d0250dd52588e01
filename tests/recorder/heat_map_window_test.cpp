// The pack heat map window on the whole application: tiles as the cell detail answers come,
// the extremes outlined and balancing marked, tiles fading on virtual time, the mode switch,
// both languages, and a dropped link that leaves the tiles in place.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backends.h"
#include "recorder/heat_map_window.h"
#include "testing/driver.h"
#include "wire/hex_text.h"

namespace bms::testing {
namespace {

using Texts = std::vector<std::string>;

constexpr const char* kMap = "heatmap:热图";

std::string Frame(const std::string& id, const std::string& data1, const std::string& data2) {
  return "T,05F5E100,7," + id + "," + data1 + "," + data2 + ",\r\n";
}

// One BIC's whole set of detail answers: four cells of 3312, 3300, 3322 and 3328 mV plus
// offset, cells 1 and 3 balancing, two sensors at 25 and 26 °C plus offset.
void ReceiveBic(Driver& driver, int bic, int offset) {
  const std::string id = wire::ByteToHex2(bic);
  const auto word = [offset](int mv) { return wire::WordToHex4(mv + offset); };
  const auto byte = [offset](int c) { return wire::ByteToHex2(c + offset) + "00"; };
  driver.receive(Frame("09A111" + id, "04020005", "FFFFFFFF") +
                 Frame("09A112" + id, word(3312) + word(3300), word(3322) + word(3328)) +
                 Frame("09A113" + id, "FFFFFFFF", "FFFFFFFF") +
                 Frame("09A114" + id, "FFFFFFFF", "FFFFFFFF") +
                 Frame("09A115" + id, "FFFFFFFF", "FFFFFFFF") +
                 Frame("09A116" + id, byte(25) + byte(26), "FFFFFFFF") +
                 Frame("09A117" + id, "FFFFFFFF", "FFFFFFFF"));
}

Texts TileTexts(const forms::HeatMapRow& row) {
  Texts texts;
  for (const auto& tile : row.tiles) texts.push_back(tile.text);
  return texts;
}

std::vector<bool> Flags(const forms::HeatMapRow& row, bool forms::HeatMapTile::*flag) {
  std::vector<bool> flags;
  for (const auto& tile : row.tiles) flags.push_back(tile.*flag);
  return flags;
}

class HeatMapWindow : public ::testing::TestWithParam<Backend> {
 protected:
  // Two BICs installed, the cells of BIC 1 read, then those of BIC 2 4 mV higher.
  void startWithTwoBics() {
    StartConnected(driver);
    driver.click("简体中文单选框");
    driver.receive(Frame("09A10101", "02FFFFFF", "FFFFFFFF"));
    driver.click("读取单体信息选择框");
    ReceiveBic(driver, 1, 0);
    driver.click("下一个BIC按钮");
    ReceiveBic(driver, 2, 4);
  }

  Driver driver{GetParam()};
};

TEST_P(HeatMapWindow, OpensEmptyWithAHintAndClosesWithTheMainWindow) {
  StartConnected(driver);
  driver.click("简体中文单选框");
  EXPECT_EQ(driver.text("热图按钮"), "热图");
  ASSERT_TRUE(driver.click("热图按钮"));
  ASSERT_TRUE(driver.isOpen("heatmap"));
  EXPECT_EQ(driver.title("heatmap"), "热图");
  EXPECT_TRUE(driver.heatMap(kMap).rows.empty());
  EXPECT_TRUE(driver.heatMap(kMap).legend.empty());
  EXPECT_EQ(driver.text("heatmap:热图摘要标签"), "尚未读到单体：请在运行监视页勾选“读取单体信息”");
  driver.closeMainWindow();
  EXPECT_FALSE(driver.isOpen("heatmap"));
}

TEST_P(HeatMapWindow,
       ShowsEveryBicAsARowWithExtremesOutlinedAndBalancingMarkedThenTemperaturesAndLanguages) {
  startWithTwoBics();
  driver.click("热图按钮");
  auto map = driver.heatMap(kMap);
  ASSERT_EQ(map.rows.size(), 2U);
  EXPECT_EQ(map.rows[0].caption, "BIC 1");
  EXPECT_EQ(map.rows[1].caption, "BIC 2");
  EXPECT_EQ(TileTexts(map.rows[0]), (Texts{"3312", "3300", "3322", "3328"}));
  EXPECT_EQ(TileTexts(map.rows[1]), (Texts{"3316", "3304", "3326", "3332"}));
  // The pack's lowest is BIC 1 cell 2, its highest BIC 2 cell 4.
  EXPECT_EQ(Flags(map.rows[0], &forms::HeatMapTile::outlined),
            (std::vector<bool>{false, true, false, false}));
  EXPECT_EQ(Flags(map.rows[1], &forms::HeatMapTile::outlined),
            (std::vector<bool>{false, false, false, true}));
  EXPECT_EQ(Flags(map.rows[1], &forms::HeatMapTile::balancing),
            (std::vector<bool>{true, false, true, false}));
  EXPECT_EQ(Flags(map.rows[0], &forms::HeatMapTile::faded), (std::vector<bool>(4, false)));
  // Below the mean blue, above it red.
  EXPECT_GT(map.rows[0].tiles[1].colour.b, map.rows[0].tiles[1].colour.r);
  EXPECT_GT(map.rows[1].tiles[3].colour.r, map.rows[1].tiles[3].colour.b);
  EXPECT_NE(map.rows[0].tiles[1].toolTip.find("BIC 1"), std::string::npos);
  EXPECT_NE(map.rows[0].tiles[1].toolTip.find("3300 mV"), std::string::npos);
  // Deviations run from -17.5 to +14.5 mV about the mean.
  Texts legend;
  for (const auto& entry : map.legend) legend.push_back(entry.text);
  EXPECT_EQ(legend, (Texts{"-20 mV", "-10 mV", "0 mV", "+10 mV", "+20 mV"}));
  EXPECT_EQ(driver.text("heatmap:热图摘要标签"),
            "平均 3317.5 mV，2 个BIC共 8 节单体；最高与最低加框，平衡中的单体带圆点");

  // Temperatures, then the other language.
  driver.select("heatmap:热图模式组合框", 1);
  map = driver.heatMap(kMap);
  ASSERT_EQ(map.rows.size(), 2U);
  EXPECT_EQ(TileTexts(map.rows[0]), (Texts{"25", "26"}));
  EXPECT_EQ(TileTexts(map.rows[1]), (Texts{"29", "30"}));
  EXPECT_EQ(Flags(map.rows[0], &forms::HeatMapTile::outlined), (std::vector<bool>{true, false}));
  EXPECT_EQ(Flags(map.rows[1], &forms::HeatMapTile::outlined), (std::vector<bool>{false, true}));
  EXPECT_EQ(Flags(map.rows[0], &forms::HeatMapTile::balancing), (std::vector<bool>{false, false}));
  ASSERT_FALSE(map.legend.empty());
  EXPECT_EQ(map.legend.back().text, "+5 °C");

  driver.click("英文单选框");
  EXPECT_EQ(driver.title("heatmap"), "Heat map");
  EXPECT_EQ(driver.text("热图按钮"), "Heat map");
  EXPECT_EQ(driver.items("heatmap:热图模式组合框"), (Texts{"Cell voltage", "Temperature"}));
  EXPECT_EQ(driver.index("heatmap:热图模式组合框"), 1);
  map = driver.heatMap(kMap);
  EXPECT_EQ(TileTexts(map.rows[1]), (Texts{"29", "30"}));
  EXPECT_NE(map.rows[1].tiles[1].toolTip.find("30 °C"), std::string::npos);
  EXPECT_EQ(driver.text("heatmap:热图摘要标签"),
            "Mean 27.5 °C, 4 sensors of 2 BICs; highest and lowest outlined");

  driver.select("heatmap:热图模式组合框", 0);
  EXPECT_EQ(TileTexts(driver.heatMap(kMap).rows[0]), (Texts{"3312", "3300", "3322", "3328"}));
}

TEST_P(HeatMapWindow, TilesFadeOnTimeStayWhenTheLinkDropsAndGoForAnotherController) {
  startWithTwoBics();
  driver.click("热图按钮");
  // Two BICs at one a second: a tile is live for three rounds, 6 s. BIC 1 was read at the
  // same moment as BIC 2 here, so both fade together.
  driver.advance(5500);
  ASSERT_EQ(driver.heatMap(kMap).rows.size(), 2U);
  EXPECT_FALSE(driver.heatMap(kMap).rows[0].tiles[0].faded);
  driver.peerClose();
  driver.advance(1000);
  const auto map = driver.heatMap(kMap);
  ASSERT_EQ(map.rows.size(), 2U);
  EXPECT_EQ(TileTexts(map.rows[0]), (Texts{"3312", "3300", "3322", "3328"}));
  EXPECT_EQ(Flags(map.rows[0], &forms::HeatMapTile::faded), (std::vector<bool>(4, true)));
  EXPECT_NE(map.rows[0].tiles[0].toolTip.find("6 秒"), std::string::npos)
      << map.rows[0].tiles[0].toolTip;

  // The link comes back and BIC 1 is read again: its row is live, BIC 2's still faded.
  driver.click("通信按钮");
  driver.receive(Frame("09A10101", "02FFFFFF", "FFFFFFFF"));
  driver.click("读取单体信息选择框");
  ReceiveBic(driver, 1, 0);
  driver.advance(recorder::HeatMapWindow::kRedrawIntervalMs);
  const auto again = driver.heatMap(kMap);
  ASSERT_EQ(again.rows.size(), 2U);
  EXPECT_EQ(Flags(again.rows[0], &forms::HeatMapTile::faded), (std::vector<bool>(4, false)));
  EXPECT_EQ(Flags(again.rows[1], &forms::HeatMapTile::faded), (std::vector<bool>(4, true)));

  // Another controller starts an empty map.
  driver.peerClose();
  driver.setText("BMC编号编辑框", "100000001");
  driver.click("通信按钮");
  EXPECT_TRUE(driver.heatMap(kMap).rows.empty());
}

TEST_P(HeatMapWindow, SteppingReadsEveryBicInTurnAndStopsWhenCleared) {
  StartConnected(driver);
  driver.receive(Frame("09A10101", "03FFFFFF", "FFFFFFFF"));
  driver.click("读取单体信息选择框");
  driver.click("热图按钮");
  ASSERT_TRUE(driver.click("heatmap:热图逐个读取BIC选择框"));
  // Each whole set moves the plan on, from the last BIC back to the first.
  for (const auto& [bic, next] : {std::pair{1, "2"}, {2, "3"}, {3, "1"}, {1, "2"}}) {
    ReceiveBic(driver, bic, 0);
    EXPECT_EQ(driver.text("计划读取的BIC编号标签"), next) << bic;
  }
  driver.advance(recorder::HeatMapWindow::kRedrawIntervalMs);
  EXPECT_EQ(driver.heatMap(kMap).rows.size(), 3u);
  driver.click("heatmap:热图逐个读取BIC选择框");
  ReceiveBic(driver, 2, 0);
  EXPECT_EQ(driver.text("计划读取的BIC编号标签"), "2");
}

INSTANTIATE_TEST_SUITE_P(Backends, HeatMapWindow, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
