#include "link/reconnect.h"

#include <algorithm>
#include <string>

#include "base/language.h"

namespace bms::link {

namespace {

constexpr const char* kBox = "自动重连选择框";
constexpr int kLongestPauseSeconds = 30;

// The pause before try n: 1, 2, 4, ... seconds, never more than the longest.
int PauseSeconds(int attempt) {
  int pause = 1;
  for (int n = 1; n < attempt && pause < kLongestPauseSeconds; ++n) pause *= 2;
  return std::min(pause, kLongestPauseSeconds);
}

}  // namespace

Reconnect::Reconnect(base::Context& context, LinkControl& link)
    : context_(context), link_(link), timer_(context.platform.createTimer("自动重连定时器")) {
  // Ticks once a second, so that the status line can count down to the next try.
  timer_->onTick = [this] { onTick(); };
}

void Reconnect::bind() {
  context_.main().bind(kBox, forms::Event::Click, [this] { onBox(); });
}

void Reconnect::onBox() {
  if (!context_.main().checked(kBox)) {
    cancel();
  } else if (context_.connection.phase == base::LinkPhase::Lost) {
    onLinkLost();  // ticked after the loss: that link is still wanted back
  }
}

void Reconnect::onLinkLost() {
  if (!context_.main().checked(kBox)) return;
  peer_ = context_.connection.peer;
  attempt_ = 1;
  waitForNext();
}

void Reconnect::cancel() {
  attempt_ = 0;
  timer_->setInterval(0);
}

void Reconnect::waitForNext() {
  secondsLeft_ = PauseSeconds(attempt_);
  timer_->setInterval(1000);
}

void Reconnect::onTick() {
  if (--secondsLeft_ > 0) return;
  timer_->setInterval(0);
  tryAgain();
}

void Reconnect::tryAgain() {
  const auto number = std::to_string(attempt_);
  context_.log.received(base::IsEnglish(context_.main())
                            ? "Reconnect attempt " + number + " to " + peer_
                            : "第 " + number + " 次重连 " + peer_);
  // A try that fails is expected while the peer is away: its reason goes to the log and
  // the status line, without a beep and an error prompt every time.
  const bool error = context_.error;
  link_.openLink();
  if (context_.connection.connected) {
    attempt_ = 0;
    return;
  }
  context_.error = error;
  // No peer at all: the settings shown no longer name a link to open.
  if (context_.connection.peer.empty()) {
    cancel();
    return;
  }
  // Still lost, not idle: the link the user had is the one to get back.
  context_.connection.phase = base::LinkPhase::Lost;
  peer_ = context_.connection.peer;
  ++attempt_;
  waitForNext();
}

}  // namespace bms::link
