#pragma once

#include <QChartView>
#include <map>
#include <string>
#include <vector>

#include "forms/chart_data.h"

class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

namespace bms::qt {

// A chart control: lines over a time axis, one value axis per scale, and markers as
// vertical lines whose caption shows on hover. It keeps what it was given, which is
// what the form reads back.
//
// The chart draws the frame, axes, legend and markers; the lines themselves are painted
// over the plot by this control. Handing thousands of points to the chart's own line
// series costs tens of milliseconds a redraw (it builds a hover outline of every
// line), while painting them takes a few.
class ChartControl : public QChartView {
  Q_OBJECT

 public:
  explicit ChartControl(QWidget* parent);

  const forms::ChartData& data() const { return data_; }
  void draw(const forms::ChartData& data);
  // The width of the plot area in pixels; before the chart is laid out, that of the
  // widget less the chart's margins.
  int plotWidth() const;

 protected:
  void drawForeground(QPainter* painter, const QRectF& rect) override;

 private:
  QValueAxis* valueAxis(const std::string& scale);
  void showLegend();
  void showMarkers();

  forms::ChartData data_;
  // Axes and series live as long as the chart, so that a redraw once a second makes
  // none anew; a value axis no line uses is hidden. A legend series holds no points:
  // it names a line and carries its axis.
  QDateTimeAxis* timeAxis_;
  QValueAxis* markerAxis_;
  std::map<std::string, QValueAxis*> valueAxes_;
  std::vector<QLineSeries*> legend_;
  std::vector<QValueAxis*> lineAxes_;  // per line of data_, its value axis
  std::vector<QLineSeries*> markers_;
};

}  // namespace bms::qt
