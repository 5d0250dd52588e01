#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <functional>

namespace bms::qt {

// Runs the event loop until done() holds. The limit only keeps a broken build from
// hanging; no test relies on how long anything takes.
inline bool ProcessEventsUntil(const std::function<bool()>& done,
                               std::chrono::milliseconds limit = std::chrono::seconds(10)) {
  const QDeadlineTimer deadline(limit);
  QTimer wake;  // so that waiting for events never outlasts the deadline
  wake.start(5);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  return true;
}

// Runs the event loop for a while, to see that something does NOT happen (a second
// notification, a stopped timer's tick). It cannot fail a correct build, however slow.
inline void ProcessEventsFor(int ms) {
  bool done = false;
  QTimer::singleShot(ms, [&] { done = true; });
  ProcessEventsUntil([&] { return done; });
}

}  // namespace bms::qt
