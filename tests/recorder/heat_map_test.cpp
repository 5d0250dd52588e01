#include "recorder/heat_map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "recorder/heat_map_tooltip.h"

namespace bms::recorder {
namespace {

const HeatTile& At(const HeatMapView& view, int bic, int place) {
  for (const auto& tile : view.tiles) {
    if (tile.bic == bic && tile.place == place) return tile;
  }
  static const HeatTile kMissing;
  ADD_FAILURE() << "no tile " << bic << "/" << place;
  return kMissing;
}

std::vector<Outline> Outlines(const HeatMapView& view) {
  std::vector<Outline> outlines;
  for (const auto& tile : view.tiles) outlines.push_back(tile.outline);
  return outlines;
}

TEST(HeatMap, DeviationFromThePackMeanAndOutlinedExtremes) {
  HeatMap map;
  map.updateCells(0, 5, std::vector{3300, 3320, 3290}, 0b010);
  map.updateCells(0, 2, std::vector{3310, 3330}, 0);
  map.updateCells(0, 0, std::vector{9999}, 0);  // no such BIC
  map.updateCells(0, 254, std::vector{1}, 0);   // beyond the last address
  const auto view = map.view(HeatMapMode::Voltage, 0, 1000);
  EXPECT_EQ(view.bics, (std::vector<int>{2, 5}));
  EXPECT_EQ(view.columns, 3);
  ASSERT_EQ(view.tiles.size(), 5u);
  EXPECT_DOUBLE_EQ(view.mean, 3310);
  EXPECT_DOUBLE_EQ(At(view, 5, 3).deviation, -20);
  EXPECT_DOUBLE_EQ(At(view, 2, 2).deviation, 20);
  EXPECT_TRUE(At(view, 5, 2).balancing);
  EXPECT_FALSE(At(view, 5, 1).balancing);
  // By BIC then place: 2/1 2/2 5/1 5/2 5/3.
  EXPECT_EQ(Outlines(view), (std::vector{Outline::None, Outline::Highest, Outline::None,
                                         Outline::None, Outline::Lowest}));
  EXPECT_EQ(At(view, 2, 2).colour, DivergingColour(20, view.range));
  EXPECT_GE(view.range, 20);

  // A new read of a BIC replaces all of its tiles, fewer cells included.
  map.updateCells(0, 5, std::vector{3310}, 0);
  EXPECT_EQ(map.view(HeatMapMode::Voltage, 0, 1000).tiles.size(), 3u);
}

TEST(HeatMap, OutlinesTheFirstOfEqualExtremesAndNoneWhenAllAreEqual) {
  HeatMap map;
  map.updateCells(0, 1, std::vector{3300, 3300, 3300}, 0);
  EXPECT_EQ(Outlines(map.view(HeatMapMode::Voltage, 0, 1000)),
            (std::vector{Outline::None, Outline::None, Outline::None}));
  map.updateCells(0, 1, std::vector{3310, 3300, 3310, 3300}, 0);
  EXPECT_EQ(Outlines(map.view(HeatMapMode::Voltage, 0, 1000)),
            (std::vector{Outline::Highest, Outline::Lowest, Outline::None, Outline::None}));
}

TEST(HeatMap, TilesOlderThanTheLimitAreStale) {
  HeatMap map;
  map.updateCells(1000, 1, std::vector{3300}, 0);
  map.updateCells(5000, 2, std::vector{3300}, 0);
  using C = std::tuple<std::int64_t, bool, bool, std::int64_t>;  // now, stale, stale, age
  for (const auto& [now, firstStale, secondStale, firstAge] :
       {C{5000, false, false, 4000}, C{7000, false, false, 6000} /* at the limit still live */,
        C{7001, true, false, 6001}, C{11000, true, false, 10000}, C{11001, true, true, 10001}}) {
    const auto view = map.view(HeatMapMode::Voltage, now, 6000);
    EXPECT_EQ(At(view, 1, 1).stale, firstStale) << now;
    EXPECT_EQ(At(view, 2, 1).stale, secondStale) << now;
    EXPECT_EQ(At(view, 1, 1).ageMs, firstAge) << now;
  }
  EXPECT_EQ(StaleAfterMs(32, 1000), 96000);
  EXPECT_EQ(StaleAfterMs(0, 1000), 3000);  // before the count is known
}

TEST(HeatMap, TemperatureModeShowsSensorsApartFromCells) {
  HeatMap map;
  map.updateCells(0, 1, std::vector{3300, 3400}, 0b11);
  map.updateTemperatures(0, 1, std::vector{20, 26, 23, 23, 23, 23, 23, 23, 99});
  map.updateTemperatures(0, 3, std::vector{23});
  const auto view = map.view(HeatMapMode::Temperature, 0, 1000);
  EXPECT_EQ(view.mode, HeatMapMode::Temperature);
  EXPECT_EQ(view.bics, (std::vector<int>{1, 3}));
  EXPECT_EQ(view.columns, 8);  // the ninth sensor is cut off
  EXPECT_DOUBLE_EQ(view.mean, 23);
  EXPECT_DOUBLE_EQ(At(view, 1, 1).deviation, -3);
  EXPECT_EQ(At(view, 1, 2).outline, Outline::Highest);
  EXPECT_FALSE(At(view, 1, 1).balancing);
  EXPECT_DOUBLE_EQ(view.range, 5);
  // A pack of nearly equal sensors still gets the floor, not a full-colour scale.
  HeatMap even;
  even.updateTemperatures(0, 1, std::vector{23, 24});
  EXPECT_DOUBLE_EQ(even.view(HeatMapMode::Temperature, 0, 1000).range, kTemperatureRangeFloor);
  EXPECT_TRUE(even.view(HeatMapMode::Voltage, 0, 1000).tiles.empty());
}

TEST(HeatMapColour, ScaleIsSymmetricAndRoundedUp) {
  using R = std::tuple<double, double, double>;  // largest, floor, range
  for (const auto& [largest, floor, range] :
       {R{0, 5, 5}, R{3, 5, 5}, R{7, 5, 10}, R{12, 5, 20}, R{20, 5, 20}, R{21, 5, 50},
        R{-130, 5, 200}, R{0.4, 2, 2}, R{0, 0, 0}}) {
    EXPECT_DOUBLE_EQ(SymmetricRange(largest, floor), range) << largest;
  }
  EXPECT_EQ(LegendValues(20), (std::array<double, 5>{-20, -10, 0, 10, 20}));

  using D = std::tuple<double, double, decltype(kMeanColour)>;  // deviation, range, colour
  for (const auto& [deviation, range, colour] :
       {D{0, 20, kMeanColour}, D{20, 20, kAboveColour}, D{-20, 20, kBelowColour},
        D{500, 20, kAboveColour}, D{-500, 20, kBelowColour}, D{5, 0, kMeanColour}}) {
    EXPECT_EQ(DivergingColour(deviation, range), colour) << deviation << "/" << range;
  }
  // Equal deviations up and down are equally far from the mean colour on their side.
  for (const double d : {2.0, 7.5, 13.0}) {
    const auto up = DivergingColour(d, 20);
    const auto down = DivergingColour(-d, 20);
    const double upShare =
        (kMeanColour.green - up.green) / double(kMeanColour.green - kAboveColour.green);
    const double downShare =
        (kMeanColour.red - down.red) / double(kMeanColour.red - kBelowColour.red);
    EXPECT_NEAR(upShare, d / 20, 0.01) << d;
    EXPECT_NEAR(downShare, d / 20, 0.01) << d;
  }
}

TEST(HeatMapTooltip, ValueDeviationAndAgeInBothLanguages) {
  HeatTile cell{3, 7, 3312, 14.26, {}, true, false, 4200, Outline::None};
  HeatTile sensor{1, 2, 25, -0.04, {}, false, true, 125'000, Outline::None};
  using base::Language;
  EXPECT_EQ(TileTooltip(cell, HeatMapMode::Voltage, Language::English),
            "BIC 3, cell 7: 3312 mV, +14.3 mV from the mean, read 4 s ago, balancing");
  EXPECT_EQ(TileTooltip(cell, HeatMapMode::Voltage, Language::Chinese),
            "BIC 3 单体 7：3312 mV，偏离均值 +14.3 mV，4 秒前读取，均衡中");
  EXPECT_EQ(TileTooltip(sensor, HeatMapMode::Temperature, Language::English),
            "BIC 1, sensor 2: 25 °C, +0.0 °C from the mean, read 2 min 5 s ago, stale");
  EXPECT_EQ(TileTooltip(sensor, HeatMapMode::Temperature, Language::Chinese),
            "BIC 1 温度点 2：25 °C，偏离均值 +0.0 °C，2 分 5 秒前读取，已过时");
  EXPECT_EQ(AgeText(3'725'000, base::Language::English), "1 h 2 min");
  EXPECT_EQ(AgeText(3'725'000, base::Language::Chinese), "1 小时 2 分");
}

}  // namespace
}  // namespace bms::recorder
