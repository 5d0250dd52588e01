#include <gtest/gtest.h>

#include <QImage>

#include "forms/heat_map_data.h"
#include "qt/qt_application.h"
#include "qt/qt_form_widgets.h"
#include "qt/qt_heat_map.h"

// The heat map tells the extremes and balancing cells by shape, not by colour alone, and
// draws old tiles pale: checked on the pixels a user would see.
namespace bms::qt {
namespace {

constexpr forms::Rgb kRed{178, 24, 43};

TEST(HeatMapPaint, OutlinesBalancingAndFadingAreDrawnOnTheTile) {
  EnsureApplication();
  QtHeatMap map;
  map.resize(600, 160);
  forms::HeatMapData data;
  auto& row = data.rows.emplace_back();
  row.caption = "BIC 1";
  row.tiles.resize(4);
  for (auto& tile : row.tiles) tile.colour = kRed;
  row.tiles[1].outlined = true;
  row.tiles[2].balancing = true;
  row.tiles[3].faded = true;
  map.setData(data);
  const QImage image = map.grab().toImage();
  const auto pixel = [&](QPoint point) { return image.pixelColor(point); };
  const auto isTileColour = [&](QPoint point) { return ToRgb(pixel(point)) == kRed; };

  const QRect plain = map.tileRect(0, 0);
  const QRect outlined = map.tileRect(0, 1);
  const QRect balancing = map.tileRect(0, 2);
  const QRect faded = map.tileRect(0, 3);
  ASSERT_GT(plain.width(), 20);
  ASSERT_GT(plain.height(), 10);

  // Near the left edge and near the top right corner, the plain tile shows its colour.
  const QPoint edge(2, plain.height() / 2);
  const QPoint corner(plain.width() - 4, 4);
  EXPECT_TRUE(isTileColour(plain.topLeft() + edge));
  EXPECT_TRUE(isTileColour(plain.topLeft() + corner));
  EXPECT_TRUE(isTileColour(plain.center()));

  // The outline is a dark frame around the same colour.
  EXPECT_LT(pixel(outlined.topLeft() + QPoint(1, outlined.height() / 2)).lightness(), 20);
  EXPECT_TRUE(isTileColour(outlined.center()));

  // The balancing mark is a dark dot in the top right corner.
  EXPECT_LT(pixel(balancing.topLeft() + corner).lightness(), 60);
  EXPECT_TRUE(isTileColour(balancing.center()));

  // A faded tile is markedly paler than a live one.
  EXPECT_GT(pixel(faded.center()).lightness(), pixel(plain.center()).lightness() + 60);
}

}  // namespace
}  // namespace bms::qt
