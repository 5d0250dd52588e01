#include "testing/fake_platform.h"

#include <utility>

#include "base/window_tables.h"

namespace bms::testing {

FakePlatform::FakePlatform(std::filesystem::path programDir, FormFactory makeForm)
    : programDir_(std::move(programDir)), makeForm_(std::move(makeForm)) {}

FakePlatform::~FakePlatform() = default;

std::unique_ptr<base::Timer> FakePlatform::createTimer(std::string_view name) {
  return clock.createTimer(name);
}

void FakePlatform::showMessageBox(std::string_view text, std::string_view title) {
  messageBoxes.push_back({std::string(text), std::string(title)});
}

forms::Form& FakePlatform::openWindow(base::Window window) {
  auto& form = windows_[window];
  if (!form) {
    const auto& table = base::TableOf(window);
    form = makeForm_(table);
    rects_[window] = {table.left, table.top, table.width, table.height};
  }
  return *form;
}

forms::Form* FakePlatform::findWindow(base::Window window) {
  const auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : found->second.get();
}

void FakePlatform::closeWindow(base::Window window) { windows_.erase(window); }

void FakePlatform::userCloseWindow(base::Window window) {
  if (!windows_.contains(window)) return;
  closeWindow(window);
  if (onWindowClosed) onWindowClosed(window);
}

base::Rect FakePlatform::windowRect(base::Window window) const {
  const auto found = rects_.find(window);
  return found == rects_.end() ? base::Rect{} : found->second;
}

void FakePlatform::setWindowRect(base::Window window, base::Rect rect) { rects_[window] = rect; }

}  // namespace bms::testing
