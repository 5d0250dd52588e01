#include "testing/fake_platform.h"

#include <utility>

#include "app/window_tables.h"

namespace bms::testing {

FakePlatform::FakePlatform(std::filesystem::path programDir, FormFactory makeForm)
    : programDir_(std::move(programDir)), makeForm_(std::move(makeForm)) {}

FakePlatform::~FakePlatform() = default;

std::unique_ptr<app::Timer> FakePlatform::createTimer(std::string_view name) {
  return clock.createTimer(name);
}

void FakePlatform::showMessageBox(std::string_view text, std::string_view title) {
  messageBoxes.push_back({std::string(text), std::string(title)});
}

forms::Form& FakePlatform::openWindow(app::Window window) {
  auto& form = windows_[window];
  if (!form) {
    const auto& table = app::TableOf(window);
    form = makeForm_(table);
    rects_[window] = {table.left, table.top, table.width, table.height};
  }
  return *form;
}

forms::Form* FakePlatform::findWindow(app::Window window) {
  const auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : found->second.get();
}

void FakePlatform::closeWindow(app::Window window) { windows_.erase(window); }

void FakePlatform::userCloseWindow(app::Window window) {
  if (!windows_.contains(window)) return;
  closeWindow(window);
  if (onWindowClosed) onWindowClosed(window);
}

app::Rect FakePlatform::windowRect(app::Window window) const {
  const auto found = rects_.find(window);
  return found == rects_.end() ? app::Rect{} : found->second;
}

void FakePlatform::setWindowRect(app::Window window, app::Rect rect) { rects_[window] = rect; }

}  // namespace bms::testing
