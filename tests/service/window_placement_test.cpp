// Auxiliary windows keep their designed place where the screen has room for it, and are
// moved up or in, and shrunk if they must, so that they stay wholly on the screen.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backends.h"

namespace bms::testing {
namespace {

struct Case {
  std::string name;
  int screenWidth, screenHeight;
  int mainLeft, mainTop;  // where the user left the main window
  Rect debug;             // where the debug window opens (the main window moves to the top first)
  Rect error;             // where the error prompt opens over the main window left where it was
};

// Design sizes: main window 1024 x 560, debug window 1024 x 500, error prompt 380 x 200.
const std::vector<Case> kCases = {
    {"room for both", 1920, 1080, 50, 50, {50, 560, 1024, 500}, {372, 230, 380, 200}},
    {"main far right", 1920, 1080, 1500, 300, {896, 560, 1024, 500}, {1540, 480, 380, 200}},
    {"laptop", 1366, 728, 50, 50, {50, 228, 1024, 500}, {372, 230, 380, 200}},
    {"laptop, main low right", 1366, 728, 600, 400, {342, 228, 1024, 500}, {922, 528, 380, 200}},
    {"narrower than the window", 800, 600, 0, 0, {0, 100, 800, 500}, {322, 180, 380, 200}},
    {"smaller than the window", 640, 400, 200, 100, {0, 0, 640, 400}, {260, 200, 380, 200}},
    {"main partly off the left", 1366, 728, -300, 20, {0, 228, 1024, 500}, {22, 200, 380, 200}},
};

bool OnScreen(const Rect& rect, const Case& c) {
  return rect.left >= 0 && rect.top >= 0 && rect.left + rect.width <= c.screenWidth &&
         rect.top + rect.height <= c.screenHeight;
}

class WindowPlacement : public ::testing::TestWithParam<Backend> {};

// The error prompt first, while the main window is where the user left it; the debug window
// then moves the main window to the top.
TEST_P(WindowPlacement, WindowsStayOnTheScreenNearTheirDesignedPlace) {
  for (const auto& c : kCases) {
    Driver driver(GetParam());
    driver.setScreenWidth(c.screenWidth);
    driver.setScreenHeight(c.screenHeight);
    driver.start();
    driver.moveWindow("main", c.mainLeft, c.mainTop);
    driver.failNextOpen();
    driver.click("通信按钮");
    driver.advance(100);
    ASSERT_TRUE(driver.isOpen("error")) << c.name;
    EXPECT_EQ(driver.rect("error"), c.error) << c.name;

    ASSERT_TRUE(driver.click("Debug按钮")) << c.name;
    EXPECT_EQ(driver.rect("main").top, 0) << c.name;
    EXPECT_EQ(driver.rect("debug"), c.debug) << c.name;
    // Pressed again after the user dragged it down, it comes back to the same place.
    driver.moveWindow("debug", c.debug.left, c.screenHeight - 10);
    driver.click("Debug按钮");
    EXPECT_EQ(driver.rect("debug"), c.debug) << c.name;
    driver.click("debug:窗口最高按钮");
    EXPECT_EQ(driver.rect("debug").top, 0) << c.name;
    EXPECT_TRUE(OnScreen(driver.rect("debug"), c)) << c.name;
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, WindowPlacement, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
