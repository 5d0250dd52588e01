#include "service/debug_log.h"

#include <utility>

#include "forms/text_lines.h"

namespace bms::service {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kReceivePane = "接收数据编辑框";
constexpr std::string_view kSendPane = "发送数据编辑框";
// Gathered entries beyond this are cut back to the pane's capacity while gathering.
constexpr std::size_t kPendingBytes = 64 * 1024;

}  // namespace

void DebugLog::received(std::string_view text) {
  append(kReceivePane, pendingReceived_, receivedCount, text);
}

void DebugLog::sent(std::string_view text) { append(kSendPane, pendingSent_, sentCount, text); }

void DebugLog::append(std::string_view pane, std::string& pending, std::uint64_t counter,
                      std::string_view text) {
  auto* window = platform_.findWindow(app::Window::Debug);
  if (window == nullptr || window->text("通信协议暂停显示按钮") != "Pause display") return;
  pending += std::to_string(counter);
  pending += ": ";
  pending += text;
  if (!text.ends_with(kLineEnd)) pending += kLineEnd;
  if (batchDepth_ == 0) {
    write(pane, pending);
  } else if (pending.size() > kPendingBytes) {
    pending = forms::KeepLastLines(std::move(pending), kPaneLines);
  }
}

void DebugLog::flush() {
  write(kReceivePane, pendingReceived_);
  write(kSendPane, pendingSent_);
}

void DebugLog::write(std::string_view pane, std::string& entries) {
  if (entries.empty()) return;
  auto* window = platform_.findWindow(app::Window::Debug);
  if (window != nullptr) window->appendLines(pane, entries, kPaneLines);
  entries.clear();
}

}  // namespace bms::service
