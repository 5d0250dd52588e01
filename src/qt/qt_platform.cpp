#include "qt/qt_platform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QMessageBox>
#include <QMetaObject>
#include <QRect>
#include <QScreen>
#include <QSize>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "base/window_tables.h"
#include "qt/qt_application.h"
#include "qt/qt_timer.h"

namespace bms::qt {

namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::filesystem::path ApplicationDir() {
  EnsureApplication();
  const QString dir = QCoreApplication::applicationDirPath();
#ifdef Q_OS_WIN
  return std::filesystem::path(dir.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(dir).toStdString());
#endif
}

}  // namespace

// Sees the close events of the top-level windows; it never handles them itself.
class QtPlatform::CloseWatcher : public QObject {
 public:
  explicit CloseWatcher(QtPlatform& platform) : platform_(platform) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Close) platform_.closeRequested(watched);
    return false;
  }

 private:
  QtPlatform& platform_;
};

QtPlatform::QtPlatform() : QtPlatform(ApplicationDir()) {}

QtPlatform::QtPlatform(std::filesystem::path programDir)
    : programDir_(std::move(programDir)),
      serial_(programDir_),
      watcher_(std::make_unique<CloseWatcher>(*this)) {}

QtPlatform::~QtPlatform() = default;

std::unique_ptr<base::Timer> QtPlatform::createTimer(std::string_view name) {
  return std::make_unique<QtTimer>(name);
}

void QtPlatform::beep() { QApplication::beep(); }

void QtPlatform::showMessageBox(std::string_view text, std::string_view title) {
  QWidget* parent = nullptr;
  if (auto* main = findWindow(base::Window::Main)) parent = main->window();
  QMessageBox box(QMessageBox::NoIcon, ToQString(title), ToQString(text), QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

int QtPlatform::screenHeight() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().height() : 1080;
}

std::filesystem::path QtPlatform::programDir() const { return programDir_; }

QtPlatform::Slot& QtPlatform::slot(base::Window window) {
  return windows_.at(static_cast<std::size_t>(window));
}

const QtPlatform::Slot& QtPlatform::slot(base::Window window) const {
  return windows_.at(static_cast<std::size_t>(window));
}

QtForm& QtPlatform::openWindow(base::Window window) {
  auto& open = slot(window);
  if (!open.form) {
    open.form = std::make_unique<QtForm>(base::TableOf(window));
    open.generation = ++generations_;
    open.form->window()->installEventFilter(watcher_.get());
  }
  QWidget* widget = open.form->window();
  widget->show();
  widget->raise();
  return *open.form;
}

QtForm* QtPlatform::findWindow(base::Window window) { return slot(window).form.get(); }

void QtPlatform::closeWindow(base::Window window) { slot(window).form.reset(); }

void QtPlatform::closeRequested(const QObject* widget) {
  for (std::size_t i = 0; i < windows_.size(); ++i) {
    const auto& open = windows_[i];
    if (!open.form || open.form->window() != widget) continue;
    // Destroying a widget inside its own event handler is not safe: finish after it.
    QMetaObject::invokeMethod(
        watcher_.get(),
        [this, window = static_cast<base::Window>(i), generation = open.generation] {
          userClosed(window, generation);
        },
        Qt::QueuedConnection);
    return;
  }
}

void QtPlatform::userClosed(base::Window window, std::uint64_t generation) {
  auto& open = slot(window);
  // Gone already, replaced, refused to close, or shown again meanwhile.
  if (!open.form || open.generation != generation || open.form->window()->isVisible()) return;
  open.form.reset();
  const auto closed = onWindowClosed;
  if (closed) closed(window);
}

base::Rect QtPlatform::windowRect(base::Window window) const {
  const auto& open = slot(window);
  if (!open.form) return {};
  const QRect frame = open.form->window()->frameGeometry();
  return {frame.left(), frame.top(), frame.width(), frame.height()};
}

void QtPlatform::setWindowRect(base::Window window, base::Rect rect) {
  auto& open = slot(window);
  if (!open.form) return;
  QWidget* widget = open.form->window();
  const QSize decoration = widget->frameGeometry().size() - widget->size();
  widget->move(rect.left, rect.top);  // a window's position is that of its frame
  widget->resize(std::max(rect.width - decoration.width(), 0),
                 std::max(rect.height - decoration.height(), 0));
}

}  // namespace bms::qt
