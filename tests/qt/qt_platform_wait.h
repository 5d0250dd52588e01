#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QPaintEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

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

// Answers the next modal dialog with `answer`, looking every 10 ms for at most 60 s: a
// loaded machine can be slow to show it.
template <class Dialog>
void AnswerNext(std::function<void(Dialog&)> answer) {
  auto tries = std::make_shared<int>(0);
  auto* timer = new QTimer(qApp);
  QObject::connect(timer, &QTimer::timeout, [timer, tries, answer] {
    Dialog* dialog = nullptr;
    // The shown one: a file dialog is not always the active modal widget at once.
    for (auto* widget : QApplication::topLevelWidgets()) {
      if (auto* candidate = qobject_cast<Dialog*>(widget); candidate && candidate->isVisible()) {
        dialog = candidate;
      }
    }
    if (dialog != nullptr || ++*tries > 6000) {
      timer->deleteLater();
      timer->stop();
    }
    if (dialog != nullptr) answer(*dialog);
  });
  timer->start(10);
}

// The regions one widget is asked to paint.
class PaintLog : public QObject {
 public:
  explicit PaintLog(QWidget* widget) { widget->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      regions.push_back(static_cast<QPaintEvent*>(event)->region());
    }
    return false;
  }
  std::vector<QRegion> regions;
};

}  // namespace bms::qt
