#include "qt/qt_platform.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "forms/tables.h"
#include "qt/qt_application.h"
#include "qt/qt_platform_wait.h"

namespace bms::qt {
namespace {

using app::Window;

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
  struct Case {
    Window window;
    const forms::FormTable& table;
  };
  for (const auto& c : {
           Case{Window::Main, forms::MainWindowTable()},
           Case{Window::Debug, forms::DebugWindowTable()},
           Case{Window::Error, forms::ErrorPromptTable()},
           Case{Window::Factory, forms::FactoryWindowTable()},
           Case{Window::Bic, forms::BicWindowTable()},
       }) {
    const std::string name(c.table.name);
    ASSERT_EQ(platform.findWindow(c.window), nullptr) << name;
    QtForm& form = platform.openWindow(c.window);
    EXPECT_EQ(form.title(), c.table.title) << name;
    EXPECT_TRUE(form.exists(c.table.controls.front().name)) << name;
    EXPECT_TRUE(form.window()->isVisible()) << name;
    EXPECT_EQ(&platform.openWindow(c.window), &form) << name;
    EXPECT_EQ(platform.findWindow(c.window), &form) << name;
  }
  for (auto window : {Window::Debug, Window::Main, Window::Debug}) {
    platform.closeWindow(window);
    EXPECT_EQ(platform.findWindow(window), nullptr);
  }
  ProcessEventsFor(20);
  EXPECT_TRUE(closed.empty());
}

TEST_F(QtPlatformTest, AWindowTheUserClosesIsDestroyedAndThenReported) {
  platform.openWindow(Window::Main);
  platform.openWindow(Window::Debug).window()->close();
  ASSERT_TRUE(ProcessEventsUntil([&] { return !closed.empty(); }));
  ProcessEventsFor(20);
  EXPECT_EQ(closed, std::vector<Window>{Window::Debug});
  EXPECT_TRUE(destroyedBeforeReport);
  EXPECT_NE(platform.findWindow(Window::Main), nullptr);

  // The main window is reported like any other; what else closes is for the application.
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
  EXPECT_EQ(platform.windowRect(Window::Factory), app::Rect{});
  platform.setWindowRect(Window::Factory, {1, 2, 3, 4});  // closed: nothing happens

  QtForm& form = platform.openWindow(Window::Factory);
  const QSize size = form.window()->frameGeometry().size() + QSize(40, 30);
  const app::Rect rect{25, 35, size.width(), size.height()};
  platform.setWindowRect(Window::Factory, rect);
  EXPECT_EQ(platform.windowRect(Window::Factory), rect);
}

TEST_F(QtPlatformTest, TheMessageBoxIsModalWithTextTitleAndOneOkButton) {
  struct Seen {
    std::string title;
    std::string text;
    bool modal = false;
    int buttons = 0;
  };
  for (const auto& [text, title] : {
           std::pair<std::string, std::string>{"Please enter the correct BMC number!",
                                               "Error message"},
           std::pair<std::string, std::string>{"请输入正确的BMC编号！", "错误信息"},
       }) {
    std::optional<Seen> seen;
    int polls = 0;
    QTimer poll;
    poll.callOnTimeout([&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) {
        if (++polls > 1000) poll.stop();  // never came: fail rather than wait forever
        return;
      }
      seen = Seen{box->windowTitle().toStdString(), box->text().toStdString(),
                  box->windowModality() != Qt::NonModal, static_cast<int>(box->buttons().size())};
      box->button(QMessageBox::Ok)->click();
    });
    poll.start(10);
    platform.showMessageBox(text, title);
    ASSERT_TRUE(seen.has_value()) << text;
    EXPECT_EQ(seen->title, title);
    EXPECT_EQ(seen->text, text);
    EXPECT_TRUE(seen->modal);
    EXPECT_EQ(seen->buttons, 1);
  }
}

}  // namespace
}  // namespace bms::qt
