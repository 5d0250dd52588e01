#pragma once

#include <QWidget>

#include "forms/heat_map_data.h"

namespace bms::qt {

// A heat-map control: one tile per value, one row per caption, a legend along the bottom.
// The extremes get a thick frame and balancing tiles a dot, so that neither depends on
// telling colours apart; old tiles are drawn pale. A tile's tool tip shows on hover.
class QtHeatMap : public QWidget {
 public:
  explicit QtHeatMap(QWidget* parent = nullptr);

  const forms::HeatMapData& data() const { return data_; }
  void setData(const forms::HeatMapData& data);

  QSize sizeHint() const override;
  // Where the tile of a row and column is drawn, in the widget's own pixels.
  QRect tileRect(int row, int column) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  struct Geometry {
    int captionWidth = 0;
    int tileWidth = 0;
    int tileHeight = 0;
    int legendTop = 0;
  };
  Geometry geometry() const;
  QRect tileRect(const Geometry& geometry, int row, int column) const;
  const forms::HeatMapTile* tileAt(QPoint point) const;

  forms::HeatMapData data_;
};

}  // namespace bms::qt
