#include "qt/qt_form.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextOption>
#include <QTimer>
#include <QVariant>
#include <algorithm>
#include <map>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "forms/name_map.h"
#include "forms/text_lines.h"
#include "qt/lamp_widget.h"
#include "qt/qt_chart.h"
#include "qt/qt_form_layout.h"
#include "qt/qt_form_text.h"
#include "qt/qt_form_widgets.h"
#include "qt/qt_heat_map.h"

namespace bms::qt {

using forms::ControlSpec;
using forms::Event;
using forms::Kind;
using forms::Rgb;

namespace {

// Properties a control has in every backend but its widget class does not show.
constexpr char kText[] = "bmsText";
constexpr char kFill[] = "bmsFill";
constexpr char kChecked[] = "bmsChecked";
constexpr char kValue[] = "bmsValue";

// How many handlers are running right now, on the one event thread. A form destroyed
// by one of them must not delete the widget whose signal is still being delivered.
int handlersRunning = 0;

// QLineEdit's max length when nothing limits it.
constexpr int kLineEditNoLimit = 32767;

// Labels and progress bars show live values, and the debug window's panes every line,
// which a flood of received lines rewrites thousands of times a second. What the program
// writes to them is held and shown once a frame, so that each is laid out, coloured and
// painted (with the page behind it) at most once a frame; reads see every write at once.
// About 30 frames a second: smooth to the eye, and half the painting of 60.
constexpr int kFrameMs = 33;

bool IsButton(Kind kind) {
  return kind == Kind::Button || kind == Kind::CheckBox || kind == Kind::RadioButton;
}

bool IsEditBox(Kind kind) { return kind == Kind::Edit || kind == Kind::PasswordEdit; }

bool HoldsControls(Kind kind) {
  return kind == Kind::GroupBox || kind == Kind::TabPage || kind == Kind::StatusBar;
}

void ShowValue(QProgressBar* bar, int value) {
  // QProgressBar ignores a value outside its range, yet a reading of 102 % is shown
  // (as a full bar) and read back, so the range stretches to hold it. The bar would
  // repaint itself at once for a new percentage; held off, it is painted with the window.
  if (bar->value() == value) return;
  bar->setUpdatesEnabled(false);
  bar->setRange(std::min(0, value), std::max(100, value));
  bar->setValue(value);
  bar->setUpdatesEnabled(true);
}

// A log pane keeps the newest line in view as lines arrive, unless the user has scrolled
// up to read: then the lines they read stay where they are while old ones drop off the top.
void ShowLog(QPlainTextEdit* edit, const QString& text, int appendedLines) {
  // Logged lines are long runs of hex digits without blanks: they wrap where the pane ends.
  if (appendedLines > 0) edit->setWordWrapMode(QTextOption::WrapAnywhere);
  QScrollBar* bar = edit->verticalScrollBar();
  const bool atEnd = bar->value() >= bar->maximum();
  const int value = bar->value();
  const int blocks = edit->blockCount();
  edit->setPlainText(text);
  if (atEnd) {
    bar->setValue(bar->maximum());
  } else if (appendedLines > 0) {
    const int dropped = blocks + appendedLines - edit->blockCount();
    bar->setValue(std::max(0, value - dropped));
  }
}

}  // namespace

struct QtForm::Impl {
  struct Control {
    ControlSpec spec;
    QWidget* widget = nullptr;   // owned by the window
    QTabWidget* tabs = nullptr;  // the tab control of a page
    std::map<Event, Handler> handlers = {};
    // Writes that the widget shows at the next frame (see kFrameMs).
    std::optional<std::string> heldText = std::nullopt;  // as written, for a label or memo
    std::optional<Rgb> heldBackground = std::nullopt;
    std::optional<Rgb> heldTextColor = std::nullopt;
    std::optional<int> heldValue = std::nullopt;
    int heldAppendedLines = 0;  // of a memo's held text, appended to what it showed
    std::optional<std::string> shownText = std::nullopt;  // a label's, as last written

    bool holds() const { return heldText || heldBackground || heldTextColor || heldValue; }

    template <class Widget>
    Widget* as() const {
      return static_cast<Widget*>(widget);
    }
    int pageIndex() const { return tabs->indexOf(widget); }
  };

  std::unique_ptr<QWidget> window;
  std::unique_ptr<FormLayout> layout;
  // Context of every signal connection: deleting it silences the widgets at once.
  std::unique_ptr<QObject> connections = std::make_unique<QObject>();
  forms::NameMap<Control> controls;
  std::vector<Control*> held;  // controls with writes not shown yet
  QTimer frame;                // shows them

  Control& at(std::string_view name) {
    const auto found = controls.find(name);
    if (found == controls.end()) {
      throw std::invalid_argument("unknown control: " + std::string(name));
    }
    return found->second;
  }

  void add(const ControlSpec& spec);
  void connect(Control& control);
  bool reachable(const Control& control);

  static void fire(Control& control, Event event);

  // Keeps a write for the next frame; `write` stores it in the control.
  template <class Write>
  void hold(Control& control, Write write);
  void showHeld();

  static std::string text(const Control& control);
  void setText(Control& control, std::string_view text);
  static bool enabled(const Control& control);
  static void setEnabled(Control& control, bool enabled);
  static bool visible(const Control& control);
  static void setVisible(Control& control, bool visible);
  static bool checked(const Control& control);
  static void setChecked(Control& control, bool checked);
  static void setIndex(Control& control, int index);
};

void QtForm::Impl::add(const ControlSpec& spec) {
  const std::string name(spec.name);
  if (controls.contains(name)) throw std::invalid_argument("duplicate control: " + name);
  QWidget* parent = window.get();
  const Control* parentControl = nullptr;
  if (!spec.parent.empty()) {
    const auto found = controls.find(spec.parent);
    if (found == controls.end()) {
      throw std::invalid_argument("control " + name + " has an unknown parent");
    }
    parentControl = &found->second;
    parent = parentControl->widget;
  }

  Control control{.spec = spec};
  if (spec.kind == Kind::TabPage) {
    if (parentControl == nullptr || parentControl->spec.kind != Kind::TabControl) {
      throw std::invalid_argument("tab page " + name + " is not inside a tab control");
    }
    control.tabs = parentControl->as<QTabWidget>();
    control.widget = new QWidget;
    new QGridLayout(control.widget);
    control.tabs->addTab(control.widget, ToQString(spec.caption));  // takes the page
  } else {
    if (parentControl != nullptr && !HoldsControls(parentControl->spec.kind)) {
      throw std::invalid_argument("control " + name + " is inside " + std::string(spec.parent) +
                                  ", which holds no controls");
    }
    control.widget = MakeControlWidget(spec, parent);
    layout->place(spec, control.widget, parent);
    ApplyMinimumWidth(spec, control.widget);
  }

  auto& added = controls.emplace(name, std::move(control)).first->second;
  QWidget* widget = added.widget;
  if (spec.background) SetBackground(widget, *spec.background);
  if (spec.textColor) SetTextColor(widget, *spec.textColor);
  if (!spec.enabled) setEnabled(added, false);
  if (!spec.visible) setVisible(added, false);
  if (spec.checked) setChecked(added, true);
  connect(added);
}

void QtForm::Impl::connect(Control& control) {
  Control* c = &control;  // map nodes stay where they are
  QObject* context = connections.get();
  switch (control.spec.kind) {
    case Kind::Button:
    case Kind::CheckBox:
    case Kind::RadioButton:
      QObject::connect(control.as<QAbstractButton>(), &QAbstractButton::clicked, context,
                       [c] { fire(*c, Event::Click); });
      break;
    case Kind::ComboBox:
      QObject::connect(control.as<QComboBox>(), &QComboBox::activated, context,
                       [c] { fire(*c, Event::Select); });
      break;
    case Kind::TabControl:
      // The program switches pages with this signal blocked, so only a person fires it.
      QObject::connect(control.as<QTabWidget>(), &QTabWidget::currentChanged, context,
                       [c] { fire(*c, Event::Select); });
      break;
    case Kind::Edit:
    case Kind::PasswordEdit:
      QObject::connect(control.as<QLineEdit>(), &QLineEdit::textEdited, context,
                       [c] { fire(*c, Event::Edit); });
      break;
    default:
      break;
  }
}

void QtForm::Impl::fire(Control& control, Event event) {
  const auto found = control.handlers.find(event);
  if (found == control.handlers.end()) return;
  // A copy, because the handler may rebind or destroy the form it belongs to; after
  // it returns nothing of the form is touched.
  const auto handler = found->second;
  struct Running {
    Running() { ++handlersRunning; }
    ~Running() { --handlersRunning; }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;
  } running;
  handler();
}

template <class Write>
void QtForm::Impl::hold(Control& control, Write write) {
  if (!control.holds()) held.push_back(&control);
  write(control);
  if (!frame.isActive()) frame.start();
}

void QtForm::Impl::showHeld() {
  frame.stop();
  for (Control* control : std::exchange(held, {})) {
    QWidget* widget = control->widget;
    if (auto text = std::exchange(control->heldText, std::nullopt)) {
      const QSignalBlocker blocker(widget);
      const QString shown = RememberForDisplay(widget, ToQString(*text));
      if (control->spec.kind == Kind::Memo) {
        ShowLog(control->as<QPlainTextEdit>(), shown, std::exchange(control->heldAppendedLines, 0));
        layout->controlChanged(widget);
      } else if (auto* label = control->as<QLabel>(); label->text() != shown) {
        control->shownText = std::move(*text);
        label->setText(shown);
        // Only a new text can change the room a control needs; colours and values cannot.
        layout->controlChanged(widget);
      }
    }
    if (auto colour = std::exchange(control->heldBackground, std::nullopt)) {
      SetBackground(widget, *colour);
    }
    if (auto colour = std::exchange(control->heldTextColor, std::nullopt)) {
      SetTextColor(widget, *colour);
    }
    if (auto value = std::exchange(control->heldValue, std::nullopt)) {
      ShowValue(control->as<QProgressBar>(), *value);
    }
  }
}

bool QtForm::Impl::reachable(const Control& control) {
  for (const Control* c = &control; c != nullptr;) {
    if (!enabled(*c) || !visible(*c)) return false;
    c = c->spec.parent.empty() ? nullptr : &at(c->spec.parent);
  }
  return true;
}

std::string QtForm::Impl::text(const Control& control) {
  const QWidget* widget = control.widget;
  switch (control.spec.kind) {
    case Kind::GroupBox:
      return ToStd(control.as<QGroupBox>()->title());
    case Kind::TabPage:
      return ToStd(control.tabs->tabText(control.pageIndex()));
    case Kind::Label:
    case Kind::Picture:
      // A label shows exactly what it was given, so a held text reads as it will show.
      if (control.heldText) return ToStd(ToQString(*control.heldText));
      return ToStd(Remembered(widget, control.as<QLabel>()->text()));
    case Kind::Button:
    case Kind::CheckBox:
    case Kind::RadioButton:
      return ToStd(Remembered(widget, control.as<QAbstractButton>()->text()));
    case Kind::Edit:
    case Kind::PasswordEdit:
      return ToStd(control.as<QLineEdit>()->text());
    case Kind::Memo:
      return ToStd(Remembered(widget, control.as<QPlainTextEdit>()->toPlainText()));
    case Kind::ComboBox: {
      const auto* combo = control.as<QComboBox>();
      return combo->currentIndex() < 0 ? std::string() : ToStd(combo->currentText());
    }
    case Kind::TabControl:
    case Kind::ProgressBar:
    case Kind::Shape:
    case Kind::StatusBar:
    case Kind::Table:
    case Kind::HeatMap:
    case Kind::Chart:
      break;
  }
  const QVariant stored = widget->property(kText);
  return stored.isValid() ? ToStd(stored.toString()) : std::string(control.spec.caption);
}

void QtForm::Impl::setText(Control& control, std::string_view text) {
  QWidget* widget = control.widget;
  const QSignalBlocker blocker(widget);
  switch (control.spec.kind) {
    case Kind::Label: {
      // Decoders write the same values again and again: what is already there costs nothing.
      const auto& current = control.heldText ? control.heldText : control.shownText;
      if (current && *current == text) return;
      hold(control, [text](Control& c) { c.heldText = std::string(text); });
      return;
    }
    case Kind::Memo:
      hold(control, [text](Control& c) { c.heldText = std::string(text); });
      return;
    case Kind::GroupBox:
      control.as<QGroupBox>()->setTitle(ToQString(text));
      return;
    case Kind::TabPage:
      control.tabs->setTabText(control.pageIndex(), ToQString(text));
      return;
    case Kind::Picture:
      control.as<QLabel>()->setText(RememberForDisplay(widget, ToQString(text)));
      return;
    case Kind::Button:
    case Kind::CheckBox:
    case Kind::RadioButton:
      control.as<QAbstractButton>()->setText(RememberForDisplay(widget, ToQString(text)));
      return;
    case Kind::Edit:
    case Kind::PasswordEdit: {
      auto* edit = control.as<QLineEdit>();
      // The program's text is kept whole: a longer one lifts the typing limit while it stands.
      const QString value = ToQString(text);
      const int limit = control.spec.maxLength > 0
                            ? std::max(control.spec.maxLength, static_cast<int>(value.size()))
                            : kLineEditNoLimit;
      edit->setMaxLength(limit);
      edit->setText(value);
      return;
    }
    case Kind::ComboBox: {
      auto* combo = control.as<QComboBox>();
      const QString value = ToQString(text);
      int index = -1;
      for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i) == value) index = i;
      }
      combo->setCurrentIndex(index);
      return;
    }
    case Kind::TabControl:
    case Kind::ProgressBar:
    case Kind::Shape:
    case Kind::StatusBar:
    case Kind::Table:
    case Kind::HeatMap:
    case Kind::Chart:
      widget->setProperty(kText, ToQString(text));
      return;
  }
}

bool QtForm::Impl::enabled(const Control& control) { return OwnEnabled(control.widget); }

void QtForm::Impl::setEnabled(Control& control, bool enabled) {
  // A disabled page greys its content; its tab stays selectable, as in the other backend.
  control.widget->setEnabled(enabled);
}

bool QtForm::Impl::visible(const Control& control) {
  // A tab widget hides every page but the current one, so a page's own flag is its tab's.
  if (control.spec.kind == Kind::TabPage) return control.tabs->isTabVisible(control.pageIndex());
  return OwnVisible(control.widget);
}

void QtForm::Impl::setVisible(Control& control, bool visible) {
  if (control.spec.kind != Kind::TabPage) {
    control.widget->setVisible(visible);
    return;
  }
  // Qt moves away from a current tab that is hidden; the page stays current, as the
  // other backend keeps it, until a person or the program picks another.
  const QSignalBlocker blocker(control.tabs);
  const int current = control.tabs->currentIndex();
  control.tabs->setTabVisible(control.pageIndex(), visible);
  control.tabs->setCurrentIndex(current);
}

bool QtForm::Impl::checked(const Control& control) {
  if (control.spec.kind == Kind::CheckBox || control.spec.kind == Kind::RadioButton) {
    return control.as<QAbstractButton>()->isChecked();
  }
  return control.widget->property(kChecked).toBool();
}

void QtForm::Impl::setChecked(Control& control, bool checked) {
  if (control.spec.kind != Kind::CheckBox && control.spec.kind != Kind::RadioButton) {
    control.widget->setProperty(kChecked, checked);
    return;
  }
  auto* button = control.as<QAbstractButton>();
  const QSignalBlocker blocker(button);
  // Qt keeps the checked radio button of a parent checked; the program may clear it.
  const bool exclusive = button->autoExclusive();
  if (!checked) button->setAutoExclusive(false);
  button->setChecked(checked);
  button->setAutoExclusive(exclusive);
}

void QtForm::Impl::setIndex(Control& control, int index) {
  if (control.spec.kind == Kind::ComboBox) {
    auto* combo = control.as<QComboBox>();
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
  } else if (control.spec.kind == Kind::TabControl) {
    auto* tabs = control.as<QTabWidget>();
    const QSignalBlocker blocker(tabs);
    // A tab widget always shows one of its pages; an index beyond them changes nothing.
    if (index >= 0 && index < tabs->count()) tabs->setCurrentIndex(index);
  }
}

QtForm::QtForm(const forms::FormTable& table) : impl_(std::make_unique<Impl>()) {
  impl_->window = std::make_unique<QWidget>();
  QWidget* window = impl_->window.get();
  window->setWindowTitle(ToQString(table.title));
  UseDesignPalette(window);
  impl_->layout = std::make_unique<FormLayout>(window);
  for (const auto& spec : table.controls) impl_->add(spec);
  impl_->layout->finish(table.controls,
                        [this](std::string_view name) { return impl_->at(name).widget; });
  // The design size is a floor: longer English captions may need more room.
  window->layout()->activate();
  window->move(table.left, table.top);
  window->resize(QSize(table.width, table.height).expandedTo(window->minimumSizeHint()));
  impl_->frame.setSingleShot(true);
  impl_->frame.setInterval(kFrameMs);
  QObject::connect(&impl_->frame, &QTimer::timeout, [impl = impl_.get()] { impl->showHeld(); });
}

QtForm::~QtForm() {
  impl_->connections.reset();
  if (handlersRunning > 0) {
    // A handler is closing this form while the widget that called it may still be
    // delivering its signal: let the event loop delete the window once it is done.
    QWidget* window = impl_->window.release();
    window->hide();
    window->deleteLater();
  }
}

// Whoever takes the widgets themselves sees them as the program last wrote them.
QWidget* QtForm::window() const {
  impl_->showHeld();
  return impl_->window.get();
}

QWidget* QtForm::widget(std::string_view name) const {
  impl_->showHeld();
  return impl_->at(name).widget;
}

bool QtForm::exists(std::string_view name) const { return impl_->controls.contains(name); }

Kind QtForm::kind(std::string_view name) const { return impl_->at(name).spec.kind; }

std::string QtForm::title() const { return ToStd(impl_->window->windowTitle()); }

void QtForm::setTitle(std::string_view title) { impl_->window->setWindowTitle(ToQString(title)); }

std::string QtForm::text(std::string_view name) const {
  const auto& control = impl_->at(name);
  // A text box may rewrite some characters; what it shows is what reads back.
  if (control.spec.kind == Kind::Memo && control.heldText) impl_->showHeld();
  return Impl::text(control);
}

void QtForm::setText(std::string_view name, std::string_view text) {
  auto& control = impl_->at(name);
  control.heldAppendedLines = 0;  // replaced, not appended to
  impl_->setText(control, text);
  // A held write reaches the layout when it is shown.
  if (!control.holds()) impl_->layout->controlChanged(control.widget);
}

void QtForm::appendLines(std::string_view name, std::string_view lines, std::size_t maxLines) {
  auto& control = impl_->at(name);
  std::string all = control.heldText ? std::move(*control.heldText) : Impl::text(control);
  all += lines;
  const int appended = control.heldAppendedLines;
  impl_->setText(control, forms::KeepLastLines(std::move(all), maxLines));
  control.heldAppendedLines =
      appended + static_cast<int>(std::count(lines.begin(), lines.end(), '\n'));
}

Rgb QtForm::textColor(std::string_view name) const {
  const auto& control = impl_->at(name);
  return control.heldTextColor ? *control.heldTextColor : TextColor(control.widget);
}

void QtForm::setTextColor(std::string_view name, Rgb colour) {
  auto& control = impl_->at(name);
  if (control.spec.kind == Kind::Label) {
    if (textColor(name) == colour) return;
    impl_->hold(control, [colour](Impl::Control& c) { c.heldTextColor = colour; });
  } else {
    SetTextColor(control.widget, colour);
  }
}

Rgb QtForm::background(std::string_view name) const {
  const auto& control = impl_->at(name);
  return control.heldBackground ? *control.heldBackground : Background(control.widget);
}

void QtForm::setBackground(std::string_view name, Rgb colour) {
  auto& control = impl_->at(name);
  if (control.spec.kind == Kind::Label) {
    if (background(name) == colour) return;
    impl_->hold(control, [colour](Impl::Control& c) { c.heldBackground = colour; });
  } else {
    SetBackground(control.widget, colour);
  }
}

Rgb QtForm::fill(std::string_view name) const {
  const auto& control = impl_->at(name);
  if (control.spec.kind == Kind::Shape) return ToRgb(control.as<Lamp>()->fill());
  const QVariant stored = control.widget->property(kFill);
  return stored.isValid() ? ToRgb(stored.value<QColor>())
                          : control.spec.fill.value_or(forms::kDefaultFill);
}

void QtForm::setFill(std::string_view name, Rgb colour) {
  auto& control = impl_->at(name);
  if (control.spec.kind == Kind::Shape) {
    control.as<Lamp>()->setFill(ToQColor(colour));
  } else {
    control.widget->setProperty(kFill, ToQColor(colour));
  }
}

bool QtForm::enabled(std::string_view name) const { return Impl::enabled(impl_->at(name)); }

void QtForm::setEnabled(std::string_view name, bool enabled) {
  Impl::setEnabled(impl_->at(name), enabled);
}

bool QtForm::visible(std::string_view name) const { return Impl::visible(impl_->at(name)); }

void QtForm::setVisible(std::string_view name, bool visible) {
  auto& control = impl_->at(name);
  Impl::setVisible(control, visible);
  impl_->layout->controlChanged(control.widget);  // a hidden control takes no room
}

std::string QtForm::toolTip(std::string_view name) const {
  const auto& control = impl_->at(name);
  if (control.spec.kind == Kind::TabPage) {
    return ToStd(control.tabs->tabToolTip(control.pageIndex()));
  }
  return ToStd(control.widget->toolTip());
}

void QtForm::setToolTip(std::string_view name, std::string_view text) {
  auto& control = impl_->at(name);
  if (control.spec.kind == Kind::TabPage) {
    control.tabs->setTabToolTip(control.pageIndex(), ToQString(text));
  } else {
    control.widget->setToolTip(ToQString(text));
  }
}

bool QtForm::checked(std::string_view name) const { return Impl::checked(impl_->at(name)); }

void QtForm::setChecked(std::string_view name, bool checked) {
  Impl::setChecked(impl_->at(name), checked);
}

int QtForm::index(std::string_view name) const {
  const auto& control = impl_->at(name);
  if (control.spec.kind == Kind::ComboBox) return control.as<QComboBox>()->currentIndex();
  if (control.spec.kind == Kind::TabControl) return control.as<QTabWidget>()->currentIndex();
  return -1;
}

void QtForm::setIndex(std::string_view name, int index) { Impl::setIndex(impl_->at(name), index); }

std::vector<std::string> QtForm::items(std::string_view name) const {
  const auto& control = impl_->at(name);
  std::vector<std::string> items;
  if (control.spec.kind == Kind::ComboBox) {
    const auto* combo = control.as<QComboBox>();
    for (int i = 0; i < combo->count(); ++i) items.push_back(ToStd(combo->itemText(i)));
  } else if (control.spec.kind == Kind::TabControl) {
    const auto* tabs = control.as<QTabWidget>();
    for (int i = 0; i < tabs->count(); ++i) items.push_back(ToStd(tabs->tabText(i)));
  } else if (control.spec.kind == Kind::Table) {
    const auto* table = control.as<QTableWidget>();
    for (int i = 0; i < table->columnCount(); ++i) {
      items.push_back(ToStd(table->horizontalHeaderItem(i)->text()));
    }
  } else {
    items.assign(control.spec.items.begin(), control.spec.items.end());
  }
  return items;
}

void QtForm::setItems(std::string_view name, const std::vector<std::string>& items) {
  auto& control = impl_->at(name);
  if (control.spec.kind == Kind::Table) {
    auto* table = control.as<QTableWidget>();
    const int columns = std::min(table->columnCount(), static_cast<int>(items.size()));
    for (int i = 0; i < columns; ++i) {
      table->horizontalHeaderItem(i)->setText(ToQString(items[static_cast<std::size_t>(i)]));
    }
    return;
  }
  if (control.spec.kind != Kind::ComboBox) return;
  auto* combo = control.as<QComboBox>();
  const QSignalBlocker blocker(combo);
  const int index = combo->currentIndex();
  combo->clear();
  for (const auto& item : items) combo->addItem(ToQString(item));
  combo->setCurrentIndex(index < combo->count() ? index : -1);
}

int QtForm::value(std::string_view name) const {
  const auto& control = impl_->at(name);
  if (control.spec.kind != Kind::ProgressBar) return control.widget->property(kValue).toInt();
  return control.heldValue ? *control.heldValue : control.as<QProgressBar>()->value();
}

void QtForm::setValue(std::string_view name, int value) {
  auto& control = impl_->at(name);
  if (control.spec.kind != Kind::ProgressBar) {
    control.widget->setProperty(kValue, value);
    return;
  }
  impl_->hold(control, [value](Impl::Control& c) { c.heldValue = value; });
}

int QtForm::maxLength(std::string_view name) const {
  const auto& control = impl_->at(name);
  if (!IsEditBox(control.spec.kind)) return control.spec.maxLength;
  const int length = control.as<QLineEdit>()->maxLength();
  return length == kLineEditNoLimit ? 0 : length;
}

namespace {

QTableWidget* TableOf(QWidget* widget) { return qobject_cast<QTableWidget*>(widget); }

// The item of a cell inside the table, made on first use; nullptr outside it.
QTableWidgetItem* CellItem(QTableWidget* table, int row, int column) {
  if (table == nullptr || row < 0 || column < 0 || row >= table->rowCount() ||
      column >= table->columnCount()) {
    return nullptr;
  }
  QTableWidgetItem* item = table->item(row, column);
  if (item == nullptr) {
    item = new QTableWidgetItem;
    table->setItem(row, column, item);  // takes it
  }
  return item;
}

}  // namespace

int QtForm::rowCount(std::string_view name) const {
  const auto* table = TableOf(impl_->at(name).widget);
  return table == nullptr ? 0 : table->rowCount();
}

void QtForm::setRowCount(std::string_view name, int rows) {
  if (auto* table = TableOf(impl_->at(name).widget)) table->setRowCount(std::max(rows, 0));
}

std::string QtForm::cell(std::string_view name, int row, int column) const {
  const auto* table = TableOf(impl_->at(name).widget);
  const bool inside = table != nullptr && row >= 0 && column >= 0 && row < table->rowCount() &&
                      column < table->columnCount();
  const QTableWidgetItem* item = inside ? table->item(row, column) : nullptr;
  return item == nullptr ? std::string() : ToStd(item->text());
}

void QtForm::setCell(std::string_view name, int row, int column, std::string_view text) {
  auto* item = CellItem(TableOf(impl_->at(name).widget), row, column);
  const QString value = ToQString(text);
  // Whole tables are rewritten at every step of a run: an unchanged cell costs nothing.
  if (item != nullptr && item->text() != value) item->setText(value);
}

Rgb QtForm::cellBackground(std::string_view name, int row, int column) const {
  const auto* table = TableOf(impl_->at(name).widget);
  const bool inside = table != nullptr && row >= 0 && column >= 0 && row < table->rowCount() &&
                      column < table->columnCount();
  const QTableWidgetItem* item = inside ? table->item(row, column) : nullptr;
  if (item == nullptr || item->background().style() == Qt::NoBrush) return forms::kDefaultFill;
  return ToRgb(item->background().color());
}

void QtForm::setCellBackground(std::string_view name, int row, int column, Rgb colour) {
  auto* item = CellItem(TableOf(impl_->at(name).widget), row, column);
  if (item != nullptr && cellBackground(name, row, column) != colour) {
    item->setBackground(ToQColor(colour));
  }
}

forms::HeatMapData QtForm::heatMap(std::string_view name) const {
  const auto& control = impl_->at(name);
  if (control.spec.kind != Kind::HeatMap) return {};
  return control.as<QtHeatMap>()->data();
}

void QtForm::setHeatMap(std::string_view name, const forms::HeatMapData& data) {
  auto& control = impl_->at(name);
  if (control.spec.kind == Kind::HeatMap) control.as<QtHeatMap>()->setData(data);
}

forms::ChartData QtForm::chart(std::string_view name) const {
  const auto* chart = qobject_cast<const ChartControl*>(impl_->at(name).widget);
  return chart == nullptr ? forms::ChartData{} : chart->data();
}

void QtForm::setChart(std::string_view name, const forms::ChartData& data) {
  if (auto* chart = qobject_cast<ChartControl*>(impl_->at(name).widget)) chart->draw(data);
}

int QtForm::chartWidth(std::string_view name) const {
  const auto& control = impl_->at(name);
  const auto* chart = qobject_cast<const ChartControl*>(control.widget);
  if (chart == nullptr) return 0;
  // A window not shown yet has no plot: it is as wide as designed.
  if (!chart->isVisible()) return std::max(control.spec.minimumWidth, 1);
  return chart->plotWidth();
}

void QtForm::bind(std::string_view name, Event event, Handler handler) {
  impl_->at(name).handlers[event] = std::move(handler);
}

bool QtForm::userClick(std::string_view name) {
  auto& control = impl_->at(name);
  if (!impl_->reachable(control)) return false;
  if (IsButton(control.spec.kind)) {
    // As a mouse click: Qt toggles or checks the button and its clicked signal runs
    // the handler, which may destroy this form.
    control.as<QAbstractButton>()->click();
  } else {
    Impl::fire(control, Event::Click);
  }
  return true;
}

bool QtForm::userType(std::string_view name, std::string_view text) {
  auto& control = impl_->at(name);
  if (!impl_->reachable(control)) return false;
  impl_->setText(control, KeepCharacters(ToQString(text), control.spec.maxLength).toStdString());
  Impl::fire(control, Event::Edit);
  return true;
}

bool QtForm::userSelect(std::string_view name, int index) {
  auto& control = impl_->at(name);
  if (!impl_->reachable(control)) return false;
  Impl::setIndex(control, index);
  Impl::fire(control, Event::Select);
  return true;
}

}  // namespace bms::qt
