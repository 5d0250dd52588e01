#include "qt/qt_form_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <span>
#include <stdexcept>
#include <string>

#include "qt/lamp_widget.h"
#include "qt/qt_form_text.h"
#include "qt/tab_control.h"

namespace bms::qt {

using forms::ControlSpec;
using forms::Kind;
using forms::Rgb;

namespace {

// Longer fixed texts wrap instead of widening their whole column.
constexpr qsizetype kWrapFrom = 40;

constexpr QPalette::ColorGroup kShownGroups[] = {QPalette::Active, QPalette::Inactive};
constexpr QPalette::ColorGroup kAllGroups[] = {QPalette::Active, QPalette::Inactive,
                                               QPalette::Disabled};

QLabel* MakeLabel(const ControlSpec& spec, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  const QString shown = RememberForDisplay(label, ToQString(spec.caption));
  label->setText(shown);
  label->setWordWrap(shown.contains(u'\n') || shown.size() >= kWrapFrom);
  return label;
}

template <class Button>
Button* MakeButton(const ControlSpec& spec, QWidget* parent) {
  auto* button = new Button(parent);
  button->setText(RememberForDisplay(button, ToQString(spec.caption)));
  return button;
}

QLineEdit* MakeEdit(const ControlSpec& spec, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  if (spec.kind == Kind::PasswordEdit) edit->setEchoMode(QLineEdit::Password);
  if (spec.maxLength > 0) edit->setMaxLength(spec.maxLength);
  edit->setText(KeepCharacters(ToQString(spec.caption), spec.maxLength));
  return edit;
}

QPlainTextEdit* MakeMemo(const ControlSpec& spec, QWidget* parent) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setReadOnly(true);
  memo->setPlainText(RememberForDisplay(memo, ToQString(spec.caption)));
  return memo;
}

QComboBox* MakeComboBox(const ControlSpec& spec, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  for (const auto item : spec.items) combo->addItem(ToQString(item));
  combo->setCurrentIndex(-1);  // adding the first item selected it
  return combo;
}

QProgressBar* MakeProgressBar(QWidget* parent) {
  auto* bar = new QProgressBar(parent);
  bar->setRange(0, 100);
  bar->setValue(0);  // a new bar holds no value at all (-1)
  return bar;
}

Lamp* MakeLamp(const ControlSpec& spec, QWidget* parent) {
  auto* lamp = new Lamp(parent);
  lamp->setFill(ToQColor(spec.fill.value_or(forms::kDefaultFill)));
  // A lamp keeps its small size; a bar spanning several cells stretches along them.
  lamp->setSizePolicy(spec.cell.columnSpan > 1 ? QSizePolicy::Preferred : QSizePolicy::Fixed,
                      spec.cell.rowSpan > 1 ? QSizePolicy::Preferred : QSizePolicy::Fixed);
  return lamp;
}

QLabel* MakePicture(const ControlSpec& spec, QWidget* parent) {
  auto* picture = MakeLabel(spec, parent);
  picture->setAlignment(Qt::AlignCenter);
  picture->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  return picture;
}

// The refresh sets the same colours ten times a second; even an unchanged palette costs
// QWidget::setPalette a resolve against the parent's.
bool HasOwnColour(const QPalette& palette, std::initializer_list<QPalette::ColorRole> roles,
                  const QColor& colour, bool shownGroupsOnly) {
  const std::span<const QPalette::ColorGroup> groups =
      shownGroupsOnly ? std::span<const QPalette::ColorGroup>(kShownGroups) : kAllGroups;
  for (const auto role : roles) {
    for (const auto group : groups) {
      if (!palette.isBrushSet(group, role) || palette.color(group, role) != colour) return false;
    }
  }
  return true;
}

void SetRoleColour(QWidget* widget, std::initializer_list<QPalette::ColorRole> roles,
                   const QColor& colour, bool shownGroupsOnly) {
  if (HasOwnColour(widget->palette(), roles, colour, shownGroupsOnly)) return;
  QPalette palette = widget->palette();
  for (const auto role : roles) {
    if (shownGroupsOnly) {
      // Disabled controls keep the greyed text that tells a person so.
      for (const auto group : kShownGroups) palette.setColor(group, role, colour);
    } else {
      palette.setColor(role, colour);
    }
  }
  // Setting a palette costs a resolve against the parent's and an event, even when
  // nothing changes, and live values set the same colours again and again.
  const QPalette& current = widget->palette();
  if (palette == current && palette.resolveMask() == current.resolveMask()) return;
  widget->setPalette(palette);
}

}  // namespace

QColor ToQColor(Rgb colour) { return {colour.r, colour.g, colour.b}; }

Rgb ToRgb(const QColor& colour) { return {colour.red(), colour.green(), colour.blue()}; }

void UseDesignPalette(QWidget* window) {
  const QColor background = ToQColor(forms::kDefaultBackground);
  const QColor text = ToQColor(forms::kDefaultTextColor);
  SetRoleColour(window, {QPalette::Window, QPalette::Button}, background, false);
  SetRoleColour(window, {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}, text, true);
  // Edit boxes stay white whatever the desktop theme, so black text stays readable.
  SetRoleColour(window, {QPalette::Base}, Qt::white, true);
}

void SetBackground(QWidget* widget, Rgb colour) {
  SetRoleColour(widget, {QPalette::Window, widget->backgroundRole()}, ToQColor(colour), false);
  // Labels, boxes and pages are see-through until given a colour of their own, so that
  // they match whatever the style paints behind them; buttons, edits and lists paint
  // their own background.
  const bool paintsOwnBackground = qobject_cast<QPushButton*>(widget) != nullptr ||
                                   qobject_cast<QComboBox*>(widget) != nullptr ||
                                   qobject_cast<QLineEdit*>(widget) != nullptr ||
                                   qobject_cast<QPlainTextEdit*>(widget) != nullptr;
  if (!paintsOwnBackground) widget->setAutoFillBackground(true);
}

Rgb Background(const QWidget* widget) {
  return ToRgb(widget->palette().color(QPalette::Active, QPalette::Window));
}

void SetTextColor(QWidget* widget, Rgb colour) {
  SetRoleColour(widget, {QPalette::WindowText, widget->foregroundRole()}, ToQColor(colour), true);
}

Rgb TextColor(const QWidget* widget) {
  return ToRgb(widget->palette().color(QPalette::Active, QPalette::WindowText));
}

bool OwnEnabled(const QWidget* widget) { return !widget->testAttribute(Qt::WA_ForceDisabled); }

bool OwnVisible(const QWidget* widget) {
  // Every widget is hidden until its window is first shown; only an explicit hide counts.
  return !(widget->testAttribute(Qt::WA_WState_ExplicitShowHide) &&
           widget->testAttribute(Qt::WA_WState_Hidden));
}

QWidget* MakeControlWidget(const ControlSpec& spec, QWidget* parent) {
  switch (spec.kind) {
    case Kind::GroupBox: {
      auto* box = new QGroupBox(ToQString(spec.caption), parent);
      new QGridLayout(box);
      return box;
    }
    case Kind::TabControl:
      return new TabControl(parent);
    case Kind::Label:
      return MakeLabel(spec, parent);
    case Kind::Button:
      return MakeButton<QPushButton>(spec, parent);
    case Kind::Edit:
    case Kind::PasswordEdit:
      return MakeEdit(spec, parent);
    case Kind::Memo:
      return MakeMemo(spec, parent);
    case Kind::CheckBox:
      return MakeButton<QCheckBox>(spec, parent);
    case Kind::RadioButton:
      return MakeButton<QRadioButton>(spec, parent);
    case Kind::ComboBox:
      return MakeComboBox(spec, parent);
    case Kind::ProgressBar:
      return MakeProgressBar(parent);
    case Kind::Shape:
      return MakeLamp(spec, parent);
    case Kind::Picture:
      return MakePicture(spec, parent);
    case Kind::TabPage:
      break;
  }
  throw std::invalid_argument("control " + std::string(spec.name) + " is not made on its own");
}

}  // namespace bms::qt
