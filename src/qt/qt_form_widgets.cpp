#include "qt/qt_form_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextDocument>
#include <algorithm>
#include <span>
#include <stdexcept>
#include <string>

#include "qt/lamp_widget.h"
#include "qt/qt_chart.h"
#include "qt/qt_form_text.h"
#include "qt/qt_heat_map.h"
#include "qt/tab_control.h"

namespace bms::qt {

using forms::ControlSpec;
using forms::Kind;
using forms::Rgb;

namespace {

// Longer fixed texts wrap instead of widening their whole column.
constexpr qsizetype kWrapFrom = 40;

// An edit box without a designed width holds this many digits: enough for any value
// the tool reads or sends.
constexpr int kEditDigits = 10;

// A memo that does not grow shows this many lines.
constexpr int kMemoLines = 3;

// Both scripts of the interface, so that a control is as tall in either language.
constexpr char16_t kBothScripts[] = u"读取Read";

constexpr QPalette::ColorGroup kShownGroups[] = {QPalette::Active, QPalette::Inactive};
constexpr QPalette::ColorGroup kAllGroups[] = {QPalette::Active, QPalette::Inactive,
                                               QPalette::Disabled};

// Masks with "*" as designed, whatever password character the style has of its own (a
// dot in some).
class StarPasswordStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_LineEdit_PasswordCharacter) return u'*';
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

bool Grows(forms::Stretch stretch, Qt::Orientation orientation) {
  if (stretch == forms::Stretch::Both) return true;
  return stretch ==
         (orientation == Qt::Horizontal ? forms::Stretch::Horizontal : forms::Stretch::Vertical);
}

// Rows that hold a button, an edit box or a combo box are equally tall, whichever script
// their captions are in: the height of the tallest such control with a caption in both.
int InputHeight() {
  static const int height = [] {
    const QString text = QString::fromUtf16(kBothScripts);
    QPushButton button(text);
    QLineEdit edit(text);
    QComboBox combo;
    combo.addItem(text);
    return std::max(
        {button.sizeHint().height(), edit.sizeHint().height(), combo.sizeHint().height()});
  }();
  return height;
}

// A one-line label is as tall in either language, so that switching moves nothing.
int LabelHeight() {
  static const int height = QLabel(QString::fromUtf16(kBothScripts)).sizeHint().height();
  return height;
}

// A label of a designed width: at least that wide, and wider when its text needs it. The
// width is a hint rather than a fixed minimum, so that a longer text keeps all its room
// and a value rewritten many times a second costs the layout nothing until it shows.
class DesignLabel : public QLabel {
 public:
  DesignLabel(int designWidth, QWidget* parent) : QLabel(parent), designWidth_(designWidth) {}

  QSize sizeHint() const override { return atLeastDesign(QLabel::sizeHint()); }
  QSize minimumSizeHint() const override { return atLeastDesign(QLabel::minimumSizeHint()); }

 private:
  QSize atLeastDesign(QSize size) const {
    size.setWidth(std::max(size.width(), designWidth_));
    return size;
  }

  int designWidth_;
};

QLabel* MakeLabel(const ControlSpec& spec, QWidget* parent) {
  QLabel* label =
      spec.minimumWidth > 0 ? new DesignLabel(spec.minimumWidth, parent) : new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  const QString shown = RememberForDisplay(label, ToQString(spec.caption));
  label->setText(shown);
  const bool wraps =
      shown.contains(u'\n') || shown.size() >= kWrapFrom || Grows(spec.stretch, Qt::Horizontal);
  label->setWordWrap(wraps);
  if (wraps) {
    // A wrapped text reads from the top of the room it is given.
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  } else {
    label->setMinimumHeight(LabelHeight());
  }
  if (spec.sunken) label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  return label;
}

template <class Button>
Button* MakeButton(const ControlSpec& spec, QWidget* parent) {
  auto* button = new Button(parent);
  button->setText(RememberForDisplay(button, ToQString(spec.caption)));
  return button;
}

// A small button, such as one showing a single glyph: as wide as its caption needs and
// at least its designed width, below the style's least width for a captioned button.
class SmallButton : public QPushButton {
 public:
  SmallButton(int designWidth, QWidget* parent) : QPushButton(parent), designWidth_(designWidth) {}

  QSize sizeHint() const override {
    const int caption =
        fontMetrics().horizontalAdvance(text()) + 2 * style()->pixelMetric(QStyle::PM_ButtonMargin);
    return {std::max(designWidth_, caption), QPushButton::sizeHint().height()};
  }
  QSize minimumSizeHint() const override { return sizeHint(); }

 private:
  int designWidth_;
};

QPushButton* MakePushButton(const ControlSpec& spec, QWidget* parent) {
  QPushButton* button = nullptr;
  if (spec.minimumWidth > 0) {
    button = new SmallButton(spec.minimumWidth, parent);
    button->setSizePolicy(QSizePolicy::Fixed, button->sizePolicy().verticalPolicy());
  } else {
    button = new QPushButton(parent);
  }
  button->setText(RememberForDisplay(button, ToQString(spec.caption)));
  button->setMinimumHeight(InputHeight());
  return button;
}

QLineEdit* MakeEdit(const ControlSpec& spec, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  if (spec.kind == Kind::PasswordEdit) {
    auto* style = new StarPasswordStyle;
    style->setParent(edit);  // a widget does not own the style it is given
    edit->setStyle(style);
    edit->setEchoMode(QLineEdit::Password);
  }
  if (spec.maxLength > 0) edit->setMaxLength(spec.maxLength);
  edit->setText(KeepCharacters(ToQString(spec.caption), spec.maxLength));
  edit->setMinimumHeight(InputHeight());
  int width = spec.minimumWidth;
  if (width == 0) {
    // As wide as its longest content: the edit box's own padding around that many digits.
    const QFontMetrics metrics = edit->fontMetrics();
    const int padding = edit->sizeHint().width() - 17 * metrics.horizontalAdvance(QLatin1Char('x'));
    const int digits = spec.maxLength > 0 ? spec.maxLength : kEditDigits;
    width = padding + metrics.horizontalAdvance(QString(digits, u'0'));
  }
  if (spec.cell.columnSpan > 1) {
    edit->setMinimumWidth(width);  // fills the columns it spans
  } else {
    edit->setFixedWidth(width);
  }
  return edit;
}

QPlainTextEdit* MakeMemo(const ControlSpec& spec, QWidget* parent) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setReadOnly(true);
  memo->setPlainText(RememberForDisplay(memo, ToQString(spec.caption)));
  if (spec.minimumWidth > 0) memo->setFixedWidth(spec.minimumWidth);
  if (!Grows(spec.stretch, Qt::Vertical)) {
    const int frame = 2 * memo->frameWidth();
    const int margins = static_cast<int>(2 * memo->document()->documentMargin());
    memo->setFixedHeight(kMemoLines * memo->fontMetrics().lineSpacing() + frame + margins);
  }
  return memo;
}

QComboBox* MakeComboBox(const ControlSpec& spec, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  for (const auto item : spec.items) combo->addItem(ToQString(item));
  combo->setCurrentIndex(-1);  // adding the first item selected it
  combo->setMinimumHeight(InputHeight());
  // As wide as its longest item, unless it spans columns that give it more.
  if (spec.cell.columnSpan == 1) {
    combo->setSizePolicy(QSizePolicy::Fixed, combo->sizePolicy().verticalPolicy());
  }
  return combo;
}

// Read-only: the program fills it, a person reads, selects and copies rows.
QTableWidget* MakeTable(const ControlSpec& spec, QWidget* parent) {
  auto* table = new QTableWidget(0, static_cast<int>(spec.items.size()), parent);
  QStringList captions;
  for (const auto item : spec.items) captions << ToQString(item);
  table->setHorizontalHeaderLabels(captions);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setWordWrap(false);
  table->verticalHeader()->setVisible(false);
  table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
  // The first column takes the room the others leave; they fit their content, which the
  // header works out once per batch of changes, not per cell.
  auto* header = table->horizontalHeader();
  header->setSectionResizeMode(QHeaderView::ResizeToContents);
  if (table->columnCount() > 0) header->setSectionResizeMode(0, QHeaderView::Stretch);
  return table;
}

QProgressBar* MakeProgressBar(const ControlSpec& spec, QWidget* parent) {
  auto* bar = new QProgressBar(parent);
  // A bar taller than wide in its grid fills upwards, as the level of a battery does.
  if (spec.cell.rowSpan > spec.cell.columnSpan) {
    bar->setOrientation(Qt::Vertical);
    bar->setTextVisible(false);  // the level is written beside it; upright text would not fit
    bar->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  }
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

void ApplyMinimumWidth(const ControlSpec& spec, QWidget* widget) {
  // Captioned controls carry their designed width in their size hints instead.
  const bool captioned = spec.kind == Kind::Label || spec.kind == Kind::Picture ||
                         spec.kind == Kind::Button || spec.kind == Kind::CheckBox ||
                         spec.kind == Kind::RadioButton;
  if (!captioned && widget->minimumWidth() < spec.minimumWidth) {
    widget->setMinimumWidth(spec.minimumWidth);
  }
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
      return MakePushButton(spec, parent);
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
      return MakeProgressBar(spec, parent);
    case Kind::Shape:
      return MakeLamp(spec, parent);
    case Kind::Picture:
      return MakePicture(spec, parent);
    case Kind::StatusBar:
      return new QStatusBar(parent);
    case Kind::Table:
      return MakeTable(spec, parent);
    case Kind::HeatMap:
      return new QtHeatMap(parent);
    case Kind::Chart:
      return new ChartControl(parent);
    case Kind::TabPage:
      break;
  }
  throw std::invalid_argument("control " + std::string(spec.name) + " is not made on its own");
}

}  // namespace bms::qt
