// The real windows as widgets: what only the Qt backend can get wrong.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLayoutItem>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QTabBar>
#include <QTabWidget>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "base/window_tables.h"
#include "forms/tables.h"
#include "qt/qt_application.h"
#include "qt/qt_form.h"
#include "qt/qt_form_widgets.h"
#include "qt/qt_platform_wait.h"

namespace bms::qt {
namespace {

using forms::Kind;

// Most of a label's pixels are its background; its caption covers only a few. The
// window is grabbed, since a widget grabbed alone always gets its background drawn.
bool MostlyPainted(QWidget* widget, const QColor& colour) {
  QWidget* window = widget->window();
  const QImage image =
      window->grab(QRect(widget->mapTo(window, QPoint()), widget->size())).toImage();
  int matching = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x)
      matching += image.pixelColor(x, y).rgb() == colour.rgb();
  }
  return matching * 2 > image.width() * image.height();
}

class QtFormTables : public ::testing::TestWithParam<base::Window> {};

TEST_P(QtFormTables, EveryControlSitsInItsParentAndEditsOnlyWhereMeant) {
  EnsureApplication();
  const auto& table = base::TableOf(GetParam());
  QtForm form(table);
  QWidget* window = form.window();
  EXPECT_GE(window->width(), table.width);
  EXPECT_GE(window->height(), table.height);
  EXPECT_EQ(window->pos(), QPoint(table.left, table.top));
  for (const auto& spec : table.controls) {
    const std::string name(spec.name);
    QWidget* widget = form.widget(name);
    if (const auto* edit = qobject_cast<QLineEdit*>(widget)) {
      EXPECT_EQ(edit->echoMode() == QLineEdit::Password, spec.kind == Kind::PasswordEdit) << name;
    }
    if (const auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
      EXPECT_TRUE(memo->isReadOnly()) << name;
    }
    if (const auto* combo = qobject_cast<QComboBox*>(widget)) {
      EXPECT_FALSE(combo->isEditable()) << name;
    }
    if (spec.kind == Kind::TabPage) {
      EXPECT_GE(qobject_cast<QTabWidget*>(form.widget(spec.parent))->indexOf(widget), 0) << name;
    } else {
      EXPECT_EQ(widget->parentWidget(), spec.parent.empty() ? window : form.widget(spec.parent))
          << name;
    }
    // What a layout gives it at the least: a caption's designed width is in its hints.
    EXPECT_GE(QWidgetItem(widget).minimumSize().width(), spec.minimumWidth) << name;
  }
  window->show();
  EXPECT_FALSE(window->grab().isNull());
}

INSTANTIATE_TEST_SUITE_P(Windows, QtFormTables,
                         ::testing::Values(base::Window::Main, base::Window::Debug,
                                           base::Window::Error, base::Window::Factory,
                                           base::Window::Bic, base::Window::Profile,
                                           base::Window::Journal, base::Window::Trends));

// Colours must reach the pixels, not just the getters.
TEST(QtFormMainWindow, ColoursArePainted) {
  EnsureApplication();
  QtForm form(forms::MainWindowTable());
  form.window()->show();
  for (const auto& [name, colour] : std::vector<std::pair<std::string, QColor>>{
           {"TX标签", Qt::red}, {"RX标签", Qt::green}, {"串口状态显示", Qt::black}}) {
    EXPECT_TRUE(MostlyPainted(form.widget(name), colour)) << name;
  }
  form.setBackground("TX标签", {255, 255, 255});
  form.setFill("串口状态显示", {0, 255, 0});
  EXPECT_TRUE(MostlyPainted(form.widget("TX标签"), Qt::white));
  EXPECT_TRUE(MostlyPainted(form.widget("串口状态显示"), Qt::green));
}

// Live values are written far more often than a screen shows them. No write paints on
// its own, while the program is still busy writing, and the widgets end up showing the
// last write once the event loop runs.
TEST(QtFormMainWindow, ALiveValueShowsItsLastWriteAndPaintsNothingAtOnce) {
  EnsureApplication();
  QtForm form(forms::MainWindowTable());
  form.window()->show();
  ProcessEventsFor(50);
  const auto colour = [](int n) { return forms::Rgb{n, 255 - n, 7}; };
  const auto palette = [](QWidget* widget, QPalette::ColorRole role) {
    return ToRgb(widget->palette().color(QPalette::Active, role));
  };
  const std::vector<
      std::tuple<std::string, std::function<void(int)>, std::function<bool(QWidget*, int)>>>
      cases = {
          {"电流标签", [&](int n) { form.setText("电流标签", std::to_string(n) + "A"); },
           [](QWidget* w, int n) {
             return qobject_cast<QLabel*>(w)->text() == QString::number(n) + "A";
           }},
          {"电流标签", [&](int n) { form.setBackground("电流标签", colour(n)); },
           [&](QWidget* w, int n) { return palette(w, QPalette::Window) == colour(n); }},
          {"电流标签", [&](int n) { form.setTextColor("电流标签", colour(n)); },
           [&](QWidget* w, int n) { return palette(w, QPalette::WindowText) == colour(n); }},
          {"电量进度条", [&](int n) { form.setValue("电量进度条", n); },
           [](QWidget* w, int n) { return qobject_cast<QProgressBar*>(w)->value() == n; }},
      };
  constexpr int kWrites = 100;
  for (const auto& [name, write, shows] : cases) {
    QWidget* widget = form.widget(name);  // taken first: taking it shows what is held
    const PaintLog paints(widget);
    for (int n = 1; n <= kWrites; ++n) write(n);
    EXPECT_TRUE(paints.regions.empty()) << name;
    EXPECT_TRUE(ProcessEventsUntil([&] { return shows(widget, kWrites); })) << name;
  }
}

void Press(QWidget* widget, QPoint at) {
  const QPointF local(at);
  const QPointF global = widget->mapToGlobal(local);
  const QPointer<QWidget> alive(widget);  // no release reaches a widget that is gone
  for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    if (alive.isNull()) return;
    const auto buttons = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, local, global, Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
  }
}

// A handler closes its window while the widget that called it is still inside its own
// mouse or key handler, as when a person presses a close button: a key down in a combo
// box, a press on the second tab, a press in the middle of anything else.
TEST(QtFormEvents, HandlerMayCloseTheFormFromARealEvent) {
  EnsureApplication();
  for (const auto& [name, event, fires] : std::vector<std::tuple<std::string, forms::Event, bool>>{
           {"通信按钮", forms::Event::Click, true},
           {"串口号选择框", forms::Event::Select, true},
           {"总选择夹", forms::Event::Select, true},
           {"TX标签", forms::Event::Click, false}}) {  // a label takes no clicks from the mouse
    auto form = std::make_unique<QtForm>(forms::MainWindowTable());
    form->window()->show();
    form->bind(name, event, [&form] { form.reset(); });
    QWidget* widget = form->widget(name);
    if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
      Press(tabs->tabBar(), tabs->tabBar()->tabRect(1).center());
    } else if (qobject_cast<QComboBox*>(widget) != nullptr) {
      QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
      QCoreApplication::sendEvent(widget, &down);
    } else {
      Press(widget, widget->rect().center());
    }
    EXPECT_EQ(form == nullptr, fires) << name;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

}  // namespace
}  // namespace bms::qt
