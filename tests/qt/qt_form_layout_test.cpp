// The main window as a person sees it at its default size, offscreen, in both languages:
// it fits a laptop screen, nothing is cut off, shared columns line up, rows of inputs are
// equally tall and inputs only as wide as their content.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/language_switch.h"
#include "forms/tables.h"
#include "qt/qt_application.h"
#include "qt/qt_form.h"

namespace bms::qt {
namespace {

using app::Language;
using forms::ControlSpec;
using forms::Kind;

// A 1366 x 768 laptop screen less a window title bar and a task bar, both generous.
constexpr QSize kLaptopRoom{1366, 768 - 32 - 48};

// Lets queued work (deferred realignment, layout requests) run, then lays out now.
void Settle(QWidget* window) {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  window->layout()->activate();
}

// Shows a window built from its table, settled; in the language given, if one is.
std::unique_ptr<QtForm> Shown(const forms::FormTable& table,
                              std::optional<Language> language = std::nullopt) {
  EnsureApplication();
  auto form = std::make_unique<QtForm>(table);
  if (language) app::ApplyLanguage(*form, *language, false);
  form->window()->show();
  Settle(form->window());
  return form;
}

class MainWindowLayout : public ::testing::TestWithParam<Language> {
 protected:
  void SetUp() override {
    form = Shown(table, GetParam());
    for (const auto& control : table.controls) byName[control.name] = &control;
  }

  // Makes the page current, and every page that holds it.
  void show(std::string_view page) {
    for (const ControlSpec* at = byName.at(page); at != nullptr;) {
      if (at->kind == Kind::TabPage) {
        static_cast<QTabWidget*>(form->widget(at->parent))
            ->setCurrentWidget(form->widget(at->name));
      }
      at = at->parent.empty() ? nullptr : byName.at(at->parent);
    }
    Settle(form->window());
  }

  std::vector<std::string_view> pages() const {
    std::vector<std::string_view> names;
    for (const auto& control : table.controls) {
      if (control.kind == Kind::TabPage) names.push_back(control.name);
    }
    return names;
  }

  // The nearest page above a control ("" for the window itself).
  std::string_view pageOf(std::string_view name) const {
    for (const ControlSpec* at = byName.at(name); !at->parent.empty();) {
      at = byName.at(at->parent);
      if (at->kind == Kind::TabPage) return at->name;
    }
    return {};
  }

  const forms::FormTable& table = forms::MainWindowTable();
  std::map<std::string_view, const ControlSpec*> byName;
  std::unique_ptr<QtForm> form;
};

TEST_P(MainWindowLayout, TheDefaultSizeFitsALaptopScreenWithTitleAndTaskBar) {
  const QSize size = form->window()->size();
  EXPECT_LE(size.width(), kLaptopRoom.width());
  EXPECT_LE(size.height(), kLaptopRoom.height());
  EXPECT_GE(size.width(), form->window()->minimumSizeHint().width());
  EXPECT_GE(size.height(), form->window()->minimumSizeHint().height());
}

TEST_P(MainWindowLayout, NoCaptionIsCutOffOnAnyPage) {
  for (const auto page : pages()) {
    show(page);
    QWidget* window = form->window();
    for (auto* label : window->findChildren<QLabel*>()) {
      if (!label->isVisible() || label->wordWrap()) continue;
      EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                label->contentsRect().width())
          << label->text().toStdString() << " on " << page;
    }
    for (auto* button : window->findChildren<QAbstractButton*>()) {
      const bool captioned = qobject_cast<QPushButton*>(button) ||
                             qobject_cast<QCheckBox*>(button) ||
                             qobject_cast<QRadioButton*>(button);
      if (!captioned || !button->isVisible()) continue;
      EXPECT_LE(button->sizeHint().width(), button->width())
          << button->text().toStdString() << " on " << page;
    }
    for (auto* group : window->findChildren<QGroupBox*>()) {
      if (!group->isVisible()) continue;
      EXPECT_LT(group->fontMetrics().horizontalAdvance(group->title()), group->width())
          << group->title().toStdString();
    }
    for (auto* tabs : window->findChildren<QTabWidget*>()) {
      if (!tabs->isVisible()) continue;
      EXPECT_LE(tabs->tabBar()->sizeHint().width(), tabs->tabBar()->width())
          << "the tabs of " << page << " need scrolling";
    }
  }
}

TEST_P(MainWindowLayout, SharedColumnsLineUpAcrossTheGroupsOfAPage) {
  std::set<std::string_view> sharing;
  for (const auto& control : table.controls) {
    if (control.sharedColumns) sharing.insert(control.name);
  }
  std::map<std::string_view, std::vector<const ControlSpec*>> byPage;
  for (const auto& control : table.controls) {
    const bool inColumn = control.cell.columnSpan == 1 && control.kind != Kind::GroupBox &&
                          control.kind != Kind::Shape && control.kind != Kind::Picture;
    if (inColumn && sharing.contains(control.parent)) {
      byPage[pageOf(control.name)].push_back(&control);
    }
  }
  ASSERT_GE(byPage.size(), 7u);
  for (const auto& [page, controls] : byPage) {
    show(page);
    QWidget* pageWidget = form->widget(page);
    std::map<int, std::map<int, std::string_view>> starts;  // column: x -> a control there
    for (const ControlSpec* control : controls) {
      QWidget* widget = form->widget(control->name);
      if (!widget->isVisible() || control->cell.column == 0) continue;  // nested boxes indent
      starts[control->cell.column][widget->mapTo(pageWidget, QPoint()).x()] = control->name;
    }
    for (const auto& [column, xs] : starts) {
      EXPECT_EQ(xs.size(), 1u) << "column " << column << " of " << page << " starts at "
                               << xs.begin()->first << " (" << xs.begin()->second << ") and "
                               << xs.rbegin()->first << " (" << xs.rbegin()->second << ")";
    }
  }
}

TEST_P(MainWindowLayout, InputsAreEquallyTallAndOnlyAsWideAsTheirContent) {
  std::set<int> heights;
  for (const auto page : pages()) {
    show(page);
    for (QWidget* input : form->window()->findChildren<QWidget*>()) {
      const bool takesInput = qobject_cast<QPushButton*>(input) ||
                              qobject_cast<QLineEdit*>(input) || qobject_cast<QComboBox*>(input);
      if (takesInput && input->isVisible()) heights.insert(input->height());
    }
  }
  EXPECT_EQ(heights.size(), 1u) << *heights.begin() << " to " << *heights.rbegin();
  for (const auto& control : table.controls) {
    if (control.kind != Kind::Edit || control.cell.columnSpan > 1 || control.minimumWidth > 0) {
      continue;
    }
    const auto* edit = static_cast<QLineEdit*>(form->widget(control.name));
    EXPECT_GE(edit->width(), edit->fontMetrics().horizontalAdvance(QStringLiteral("-1234.567")))
        << control.name;
    EXPECT_LE(edit->width(), 120) << control.name;
  }
}

// The status bar runs along the bottom and the error takes the rest; the language box
// keeps the height of its two buttons; the password shows as stars.
TEST_P(MainWindowLayout, TheStatusBarTheLanguageBoxAndThePassword) {
  QWidget* window = form->window();
  const auto* bar = qobject_cast<QStatusBar*>(form->widget("状态栏"));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->geometry().bottom(), window->height() - 1);
  EXPECT_EQ(bar->width(), window->width());
  for (const char* label : {"链路状态标签", "最后接收时间标签", "最后错误信息标签"}) {
    EXPECT_EQ(form->widget(label)->parentWidget(), bar) << label;
    EXPECT_TRUE(form->widget(label)->isVisible()) << label;
  }
  const int error = form->widget("最后错误信息标签")->width();
  EXPECT_GT(error, form->widget("链路状态标签")->width());
  EXPECT_GT(error, form->widget("最后接收时间标签")->width());

  QWidget* language = form->widget("分组框2");
  EXPECT_EQ(language->height(), language->sizeHint().height());

  const auto* password = static_cast<QLineEdit*>(form->widget("远程密码编辑框"));
  EXPECT_EQ(password->echoMode(), QLineEdit::Password);
  EXPECT_EQ(password->displayText(), QString(password->text().size(), u'*'));
  EXPECT_FALSE(password->text().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Languages, MainWindowLayout,
                         ::testing::Values(Language::Chinese, Language::English),
                         [](const auto& param) {
                           return param.param == Language::Chinese ? "Chinese" : "English";
                         });

// Captions rewritten on pages that are not shown still resize what holds them: after a
// tour of every page in English, Chinese needs no more room than it did at first.
TEST(MainWindowLanguages, SwitchingBackNeedsNoMoreRoomThanBefore) {
  EnsureApplication();
  const auto& table = forms::MainWindowTable();
  QtForm form(table);
  QWidget* window = form.window();
  window->show();
  Settle(window);
  const QSize chinese = window->minimumSizeHint();
  app::ApplyLanguage(form, Language::English, false);
  for (const auto& control : table.controls) {
    if (control.kind != Kind::TabPage) continue;
    static_cast<QTabWidget*>(form.widget(control.parent))
        ->setCurrentWidget(form.widget(control.name));
    Settle(window);
  }
  EXPECT_GT(window->minimumSizeHint().width(), chinese.width());
  app::ApplyLanguage(form, Language::Chinese, false);
  Settle(form.window());  // shows the captions held for the next frame
  EXPECT_EQ(window->minimumSizeHint(), chinese);
}

// The debug window: panes of their designed width that take the window's height, and a
// pause button whose two captions both fit, so that pausing moves nothing.
TEST(DebugWindowLayout, PanesTakeTheHeightAndPausingMovesNothing) {
  const auto form = Shown(forms::DebugWindowTable());
  QWidget* window = form->window();
  QWidget* receive = form->widget("接收数据编辑框");
  EXPECT_EQ(receive->width(), 320);
  EXPECT_EQ(form->widget("发送数据编辑框")->width(), 320);

  const QRect pause = form->widget("通信协议暂停显示按钮")->geometry();
  const QRect help = form->widget("标签52")->geometry();
  form->setText("通信协议暂停显示按钮", "Continue display");
  Settle(window);
  EXPECT_EQ(form->widget("通信协议暂停显示按钮")->geometry(), pause);
  EXPECT_EQ(form->widget("标签52")->geometry(), help);

  const int paneHeight = receive->height();
  window->resize(window->width(), window->height() + 200);
  Settle(window);
  EXPECT_EQ(receive->height(), paneHeight + 200);
  EXPECT_EQ(receive->width(), 320);
}

}  // namespace
}  // namespace bms::qt
