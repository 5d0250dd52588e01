#include "qt/qt_platform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QMargins>
#include <QMessageBox>
#include <QMetaObject>
#include <QRect>
#include <QScreen>
#include <QSize>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <QWindow>
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

// The frame the window system draws around a window: title bar and borders. Null until
// the window system has framed the window, and where there is no frame at all.
QMargins FrameOf(const QWidget* widget) {
  const QRect frame = widget->frameGeometry();
  const QRect inner = widget->geometry();
  return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
          frame.bottom() - inner.bottom()};
}

// Window systems that frame a window some time after it is shown, rather than at once.
bool FramesLater() {
  const QString name = QGuiApplication::platformName();
  return name == QStringLiteral("xcb") || name == QStringLiteral("wayland");
}

// How often and how long to look for the frame of a window that has none yet.
constexpr int kFramingPoll = 20;   // ms
constexpr int kFramingPolls = 50;  // then the window is placed without a frame

// What windows may take of the primary screen: its task bar and docks left out.
QSize AvailableScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry().size() : QSize(1920, 1080);
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

namespace {

constexpr char kProfileFilter[] = "JSON (*.json)";
constexpr char kRecordingFilter[] = "SQLite (*.sqlite)";

// Recordings and profiles share the dialog; the suggested name tells which is asked for.
QString SaveFilter(std::string_view suggestedName) {
  return QString::fromLatin1(suggestedName.ends_with(".sqlite") ? kRecordingFilter
                                                                : kProfileFilter);
}

std::optional<std::filesystem::path> ToPath(const QString& chosen) {
  if (chosen.isEmpty()) return std::nullopt;
  return std::filesystem::path(QFile::encodeName(chosen).toStdString());
}

}  // namespace

QWidget* QtPlatform::dialogParent() {
  if (QWidget* active = QApplication::activeWindow()) return active;
  auto* main = findWindow(base::Window::Main);
  return main == nullptr ? nullptr : main->window();
}

std::optional<std::filesystem::path> QtPlatform::chooseFileToOpen(std::string_view title) {
  // Profiles are opened most; a recording is one choice of type away.
  return ToPath(QFileDialog::getOpenFileName(dialogParent(), ToQString(title), QString(),
                                             QString::fromLatin1(kProfileFilter) +
                                                 QStringLiteral(";;") +
                                                 QString::fromLatin1(kRecordingFilter)));
}

std::optional<std::filesystem::path> QtPlatform::chooseFileToSave(std::string_view title,
                                                                  std::string_view suggestedName) {
  return ToPath(QFileDialog::getSaveFileName(dialogParent(), ToQString(title),
                                             ToQString(suggestedName), SaveFilter(suggestedName)));
}

bool QtPlatform::askYesNo(std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::Question, ToQString(title), ToQString(text),
                  QMessageBox::Yes | QMessageBox::No, dialogParent());
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

int QtPlatform::screenWidth() const { return AvailableScreen().width(); }

int QtPlatform::screenHeight() const { return AvailableScreen().height(); }

std::filesystem::path QtPlatform::programDir() const { return programDir_; }

std::int64_t QtPlatform::nowUtcMs() const { return QDateTime::currentMSecsSinceEpoch(); }

QtPlatform::Slot& QtPlatform::slot(base::Window window) {
  return windows_.at(static_cast<std::size_t>(window));
}

const QtPlatform::Slot& QtPlatform::slot(base::Window window) const {
  return windows_.at(static_cast<std::size_t>(window));
}

QtForm& QtPlatform::openWindow(base::Window window) {
  auto& open = slot(window);
  if (!open.form) {
    open.pending.reset();
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

void QtPlatform::closeWindow(base::Window window) {
  auto& open = slot(window);
  open.form.reset();
  open.pending.reset();
}

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
  open.pending.reset();
  const auto closed = onWindowClosed;
  if (closed) closed(window);
}

QMargins QtPlatform::frameMargins(const QWidget* widget) const {
  const QMargins own = FrameOf(widget);
  if (!own.isNull()) return own;
  for (const auto& open : windows_) {
    if (!open.form || open.form->window() == widget) continue;
    const QMargins other = FrameOf(open.form->window());
    if (!other.isNull()) return other;
  }
  return {};
}

base::Rect QtPlatform::windowRect(base::Window window) const {
  const auto& open = slot(window);
  if (!open.form) return {};
  if (open.pending) return *open.pending;
  const QWidget* widget = open.form->window();
  const QRect frame = widget->geometry().marginsAdded(frameMargins(widget));
  return {frame.left(), frame.top(), frame.width(), frame.height()};
}

void QtPlatform::setWindowRect(base::Window window, base::Rect rect) {
  auto& open = slot(window);
  if (!open.form) return;
  QWidget* widget = open.form->window();
  if (frameMargins(widget).isNull() && FramesLater()) {
    // Placed now, the window would be placed by its inner area, its title bar above it
    // and, at the top of the screen, out of sight.
    open.pending = rect;
    if (!framing_) {
      framing_ = std::make_unique<QTimer>();
      framing_->setInterval(kFramingPoll);
      framing_->callOnTimeout([this] { placePending(++framingTicks_ >= kFramingPolls); });
    }
    framingTicks_ = 0;
    framing_->start();
    return;
  }
  open.pending.reset();
  place(widget, rect);
}

void QtPlatform::placePending(bool lastChance) {
  bool waiting = false;
  for (auto& open : windows_) {
    if (!open.form || !open.pending) continue;
    if (frameMargins(open.form->window()).isNull() && !lastChance) {
      waiting = true;
      continue;
    }
    // The rectangle was read and set while the window had no frame, so its size is that
    // of the inner area; the frame now goes around it.
    auto rect = *open.pending;
    const QMargins margins = frameMargins(open.form->window());
    rect.width += margins.left() + margins.right();
    rect.height += margins.top() + margins.bottom();
    place(open.form->window(), rect);
    open.pending.reset();
  }
  if (!waiting) framing_->stop();
}

void QtPlatform::place(QWidget* widget, base::Rect rect) const {
  const QRect frame(rect.left, rect.top, std::max(rect.width, 0), std::max(rect.height, 0));
  const QMargins margins = frameMargins(widget);
  if (margins.isNull()) {
    // No frame: a window system without one, or one that frames windows before they show.
    widget->move(frame.topLeft());
    widget->resize(frame.size());
    return;
  }
  // The inner area goes inside the frame, so that the title bar lands where the frame's
  // top is asked to be.
  const QRect inner = frame.marginsRemoved(margins);
  widget->setGeometry(inner.left(), inner.top(), std::max(inner.width(), 0),
                      std::max(inner.height(), 0));
}

}  // namespace bms::qt
