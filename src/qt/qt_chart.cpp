#include "qt/qt_chart.h"

#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <string>

#include "qt/qt_form_text.h"
#include "qt/qt_form_widgets.h"

namespace bms::qt {

namespace {

// The range of one value axis: the extremes of its lines, widened a little so that a
// line never runs along the frame, and never empty.
struct Range {
  double low = std::numeric_limits<double>::infinity();
  double high = -std::numeric_limits<double>::infinity();

  void take(double y) {
    low = std::min(low, y);
    high = std::max(high, y);
  }
  std::pair<double, double> padded() const {
    if (low > high) return {0, 1};
    const double margin = high > low ? (high - low) * 0.05 : std::max(1.0, std::abs(high) * 0.05);
    return {low - margin, high + margin};
  }
};

QDateTime TimeOf(std::int64_t ms) { return QDateTime::fromMSecsSinceEpoch(ms); }

// The axis time format fitting the span: seconds matter over minutes, dates over days.
QString TimeFormat(std::int64_t spanMs) {
  constexpr std::int64_t kDayMs = 24LL * 60 * 60 * 1000;
  if (spanMs > kDayMs) return QStringLiteral("MM-dd HH:mm");
  if (spanMs > 60LL * 60 * 1000) return QStringLiteral("HH:mm");
  return QStringLiteral("HH:mm:ss");
}

}  // namespace

ChartControl::ChartControl(QWidget* parent)
    : QChartView(parent), timeAxis_(new QDateTimeAxis), markerAxis_(new QValueAxis) {
  setRenderHint(QPainter::Antialiasing, false);
  setMinimumHeight(240);
  QChart* view = chart();
  view->legend()->setAlignment(Qt::AlignBottom);
  view->addAxis(timeAxis_, Qt::AlignBottom);  // the chart takes the axes
  // Markers span the plot's height on an axis of their own, which is not shown.
  markerAxis_->setRange(0, 1);
  markerAxis_->setVisible(false);
  view->addAxis(markerAxis_, Qt::AlignRight);
}

int ChartControl::plotWidth() const {
  const int plot = static_cast<int>(chart()->plotArea().width());
  if (plot > 0) return plot;
  const auto margins = chart()->margins();
  return std::max(1, width() - margins.left() - margins.right() - 80);
}

QValueAxis* ChartControl::valueAxis(const std::string& scale) {
  if (const auto found = valueAxes_.find(scale); found != valueAxes_.end()) return found->second;
  auto* axis = new QValueAxis;
  chart()->addAxis(axis, valueAxes_.size() % 2 == 0 ? Qt::AlignLeft : Qt::AlignRight);
  return valueAxes_.emplace(scale, axis).first->second;
}

void ChartControl::draw(const forms::ChartData& data) {
  data_ = data;
  QChart* view = chart();
  view->removeAllSeries();
  view->setTitle(ToQString(data.caption));
  timeAxis_->setFormat(TimeFormat(data.toMs - data.fromMs));
  timeAxis_->setRange(TimeOf(data.fromMs), TimeOf(std::max(data.toMs, data.fromMs + 1)));

  std::map<std::string, Range> ranges;
  std::map<std::string, std::string> units;
  for (const auto& series : data.series) {
    const std::string scale = series.scale.empty() ? series.unit : series.scale;
    auto& range = ranges[scale];
    for (const auto& point : series.points) {
      if (!std::isnan(point.y)) range.take(point.y);
    }
    units[scale] = series.unit;
  }
  for (const auto& [scale, axis] : valueAxes_) axis->setVisible(ranges.contains(scale));
  for (const auto& [scale, range] : ranges) {
    auto* axis = valueAxis(scale);
    const auto [low, high] = range.padded();
    axis->setRange(low, high);
    axis->setTitleText(ToQString(units[scale]));
    axis->setVisible(true);
  }

  for (const auto& series : data.series) {
    QValueAxis* axis = valueAxis(series.scale.empty() ? series.unit : series.scale);
    // A NaN breaks the line: each unbroken stretch is a series of its own, and only the
    // first one stands in the legend.
    QList<QPointF> stretch;
    bool first = true;
    const auto flush = [&] {
      if (stretch.isEmpty() && !first) return;
      auto* line = new QLineSeries;
      line->setName(ToQString(series.caption) + QStringLiteral(" (") + ToQString(series.unit) +
                    QStringLiteral(")"));
      line->setPen(QPen(ToQColor(series.colour), 1.5));
      view->addSeries(line);
      line->attachAxis(timeAxis_);
      line->attachAxis(axis);
      // Points last: the chart lays a series out anew on every axis attached to it.
      line->replace(stretch);
      if (!first) {
        for (auto* marker : view->legend()->markers(line)) marker->setVisible(false);
      }
      first = false;
      stretch.clear();
    };
    for (const auto& point : series.points) {
      if (std::isnan(point.y)) {
        flush();
      } else {
        stretch.append(QPointF(static_cast<double>(point.xMs), point.y));
      }
    }
    flush();
  }

  for (const auto& marker : data.markers) {
    auto* line = new QLineSeries;
    const auto x = static_cast<double>(marker.xMs);
    line->append(x, 0);
    line->append(x, 1);
    line->setPen(QPen(ToQColor(marker.colour), 1, Qt::DashLine));
    view->addSeries(line);
    line->attachAxis(timeAxis_);
    line->attachAxis(markerAxis_);
    for (auto* legendMarker : view->legend()->markers(line)) legendMarker->setVisible(false);
    const QString caption =
        TimeOf(marker.xMs).toString(QStringLiteral("HH:mm:ss ")) + ToQString(marker.caption);
    connect(line, &QLineSeries::hovered, this, [caption](const QPointF&, bool state) {
      if (state) {
        QToolTip::showText(QCursor::pos(), caption);
      } else {
        QToolTip::hideText();
      }
    });
  }
}

}  // namespace bms::qt
