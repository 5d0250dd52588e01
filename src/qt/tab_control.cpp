#include "qt/tab_control.h"

#include <QEvent>
#include <QTabBar>

namespace bms::qt {

TabControl::TabControl(QWidget* parent) : QTabWidget(parent) {}

TabControl::Geometry TabControl::geometry() const {
  return {.size = size(),
          .hint = sizeHint(),
          .minimumHint = minimumSizeHint(),
          .barHint = tabBar()->sizeHint(),
          .barMinimumHint = tabBar()->minimumSizeHint(),
          .heightForWidth = hasHeightForWidth() ? heightForWidth(width()) : -1};
}

bool TabControl::event(QEvent* event) {
  // A hidden tab widget only notes the request; it lays out when it is shown.
  if (event->type() == QEvent::LayoutRequest && isVisible()) {
    const Geometry now = geometry();
    // The pages have laid themselves out already; nothing here moves, and the layout
    // around sees the same hints.
    if (laidOutOnce_ && now == laidOut_) return true;
    laidOut_ = now;
    laidOutOnce_ = true;
  }
  return QTabWidget::event(event);
}

}  // namespace bms::qt
