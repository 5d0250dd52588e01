#include "qt/qt_heat_map.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

namespace bms::qt {

namespace {

constexpr int kMargin = 6;
constexpr int kGap = 2;
constexpr int kLegendHeight = 22;
constexpr int kMinTileHeight = 8;
constexpr int kMaxTileHeight = 40;
// Below this a tile's number would not fit; the tool tip still tells it.
constexpr int kTextMinHeight = 14;
constexpr double kFadedOpacity = 0.3;

QColor ToColor(forms::Rgb rgb) { return {rgb.r, rgb.g, rgb.b}; }

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

int Columns(const forms::HeatMapData& data) {
  std::size_t columns = 1;
  for (const auto& row : data.rows) columns = std::max(columns, row.tiles.size());
  return static_cast<int>(columns);
}

}  // namespace

QtHeatMap::QtHeatMap(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setMinimumSize(320, 120);
}

void QtHeatMap::setData(const forms::HeatMapData& data) {
  if (data == data_) return;
  data_ = data;
  update();
}

QSize QtHeatMap::sizeHint() const {
  const int rows = std::max(1, static_cast<int>(data_.rows.size()));
  return {640, std::min(2 * kMargin + rows * 20 + kLegendHeight + kMargin, 900)};
}

QtHeatMap::Geometry QtHeatMap::geometry() const {
  Geometry g;
  g.captionWidth = fontMetrics().horizontalAdvance(QStringLiteral("BIC 253")) + 2 * kGap;
  const int rows = std::max(1, static_cast<int>(data_.rows.size()));
  const int columns = Columns(data_);
  const int mapWidth = width() - 2 * kMargin - g.captionWidth;
  const int mapHeight = height() - 3 * kMargin - kLegendHeight;
  g.tileWidth = std::max(4, mapWidth / columns);
  g.tileHeight = std::clamp(mapHeight / rows, kMinTileHeight, kMaxTileHeight);
  g.legendTop = kMargin + rows * g.tileHeight + kMargin;
  return g;
}

QRect QtHeatMap::tileRect(const Geometry& g, int row, int column) const {
  return {kMargin + g.captionWidth + column * g.tileWidth, kMargin + row * g.tileHeight,
          g.tileWidth - kGap, g.tileHeight - kGap};
}

QRect QtHeatMap::tileRect(int row, int column) const { return tileRect(geometry(), row, column); }

const forms::HeatMapTile* QtHeatMap::tileAt(QPoint point) const {
  const auto g = geometry();
  const int x = point.x() - kMargin - g.captionWidth;
  const int y = point.y() - kMargin;
  if (x < 0 || y < 0) return nullptr;
  const auto row = static_cast<std::size_t>(y / g.tileHeight);
  const auto column = static_cast<std::size_t>(x / g.tileWidth);
  if (row >= data_.rows.size() || column >= data_.rows[row].tiles.size()) return nullptr;
  return &data_.rows[row].tiles[column];
}

bool QtHeatMap::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  auto* help = static_cast<QHelpEvent*>(event);
  if (const auto* tile = tileAt(help->pos()); tile != nullptr && !tile->toolTip.empty()) {
    QToolTip::showText(help->globalPos(), ToQString(tile->toolTip), this);
  } else {
    QToolTip::hideText();
    event->ignore();
  }
  return true;
}

void QtHeatMap::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const auto g = geometry();
  const QColor background = palette().color(QPalette::Window);
  QFont small = font();
  small.setPixelSize(std::clamp(g.tileHeight - 6, 8, 12));
  // Captions shrink with the rows so that neighbouring ones never run into each other.
  QFont caption = font();
  if (QFontMetrics(caption).height() > g.tileHeight) {
    caption.setPixelSize(std::max(8, g.tileHeight - 2));
  }
  for (std::size_t r = 0; r < data_.rows.size(); ++r) {
    const auto& row = data_.rows[r];
    const int rowIndex = static_cast<int>(r);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(caption);
    painter.drawText(
        QRect(kMargin, kMargin + rowIndex * g.tileHeight, g.captionWidth, g.tileHeight),
        Qt::AlignVCenter | Qt::AlignLeft, ToQString(row.caption));
    painter.setFont(small);
    for (std::size_t c = 0; c < row.tiles.size(); ++c) {
      const auto& tile = row.tiles[c];
      const QRect rect = tileRect(g, rowIndex, static_cast<int>(c));
      QColor colour = ToColor(tile.colour);
      if (tile.faded) {
        // Mixed into the background: still readable, never mistaken for a live value.
        colour = QColor::fromRgbF(static_cast<float>(colour.redF() * kFadedOpacity +
                                                     background.redF() * (1 - kFadedOpacity)),
                                  static_cast<float>(colour.greenF() * kFadedOpacity +
                                                     background.greenF() * (1 - kFadedOpacity)),
                                  static_cast<float>(colour.blueF() * kFadedOpacity +
                                                     background.blueF() * (1 - kFadedOpacity)));
      }
      painter.fillRect(rect, colour);
      if (tile.faded) {
        painter.setPen(QPen(QColor(150, 150, 150), 1, Qt::DashLine));
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
      }
      if (g.tileHeight >= kTextMinHeight) {
        painter.setPen(tile.faded ? QColor(120, 120, 120) : QColor(0, 0, 0));
        painter.drawText(rect, Qt::AlignCenter, ToQString(tile.text));
      }
      if (tile.balancing) {
        const int d = std::max(4, std::min(rect.height(), rect.width()) / 3);
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(QColor(0, 0, 0));
        painter.drawEllipse(QRect(rect.right() - d - 1, rect.top() + 1, d, d));
        painter.setBrush(Qt::NoBrush);
      }
      if (tile.outlined) {
        painter.setPen(QPen(QColor(0, 0, 0), 3));
        painter.drawRect(rect.adjusted(1, 1, -2, -2));
      }
    }
  }
  if (data_.legend.empty()) return;
  painter.setFont(font());
  const int entries = static_cast<int>(data_.legend.size());
  const int entryWidth = std::min(120, (width() - 2 * kMargin - g.captionWidth) / entries);
  for (int i = 0; i < entries; ++i) {
    const auto& entry = data_.legend[static_cast<std::size_t>(i)];
    const int left = kMargin + g.captionWidth + i * entryWidth;
    const QRect swatch(left, g.legendTop + 3, kLegendHeight - 6, kLegendHeight - 6);
    painter.fillRect(swatch, ToColor(entry.colour));
    painter.setPen(QColor(80, 80, 80));
    painter.drawRect(swatch);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(
        QRect(swatch.right() + 4, g.legendTop, entryWidth - kLegendHeight, kLegendHeight),
        Qt::AlignVCenter | Qt::AlignLeft, ToQString(entry.text));
  }
}

}  // namespace bms::qt
