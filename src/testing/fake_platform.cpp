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

namespace {

template <class Answer>
Answer Next(std::deque<Answer>& answers, Answer otherwise) {
  if (answers.empty()) return otherwise;
  Answer answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

}  // namespace

std::optional<std::filesystem::path> FakePlatform::chooseFileToOpen(std::string_view title) {
  dialogs.push_back({"open", "", std::string(title)});
  return Next(openAnswers, std::optional<std::filesystem::path>());
}

std::optional<std::filesystem::path> FakePlatform::chooseFileToSave(
    std::string_view title, std::string_view suggestedName) {
  dialogs.push_back({"save", std::string(suggestedName), std::string(title)});
  return Next(saveAnswers, std::optional<std::filesystem::path>());
}

bool FakePlatform::askYesNo(std::string_view text, std::string_view title) {
  dialogs.push_back({"yes/no", std::string(text), std::string(title)});
  return Next(yesNoAnswers, false);
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
