// The real windows as widgets: what only the Qt backend can get wrong.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/tables.h"
#include "qt/lamp_widget.h"
#include "qt/qt_application.h"
#include "qt/qt_form.h"

namespace bms::qt {
namespace {

using forms::FormTable;
using forms::Kind;

const FormTable& Table(const std::string& name) {
  for (const auto* table :
       {&forms::MainWindowTable(), &forms::DebugWindowTable(), &forms::ErrorPromptTable(),
        &forms::FactoryWindowTable(), &forms::BicWindowTable()}) {
    if (table->name == name) return *table;
  }
  throw std::invalid_argument(name);
}

bool HasClassOf(Kind kind, QWidget* widget) {
  switch (kind) {
    case Kind::GroupBox:
      return qobject_cast<QGroupBox*>(widget) != nullptr;
    case Kind::TabControl:
      return qobject_cast<QTabWidget*>(widget) != nullptr;
    case Kind::TabPage:
      return widget != nullptr;  // a plain page, checked against its tab control below
    case Kind::Label:
    case Kind::Picture:
      return qobject_cast<QLabel*>(widget) != nullptr;
    case Kind::Button:
      return qobject_cast<QPushButton*>(widget) != nullptr;
    case Kind::Edit:
    case Kind::PasswordEdit: {
      const auto* edit = qobject_cast<QLineEdit*>(widget);
      const auto echo = kind == Kind::Edit ? QLineEdit::Normal : QLineEdit::Password;
      return edit != nullptr && edit->echoMode() == echo;
    }
    case Kind::Memo: {
      const auto* memo = qobject_cast<QPlainTextEdit*>(widget);
      return memo != nullptr && memo->isReadOnly();
    }
    case Kind::CheckBox:
      return qobject_cast<QCheckBox*>(widget) != nullptr;
    case Kind::RadioButton:
      return qobject_cast<QRadioButton*>(widget) != nullptr;
    case Kind::ComboBox: {
      const auto* combo = qobject_cast<QComboBox*>(widget);
      return combo != nullptr && !combo->isEditable();
    }
    case Kind::ProgressBar:
      return qobject_cast<QProgressBar*>(widget) != nullptr;
    case Kind::Shape:
      return qobject_cast<Lamp*>(widget) != nullptr;
  }
  return false;
}

// Most of a label's pixels are its background; its caption covers only a few. The
// window is grabbed, since a widget grabbed alone always gets its background drawn.
bool MostlyPainted(QWidget* widget, const QColor& colour) {
  QWidget* window = widget->window();
  const QImage image =
      window->grab(QRect(widget->mapTo(window, QPoint()), widget->size())).toImage();
  int matching = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      matching += image.pixelColor(x, y).rgb() == colour.rgb() ? 1 : 0;
    }
  }
  return matching * 2 > image.width() * image.height();
}

class QtFormTables : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override { EnsureApplication(); }
};

TEST_P(QtFormTables, EveryControlIsTheRightWidgetInItsParent) {
  const auto& table = Table(GetParam());
  std::unique_ptr<QtForm> form;
  ASSERT_NO_THROW(form = std::make_unique<QtForm>(table));
  EXPECT_EQ(form->window()->windowTitle().toStdString(), table.title);
  EXPECT_GE(form->window()->width(), table.width);
  EXPECT_GE(form->window()->height(), table.height);
  EXPECT_EQ(form->window()->pos(), QPoint(table.left, table.top));
  for (const auto& spec : table.controls) {
    const std::string name(spec.name);
    QWidget* widget = form->widget(name);
    EXPECT_TRUE(HasClassOf(spec.kind, widget)) << name;
    if (spec.kind == Kind::TabPage) {
      EXPECT_GE(qobject_cast<QTabWidget*>(form->widget(spec.parent))->indexOf(widget), 0) << name;
    } else {
      const QWidget* parent = spec.parent.empty() ? form->window() : form->widget(spec.parent);
      EXPECT_EQ(widget->parentWidget(), parent) << name;
    }
    if (spec.minimumWidth > 0) {
      EXPECT_GE(widget->minimumWidth(), spec.minimumWidth) << name;
    }
    EXPECT_EQ(form->visible(name), spec.visible) << name;
  }
}

TEST_P(QtFormTables, RendersOffscreen) {
  QtForm form(Table(GetParam()));
  form.window()->show();
  const QImage image = form.window()->grab().toImage();
  EXPECT_GT(image.width(), 0);
  EXPECT_GT(image.height(), 0);
  form.window()->hide();
}

INSTANTIATE_TEST_SUITE_P(Windows, QtFormTables,
                         ::testing::Values("main", "debug", "error", "factory", "bic"));

TEST(QtFormMainWindow, ShowsWhatTheDesignSays) {
  EnsureApplication();
  QtForm form(forms::MainWindowTable());
  const auto* tabs = qobject_cast<QTabWidget*>(form.widget("总选择夹"));
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->count(), 4);

  const auto* password = qobject_cast<QLineEdit*>(form.widget("远程密码编辑框"));
  ASSERT_NE(password, nullptr);
  EXPECT_EQ(password->echoMode(), QLineEdit::Password);
  EXPECT_EQ(password->maxLength(), 11);

  // Colours must reach the pixels, not just the getters.
  const std::map<std::string, QColor> painted = {
      {"TX标签", Qt::red}, {"RX标签", Qt::green}, {"串口状态显示", Qt::black}};
  form.window()->show();
  for (const auto& [name, colour] : painted) {
    EXPECT_TRUE(MostlyPainted(form.widget(name), colour)) << name;
  }
  EXPECT_EQ(form.background("TX标签"), (forms::Rgb{255, 0, 0}));
  form.setBackground("TX标签", {255, 255, 255});
  form.setFill("串口状态显示", {0, 255, 0});
  EXPECT_TRUE(MostlyPainted(form.widget("TX标签"), Qt::white));
  EXPECT_TRUE(MostlyPainted(form.widget("串口状态显示"), Qt::green));
  form.window()->hide();
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

constexpr std::string_view kChoices[] = {"A", "B"};
constexpr forms::ControlSpec kEventControls[] = {
    {.name = "关闭", .kind = Kind::Button, .caption = "关闭"},
    {.name = "选择", .kind = Kind::ComboBox, .cell = {1, 0}, .items = kChoices},
    {.name = "页夹", .kind = Kind::TabControl, .cell = {2, 0}},
    {.name = "页夹.一", .kind = Kind::TabPage, .parent = "页夹", .caption = "一"},
    {.name = "页夹.二", .kind = Kind::TabPage, .parent = "页夹", .caption = "二"},
    {.name = "标签", .kind = Kind::Label, .cell = {3, 0}, .caption = "标签"},
};

// A handler closes its window while the widget that called it is still inside its own
// mouse or key handler, as when a person presses a close button.
TEST(QtFormEvents, HandlerMayCloseTheFormFromARealEvent) {
  EnsureApplication();
  struct Case {
    std::string name;
    forms::Event event;
    std::function<void(QWidget*)> deliver;
    bool fires;
  };
  const std::vector<Case> cases = {
      {"关闭", forms::Event::Click, [](QWidget* w) { Press(w, w->rect().center()); }, true},
      {"选择", forms::Event::Select,
       [](QWidget* w) {
         QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
         QCoreApplication::sendEvent(w, &down);
       },
       true},
      {"页夹", forms::Event::Select,
       [](QWidget* w) {
         QTabBar* bar = static_cast<QTabWidget*>(w)->tabBar();
         Press(bar, bar->tabRect(1).center());
       },
       true},
      // A label takes no clicks from the mouse.
      {"标签", forms::Event::Click, [](QWidget* w) { Press(w, w->rect().center()); }, false},
  };
  for (const auto& c : cases) {
    auto form = std::make_unique<QtForm>(forms::FormTable{.controls = kEventControls});
    form->window()->show();
    form->bind(c.name, c.event, [&form] { form.reset(); });
    c.deliver(form->widget(c.name));
    EXPECT_EQ(form == nullptr, c.fires) << c.name;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

}  // namespace
}  // namespace bms::qt
