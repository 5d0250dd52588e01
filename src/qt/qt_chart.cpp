#include "qt/qt_chart.h"

#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
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

std::string ScaleOf(const forms::ChartSeries& series) {
  return series.scale.empty() ? series.unit : series.scale;
}

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
  // Markers show their caption on hover, without a button held.
  viewport()->setMouseTracking(true);
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
  chart()->setTitle(ToQString(data.caption));
  timeAxis_->setFormat(TimeFormat(data.toMs - data.fromMs));
  timeAxis_->setRange(TimeOf(data.fromMs), TimeOf(std::max(data.toMs, data.fromMs + 1)));

  std::map<std::string, Range> ranges;
  std::map<std::string, std::string> units;
  for (const auto& series : data.series) {
    auto& range = ranges[ScaleOf(series)];
    for (const auto& point : series.points) {
      if (!std::isnan(point.y)) range.take(point.y);
    }
    units[ScaleOf(series)] = series.unit;
  }
  for (const auto& [scale, axis] : valueAxes_) axis->setVisible(ranges.contains(scale));
  for (const auto& [scale, range] : ranges) {
    auto* axis = valueAxis(scale);
    const auto [low, high] = range.padded();
    axis->setRange(low, high);
    axis->setTitleText(ToQString(units[scale]));
    axis->setVisible(true);
  }
  showLegend();
  showMarkers();
  viewport()->update();
}

void ChartControl::showLegend() {
  QChart* view = chart();
  while (legend_.size() > data_.series.size()) {
    view->removeSeries(legend_.back());
    delete legend_.back();
    legend_.pop_back();
  }
  lineAxes_.clear();
  for (std::size_t i = 0; i < data_.series.size(); ++i) {
    const auto& series = data_.series[i];
    if (i == legend_.size()) {
      legend_.push_back(new QLineSeries);
      view->addSeries(legend_.back());
      legend_.back()->attachAxis(timeAxis_);
    }
    QLineSeries* line = legend_[i];
    QValueAxis* axis = valueAxis(ScaleOf(series));
    for (auto* attached : line->attachedAxes()) {
      if (attached != timeAxis_ && attached != axis) line->detachAxis(attached);
    }
    if (!line->attachedAxes().contains(axis)) line->attachAxis(axis);
    line->setName(ToQString(series.caption) + QStringLiteral(" (") + ToQString(series.unit) +
                  QStringLiteral(")"));
    line->setPen(QPen(ToQColor(series.colour), 2));
    lineAxes_.push_back(axis);
  }
}

void ChartControl::showMarkers() {
  QChart* view = chart();
  for (auto* line : markers_) {
    view->removeSeries(line);
    delete line;
  }
  markers_.clear();
  for (const auto& marker : data_.markers) {
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
    connect(line, &QLineSeries::hovered, this, [this, caption](const QPointF&, bool state) {
      if (state) {
        // Tied to the chart, so that the tip belongs to its window and goes with it.
        QToolTip::showText(QCursor::pos(), caption, this);
      } else {
        QToolTip::hideText();
      }
    });
    markers_.push_back(line);
  }
}

void ChartControl::drawForeground(QPainter* painter, const QRectF& rect) {
  QChartView::drawForeground(painter, rect);
  const QRectF plot = chart()->mapRectToScene(chart()->plotArea());
  if (plot.isEmpty() || data_.toMs <= data_.fromMs) return;
  painter->save();
  painter->setClipRect(plot);
  const double xScale = plot.width() / static_cast<double>(data_.toMs - data_.fromMs);
  QPolygonF stretch;
  for (std::size_t i = 0; i < data_.series.size() && i < lineAxes_.size(); ++i) {
    const QValueAxis* axis = lineAxes_[i];
    const double yScale = plot.height() / (axis->max() - axis->min());
    // Width 1 keeps the painter on its fast path; a wider pen is stroked point by point.
    painter->setPen(QPen(ToQColor(data_.series[i].colour), 1));
    // A NaN breaks the line: each unbroken stretch is painted on its own.
    const auto flush = [&] {
      if (stretch.size() > 1) painter->drawPolyline(stretch);
      if (stretch.size() == 1) painter->drawPoint(stretch.front());
      stretch.clear();
    };
    for (const auto& point : data_.series[i].points) {
      if (std::isnan(point.y)) {
        flush();
        continue;
      }
      stretch.append({plot.left() + static_cast<double>(point.xMs - data_.fromMs) * xScale,
                      plot.bottom() - (point.y - axis->min()) * yScale});
    }
    flush();
  }
  painter->restore();
}

}  // namespace bms::qt
