#pragma once

#include <QChartView>

#include "forms/chart_data.h"

namespace bms::qt {

// A chart control: lines over a time axis, one value axis per unit, and markers as
// vertical lines whose caption shows on hover. It keeps what it was given, which is
// what the form reads back.
class ChartControl : public QChartView {
  Q_OBJECT

 public:
  explicit ChartControl(QWidget* parent);

  const forms::ChartData& data() const { return data_; }
  void show(const forms::ChartData& data);
  // The width of the plot area in pixels; before the chart is laid out, that of the
  // widget less the chart's margins.
  int plotWidth() const;

 private:
  forms::ChartData data_;
};

}  // namespace bms::qt
