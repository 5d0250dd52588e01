#include "qt/qt_timer.h"

#include <QString>

namespace bms::qt {

QtTimer::QtTimer(std::string_view name) {
  timer_.setObjectName(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  // Intervals are part of the behaviour (polls, blinks), so no coarse rounding.
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
    // A copy: the tick may stop, restart or even destroy this timer.
    auto tick = onTick;
    if (tick) tick();
  });
}

void QtTimer::setInterval(int ms) {
  if (ms > 0) {
    timer_.start(ms);  // restarts an active timer from now
  } else {
    timer_.stop();
  }
}

int QtTimer::interval() const { return timer_.isActive() ? timer_.interval() : 0; }

}  // namespace bms::qt
