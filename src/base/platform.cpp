#include "base/platform.h"

#include <algorithm>

namespace bms::base {

Rect KeepOnScreen(const Platform& platform, Rect rect) {
  const int width = platform.screenWidth();
  const int height = platform.screenHeight();
  rect.width = std::min(rect.width, width);
  rect.height = std::min(rect.height, height);
  rect.left = std::clamp(rect.left, 0, width - rect.width);
  rect.top = std::clamp(rect.top, 0, height - rect.height);
  return rect;
}

void CentreOnMain(Platform& platform, Window window) {
  const auto main = platform.windowRect(Window::Main);
  auto rect = platform.windowRect(window);
  // In halves, so that C++ division truncates the exact value toward zero.
  rect.left = (2 * main.left + main.width - rect.width) / 2;
  rect.top = (2 * main.top + main.height - rect.height) / 2;
  platform.setWindowRect(window, rect);
}

}  // namespace bms::base
