#include <gtest/gtest.h>

#include <QApplication>
#include <QChart>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QToolTip>
#include <limits>
#include <vector>

#include "forms/chart_data.h"
#include "qt/qt_application.h"
#include "qt/qt_chart.h"

// The chart control paints its lines itself over the chart's plot: checked on pixels, so
// that a line drawn upside down, off its axis or bridging a gap shows.
namespace bms::qt {
namespace {

constexpr forms::Rgb kLine{200, 30, 40};
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool IsLine(const QImage& image, int x, int y) {
  const QColor colour = image.pixelColor(x, y);
  return colour.red() == kLine.r && colour.green() == kLine.g && colour.blue() == kLine.b;
}

// The rows of column x, within the plot, that show the line.
std::vector<int> LineRows(const QImage& image, const QRect& plot, int x) {
  std::vector<int> rows;
  for (int y = plot.top(); y <= plot.bottom(); ++y) {
    if (IsLine(image, x, y)) rows.push_back(y);
  }
  return rows;
}

class ChartPaint : public ::testing::Test {
 protected:
  void SetUp() override {
    chart.resize(800, 400);
    chart.show();
  }

  // Draws the data over 100 s, lays the chart out and gives the plot's place in the view.
  QRect draw(forms::ChartData data) {
    data.fromMs = 0;
    data.toMs = 100'000;
    chart.draw(data);
    QCoreApplication::processEvents();
    return chart.mapFromScene(chart.chart()->mapRectToScene(chart.chart()->plotArea()))
        .boundingRect();
  }

  QApplication& application = EnsureApplication();  // before any widget
  ChartControl chart{nullptr};
};

TEST_F(ChartPaint, LinesFollowTheirAxisAndBreakAtGaps) {
  // 10 over the first half, a gap, then 0: the axis runs from -0.5 to 10.5.
  forms::ChartData data;
  data.series.push_back({"level",
                         "V",
                         "",
                         kLine,
                         {{0, 10}, {45'000, 10}, {50'000, kNaN}, {55'000, 0}, {100'000, 0}}});
  const QRect plot = draw(data);
  const QImage image = chart.viewport()->grab().toImage();
  ASSERT_GT(plot.width(), 100);
  ASSERT_GT(plot.height(), 100);

  const auto rowOf = [&](double value) {
    return plot.top() + static_cast<int>((10.5 - value) / 11 * plot.height());
  };
  const struct {
    const char* name;
    double at;  // fraction of the plot's width
    std::vector<int> near;
  } cases[] = {
      {"first half at 10, near the top", 0.25, {rowOf(10)}},
      {"second half at 0, near the bottom", 0.75, {rowOf(0)}},
      {"the gap is not bridged", 0.5, {}},
  };
  for (const auto& c : cases) {
    const int x = plot.left() + static_cast<int>(c.at * plot.width());
    const auto rows = LineRows(image, plot, x);
    ASSERT_EQ(rows.empty(), c.near.empty()) << c.name;
    for (const int row : rows) EXPECT_NEAR(row, c.near.front(), 2) << c.name;
  }
}

TEST_F(ChartPaint, AMarkerShowsItsCaptionOnHover) {
  forms::ChartData data;
  data.series.push_back({"level", "V", "", kLine, {{0, 1}, {100'000, 2}}});
  data.markers.push_back({50'000, "warning", {255, 128, 0}});
  const QRect plot = draw(data);
  const auto moveTo = [&](QPointF at) {
    QMouseEvent move(QEvent::MouseMove, at, chart.viewport()->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(chart.viewport(), &move);
    QCoreApplication::processEvents();
  };
  // Onto the marker, a pixel either way: the tip shows its caption; away from it, the tip
  // goes (after Qt's short delay).
  bool shown = false;
  for (int dx = -2; dx <= 2 && !shown; ++dx) {
    moveTo(QPointF(plot.center().x() + dx, plot.center().y()));
    shown = QToolTip::isVisible() && QToolTip::text().endsWith("warning");
  }
  EXPECT_TRUE(shown) << QToolTip::text().toStdString();
  moveTo(QPointF(plot.left() + 10, plot.center().y()));
  QElapsedTimer waited;
  waited.start();
  while (QToolTip::isVisible() && waited.elapsed() < 2000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  EXPECT_FALSE(QToolTip::isVisible());
}

}  // namespace
}  // namespace bms::qt
