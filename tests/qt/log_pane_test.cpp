#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <string>

#include "forms/tables.h"
#include "qt/qt_application.h"
#include "qt/qt_form.h"

// Live traffic can be watched: the newest line stays in view, and a user who scrolled up
// to read keeps reading the same lines while new ones arrive.
namespace bms::qt {
namespace {

constexpr std::string_view kPane = "接收数据编辑框";

std::string Lines(int from, int to) {
  std::string lines;
  for (int n = from; n <= to; ++n) lines += "line " + std::to_string(n) + "\r\n";
  return lines;
}

// The text of the line at the top of the pane's view.
std::string TopLine(QPlainTextEdit* pane) {
  return pane->cursorForPosition(QPoint(4, 4)).block().text().toStdString();
}

TEST(LogPane, TheNewestLineStaysInViewUnlessTheUserScrolledUp) {
  EnsureApplication();
  QtForm form(forms::DebugWindowTable());
  form.window()->show();
  auto* pane = static_cast<QPlainTextEdit*>(form.widget(kPane));
  auto* bar = pane->verticalScrollBar();

  form.appendLines(kPane, Lines(1, 60), 70);
  form.widget(kPane);  // shows what is held
  ASSERT_GT(bar->maximum(), 0) << "the pane must be able to scroll for this test";
  EXPECT_EQ(bar->value(), bar->maximum());

  form.appendLines(kPane, Lines(61, 64), 70);
  form.widget(kPane);
  EXPECT_EQ(bar->value(), bar->maximum()) << "following the newest line";

  bar->setValue(bar->maximum() / 2);
  const std::string reading = TopLine(pane);
  form.appendLines(kPane, Lines(65, 80), 70);  // ten old lines drop off the top
  form.widget(kPane);
  EXPECT_LT(bar->value(), bar->maximum());
  EXPECT_EQ(TopLine(pane), reading);

  form.setText(kPane, "");
  form.appendLines(kPane, Lines(1, 3), 70);
  EXPECT_EQ(form.text(kPane), Lines(1, 3));
}

}  // namespace
}  // namespace bms::qt
