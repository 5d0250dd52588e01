#include "service/debug_log.h"

#include <string>
#include <vector>

namespace bms::service {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

void DebugLog::received(std::string_view text) { append("接收数据编辑框", receivedCount, text); }

void DebugLog::sent(std::string_view text) { append("发送数据编辑框", sentCount, text); }

void DebugLog::append(std::string_view pane, std::uint64_t counter, std::string_view text) {
  auto* window = platform_.findWindow(app::Window::Debug);
  if (window == nullptr || window->text("通信协议暂停显示按钮") != "Pause display") return;
  std::string all = window->text(pane);
  all += std::to_string(counter);
  all += ": ";
  all += text;
  if (!text.ends_with(kLineEnd)) all += kLineEnd;

  std::vector<std::string_view> lines;
  std::string_view rest = all;
  while (!rest.empty()) {
    const auto end = rest.find(kLineEnd);
    lines.push_back(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + kLineEnd.size());
  }
  if (lines.size() > kPaneLines) {
    std::string kept;
    for (auto line = lines.end() - kPaneLines; line != lines.end(); ++line) {
      kept += *line;
      kept += kLineEnd;
    }
    all = std::move(kept);
  }
  window->setText(pane, all);
}

}  // namespace bms::service
