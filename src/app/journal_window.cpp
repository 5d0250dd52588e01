#include "app/journal_window.h"

#include <algorithm>
#include <ctime>
#include <vector>

#include "base/language.h"

namespace bms::app {

namespace {

using base::Window;

constexpr std::string_view kTable = "告警日志表格";
constexpr std::string_view kCount = "告警日志计数标签";

enum Column { kTime, kFlag, kState, kHighest, kLowest };

struct Words {
  std::string_view chinese;
  std::string_view english;
};

constexpr Words kColumns[] = {{"时间", "Time"},
                              {"告警", "Alarm"},
                              {"状态", "State"},
                              {"最高单体", "Highest cell"},
                              {"最低单体", "Lowest cell"}};

}  // namespace

std::string JournalTime(std::int64_t utcMs) {
  const auto seconds = static_cast<std::time_t>(utcMs / 1000);
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

std::string JournalFlag(const recorder::AlarmEvent& event, bool english) {
  const auto& flag = event.describe();
  return std::string(english ? flag.english : flag.chinese);
}

std::string JournalState(const recorder::AlarmEvent& event, bool english) {
  if (english) return event.on ? "raised" : "cleared";
  return event.on ? "出现" : "消失";
}

std::string JournalCell(const recorder::CellPoint& cell, bool english) {
  const std::string value = std::to_string(cell.millivolts) + " mV";
  // The controller numbers BICs and cells from 1: 0 is a place the tool does not know.
  if (cell.bic == 0 || cell.cell == 0) return value;
  if (english) {
    return "BIC " + std::to_string(cell.bic) + " cell " + std::to_string(cell.cell) + ": " + value;
  }
  return "BIC " + std::to_string(cell.bic) + " 第" + std::to_string(cell.cell) + "节：" + value;
}

bool JournalWindow::english() const {
  return context_.mainWindow != nullptr && base::IsEnglish(*context_.mainWindow);
}

void JournalWindow::open() {
  auto& platform = context_.platform;
  const bool opened = platform.findWindow(Window::Journal) == nullptr;
  platform.openWindow(Window::Journal);
  if (!opened) return;
  // Centred on the main window.
  const auto main = platform.windowRect(Window::Main);
  auto rect = platform.windowRect(Window::Journal);
  rect.left = std::max(0, main.left + (main.width - rect.width) / 2);
  rect.top = std::max(0, main.top + (main.height - rect.height) / 2);
  platform.setWindowRect(Window::Journal, base::KeepOnScreen(platform, rect));
  refresh();
}

void JournalWindow::refresh() {
  auto* form = context_.platform.findWindow(Window::Journal);
  if (form == nullptr) return;
  const bool isEnglish = english();
  form->setTitle(isEnglish ? "Alarm journal" : "告警日志");
  std::vector<std::string> columns;
  for (const auto& column : kColumns) {
    columns.emplace_back(isEnglish ? column.english : column.chinese);
  }
  form->setItems(kTable, columns);
  const auto& events = journal_.newestFirst();
  form->setRowCount(kTable, static_cast<int>(events.size()));
  int row = 0;
  for (const auto& event : events) {
    form->setCell(kTable, row, kTime, JournalTime(event.timeMs));
    form->setCell(kTable, row, kFlag, JournalFlag(event, isEnglish));
    form->setCell(kTable, row, kState, JournalState(event, isEnglish));
    form->setCell(kTable, row, kHighest, JournalCell(event.extremes.highest, isEnglish));
    form->setCell(kTable, row, kLowest, JournalCell(event.extremes.lowest, isEnglish));
    ++row;
  }
  const auto count = std::to_string(events.size());
  form->setText(kCount, isEnglish ? count + " changes, the newest on top"
                                  : "共 " + count + " 条变化，最新的在上");
}

}  // namespace bms::app
