#include "qt/qt_platform.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QWidget>
#include <vector>

#include "base/window_tables.h"
#include "qt/qt_application.h"
#include "qt/qt_platform_wait.h"

namespace bms::qt {
namespace {

using base::Window;

class QtPlatformTest : public ::testing::Test {
 protected:
  QtPlatformTest() {
    platform.onWindowClosed = [this](Window window) {
      closed.push_back(window);
      destroyedBeforeReport = platform.findWindow(window) == nullptr;
    };
  }

  QtPlatform platform;
  std::vector<Window> closed;  // what onWindowClosed reported
  bool destroyedBeforeReport = false;
};

TEST_F(QtPlatformTest, EachWindowIsBuiltFromItsOwnTableOnceWhileOpen) {
  for (const auto window :
       {Window::Main, Window::Debug, Window::Error, Window::Factory, Window::Bic}) {
    const auto& table = base::TableOf(window);
    ASSERT_EQ(platform.findWindow(window), nullptr) << table.name;
    QtForm& form = platform.openWindow(window);
    EXPECT_EQ(form.title(), table.title) << table.name;
    EXPECT_TRUE(form.window()->isVisible()) << table.name;
    EXPECT_EQ(&platform.openWindow(window), &form) << table.name;
    EXPECT_EQ(platform.findWindow(window), &form) << table.name;
  }
}

TEST_F(QtPlatformTest, AWindowTheUserClosesIsDestroyedAndThenReported) {
  platform.openWindow(Window::Main);
  platform.openWindow(Window::Debug).window()->close();
  ASSERT_TRUE(ProcessEventsUntil([&] { return !closed.empty(); }));
  ProcessEventsFor(20);
  EXPECT_EQ(closed, std::vector<Window>{Window::Debug});
  EXPECT_TRUE(destroyedBeforeReport);
  EXPECT_NE(platform.findWindow(Window::Main), nullptr);

  // The main window is reported like any other; what else closes is for the application,
  // and is not reported back to it.
  platform.openWindow(Window::Bic);
  platform.onWindowClosed = [&](Window window) {
    closed.push_back(window);
    platform.closeWindow(Window::Bic);
  };
  platform.findWindow(Window::Main)->window()->close();
  ASSERT_TRUE(ProcessEventsUntil([&] { return closed.size() == 2; }));
  EXPECT_EQ(closed.back(), Window::Main);
  EXPECT_EQ(platform.findWindow(Window::Main), nullptr);
  EXPECT_EQ(platform.findWindow(Window::Bic), nullptr);
}

TEST_F(QtPlatformTest, AWindowOpenedAgainBeforeItsCloseIsOverStaysOpen) {
  QtForm& form = platform.openWindow(Window::Error);
  form.window()->close();
  EXPECT_EQ(&platform.openWindow(Window::Error), &form);
  ProcessEventsFor(50);
  EXPECT_TRUE(closed.empty());
  EXPECT_EQ(platform.findWindow(Window::Error), &form);
  EXPECT_TRUE(form.window()->isVisible());
}

TEST_F(QtPlatformTest, RectanglesAreSetAndReadBack) {
  EXPECT_EQ(platform.windowRect(Window::Factory), base::Rect{});
  platform.setWindowRect(Window::Factory, {1, 2, 3, 4});  // closed: nothing happens
  QtForm& form = platform.openWindow(Window::Factory);
  const QSize size = form.window()->frameGeometry().size() + QSize(40, 30);
  const base::Rect rect{25, 35, size.width(), size.height()};
  platform.setWindowRect(Window::Factory, rect);
  EXPECT_EQ(platform.windowRect(Window::Factory), rect);
}

TEST_F(QtPlatformTest, TheMessageBoxIsModalWithTextTitleAndOneOkButton) {
  bool seen = false;
  AnswerNext<QMessageBox>([&](QMessageBox& box) {
    seen = true;
    EXPECT_EQ(box.windowTitle().toStdString(), "错误信息");
    EXPECT_EQ(box.text().toStdString(), "请输入正确的BMC编号！");
    EXPECT_NE(box.windowModality(), Qt::NonModal);
    EXPECT_EQ(box.buttons().size(), 1);
    box.button(QMessageBox::Ok)->click();
  });
  platform.showMessageBox("请输入正确的BMC编号！", "错误信息");
  EXPECT_TRUE(seen);
}

}  // namespace
}  // namespace bms::qt
