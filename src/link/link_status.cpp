#include "link/link_status.h"

#include "base/language.h"

namespace bms::link {

namespace {

constexpr int kTicksPerSecond = 10;
constexpr int kTicksPerMinute = 60 * kTicksPerSecond;

}  // namespace

void LinkStatus::onTick() {
  countTime();
  const bool english = base::IsEnglish(context_.main());
  // The language switch rewrites the labels' captions: show everything anew.
  if (english != english_) shown_.fill("\x01");
  english_ = english;
  show("链路状态标签", 0, stateText(english));
  show("最后接收时间标签", 1, receiveText(english));
  const auto& failure = context_.lastFailure;
  show("最后错误信息标签", 2, english ? failure.english : failure.chinese);
}

void LinkStatus::countTime() {
  const auto phase = context_.connection.phase;
  if (phase != lastPhase_ &&
      (phase == base::LinkPhase::Connecting || phase == base::LinkPhase::Connected)) {
    ticksSinceLine_ = -1;  // a new link: nothing received on it yet
  }
  lastPhase_ = phase;
  if (context_.activity.received) {
    ticksSinceLine_ = 0;
  } else if (ticksSinceLine_ >= 0) {
    ++ticksSinceLine_;
  }

  if (++ticks_ % kTicksPerSecond != 0) return;
  const auto slot = static_cast<std::size_t>(ticks_ / kTicksPerSecond) % damagedPerSecond_.size();
  damagedLastMinute_ -= damagedPerSecond_[slot];
  damagedPerSecond_[slot] = context_.damagedLines - damagedSeen_;
  damagedLastMinute_ += damagedPerSecond_[slot];
  damagedSeen_ = context_.damagedLines;
  if (ticks_ % kTicksPerMinute == 0 && damagedLastMinute_ > 0) {
    const auto count = std::to_string(damagedLastMinute_);
    context_.log.received(base::IsEnglish(context_.main())
                              ? "Damaged lines in the last minute: " + count
                              : "最近一分钟的损坏行：" + count);
  }
}

std::string LinkStatus::stateText(bool english) const {
  if (reconnect_.waiting()) {
    const auto& peer = reconnect_.peer();
    const auto seconds = std::to_string(reconnect_.secondsLeft());
    const auto attempt = std::to_string(reconnect_.attempt());
    return english ? "Reconnecting to " + peer + " in " + seconds + " s (attempt " + attempt + ")"
                   : seconds + " 秒后第 " + attempt + " 次重连 " + peer;
  }
  const auto& peer = context_.connection.peer;
  switch (context_.connection.phase) {
    case base::LinkPhase::Connecting:
      return english ? "Connecting to " + peer : "正在连接 " + peer;
    case base::LinkPhase::Connected:
      return english ? "Connected to " + peer : "已连接 " + peer;
    case base::LinkPhase::LoggedIn:
      return english ? "Logged in through the relay " + peer : "已通过中继服务器登录 " + peer;
    case base::LinkPhase::Lost:
      return english ? "Link to " + peer + " lost" : "与 " + peer + " 的连接已断开";
    case base::LinkPhase::Idle:
      break;
  }
  return english ? "Idle" : "空闲";
}

std::string LinkStatus::receiveText(bool english) const {
  std::string text;
  const auto phase = context_.connection.phase;
  if (phase == base::LinkPhase::Connected || phase == base::LinkPhase::LoggedIn) {
    if (ticksSinceLine_ < 0) {
      text = english ? "No line received yet" : "尚未收到数据";
    } else {
      const auto seconds = std::to_string(ticksSinceLine_ / kTicksPerSecond);
      text = english ? "Last line " + seconds + " s ago" : "上次接收 " + seconds + " 秒前";
    }
  }
  if (damagedLastMinute_ > 0) {
    if (!text.empty()) text += english ? ", " : "，";
    const auto count = std::to_string(damagedLastMinute_);
    text += english ? "damaged lines: " + count + "/min" : "损坏行：" + count + "/分钟";
  }
  return text;
}

void LinkStatus::show(const char* label, std::size_t slot, const std::string& text) {
  if (shown_[slot] == text) return;
  shown_[slot] = text;
  context_.main().setText(label, text);
}

}  // namespace bms::link
