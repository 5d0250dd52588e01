#include "qt/lamp_widget.h"

#include <QPainter>

namespace bms::qt {

namespace {

constexpr int kSide = 16;

}  // namespace

Lamp::Lamp(QWidget* parent) : QWidget(parent), fill_(Qt::white) {
  // It covers every pixel of itself, so a blink need not redraw the widgets behind it.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void Lamp::setFill(const QColor& fill) {
  if (fill == fill_) return;
  fill_ = fill;
  update();
}

QSize Lamp::sizeHint() const { return {std::max(kSide, minimumWidth()), kSide}; }

QSize Lamp::minimumSizeHint() const { return {std::max(4, minimumWidth()), 4}; }

void Lamp::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // A thin outline keeps a white lamp visible on a light window.
  painter.setPen(palette().color(QPalette::Mid));
  painter.setBrush(fill_);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace bms::qt
