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

}  // namespace bms::base
