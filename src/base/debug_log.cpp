#include "base/debug_log.h"

#include <vector>

namespace bms::base {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kReceivePane = "接收数据编辑框";
constexpr std::string_view kSendPane = "发送数据编辑框";
// Gathered entries beyond this are cut back to the pane's capacity while gathering.
constexpr std::size_t kPendingBytes = 64 * 1024;

// The last kPaneLines lines of the text, each ended by CR LF.
std::string LastLines(std::string_view all) {
  std::vector<std::string_view> lines;
  while (!all.empty()) {
    const auto end = all.find(kLineEnd);
    lines.push_back(all.substr(0, end));
    all = end == std::string_view::npos ? std::string_view() : all.substr(end + kLineEnd.size());
  }
  if (lines.size() <= DebugLog::kPaneLines) return {};
  std::string kept;
  for (auto line = lines.end() - DebugLog::kPaneLines; line != lines.end(); ++line) {
    kept += *line;
    kept += kLineEnd;
  }
  return kept;
}

}  // namespace

void DebugLog::received(std::string_view text) {
  append(kReceivePane, pendingReceived_, receivedCount, text);
}

void DebugLog::sent(std::string_view text) { append(kSendPane, pendingSent_, sentCount, text); }

void DebugLog::append(std::string_view pane, std::string& pending, std::uint64_t counter,
                      std::string_view text) {
  auto* window = platform_.findWindow(base::Window::Debug);
  if (window == nullptr || window->text("通信协议暂停显示按钮") != "Pause display") return;
  pending += std::to_string(counter);
  pending += ": ";
  pending += text;
  if (!text.ends_with(kLineEnd)) pending += kLineEnd;
  if (batchDepth_ == 0) {
    write(pane, pending);
  } else if (pending.size() > kPendingBytes) {
    if (auto kept = LastLines(pending); !kept.empty()) pending = std::move(kept);
  }
}

void DebugLog::flush() {
  write(kReceivePane, pendingReceived_);
  write(kSendPane, pendingSent_);
}

void DebugLog::write(std::string_view pane, std::string& entries) {
  if (entries.empty()) return;
  auto* window = platform_.findWindow(base::Window::Debug);
  if (window != nullptr) {
    std::string all = window->text(pane) + entries;
    if (auto kept = LastLines(all); !kept.empty()) all = std::move(kept);
    window->setText(pane, all);
  }
  entries.clear();
}

}  // namespace bms::base
