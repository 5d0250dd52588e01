#pragma once

#include <QChartView>
#include <map>
#include <string>

#include "forms/chart_data.h"

class QDateTimeAxis;
class QValueAxis;

namespace bms::qt {

// A chart control: lines over a time axis, one value axis per scale, and markers as
// vertical lines whose caption shows on hover. It keeps what it was given, which is
// what the form reads back.
class ChartControl : public QChartView {
  Q_OBJECT

 public:
  explicit ChartControl(QWidget* parent);

  const forms::ChartData& data() const { return data_; }
  void draw(const forms::ChartData& data);
  // The width of the plot area in pixels; before the chart is laid out, that of the
  // widget less the chart's margins.
  int plotWidth() const;

 private:
  QValueAxis* valueAxis(const std::string& scale);

  forms::ChartData data_;
  // Axes live as long as the chart, so that a redraw once a second makes none anew;
  // a value axis no line uses is hidden.
  QDateTimeAxis* timeAxis_;
  QValueAxis* markerAxis_;
  std::map<std::string, QValueAxis*> valueAxes_;
};

}  // namespace bms::qt
