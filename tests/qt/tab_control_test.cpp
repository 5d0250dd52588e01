#include "qt/tab_control.h"

#include <gtest/gtest.h>

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <memory>

#include "qt/qt_application.h"
#include "qt/qt_platform_wait.h"

namespace bms::qt {
namespace {

// A shown window whose tab control has one page with one label on it, as on the main
// window's run monitoring page.
class TabControlTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }

  void SetUp() override {
    auto* layout = new QVBoxLayout(&window_);
    tabs_ = new TabControl;
    layout->addWidget(tabs_);
    auto* page = new QWidget;
    label_ = new QLabel(QStringLiteral("1234"));
    (new QGridLayout(page))->addWidget(label_, 0, 0);
    tabs_->addTab(page, QStringLiteral("page"));
    tabPaints_ = std::make_unique<PaintLog>(tabs_);
    labelPaints_ = std::make_unique<PaintLog>(label_);
    window_.show();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !labelPaints_->regions.empty(); }));
    ProcessEventsFor(50);
  }

  // Gives the label a text of the same size; returns when it has been painted anew.
  void ChangeTheNumber() {
    const QSize hint = label_->sizeHint();
    labelPaints_->regions.clear();
    tabPaints_->regions.clear();
    label_->setText(QStringLiteral("5678"));
    ASSERT_EQ(label_->sizeHint(), hint) << "the font's digits differ in width";
    ASSERT_TRUE(ProcessEventsUntil([&] { return !labelPaints_->regions.empty(); }));
    ProcessEventsFor(50);  // any layout request and repaint it set off
  }

  QWidget window_;
  TabControl* tabs_ = nullptr;
  QLabel* label_ = nullptr;
  std::unique_ptr<PaintLog> tabPaints_;
  std::unique_ptr<PaintLog> labelPaints_;
};

TEST_F(TabControlTest, ANewNumberOfTheSameSizeRepaintsOnlyWhereTheLabelIs) {
  ChangeTheNumber();
  const QRect label(label_->mapTo(tabs_, QPoint(0, 0)), label_->size());
  for (const QRegion& region : tabPaints_->regions) {
    EXPECT_TRUE(label.contains(region.boundingRect()))
        << "repainted " << region.boundingRect().width() << "x" << region.boundingRect().height()
        << " for a label of " << label.width() << "x" << label.height();
  }
}

TEST_F(TabControlTest, APageThatGrowsAfterwardsIsStillGivenTheRoom) {
  ChangeTheNumber();
  label_->setText(QString(120, u'W'));
  ASSERT_TRUE(ProcessEventsUntil([&] { return label_->width() >= label_->sizeHint().width(); }))
      << "the label stays " << label_->width() << " wide, needing " << label_->sizeHint().width();
}

}  // namespace
}  // namespace bms::qt
