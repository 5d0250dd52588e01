#include "sim/event_loop.h"

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <csignal>
#include <cstdio>

#include "sim/net.h"

namespace bms::sim {

namespace {

// A client that does not read while the BMC floods it loses lines rather than
// growing the simulator's memory without limit.
constexpr std::size_t kMaxPendingBytes = 1 << 20;
// Bound on run-data lines per pass, so that a flood does not starve the reads.
constexpr int kMaxRunDataLinesPerPass = 5000;
// The same for a fast replay, per client.
constexpr int kMaxReplayLinesPerPass = 5000;
// How often a terminal nobody has opened is looked at again (its hang-up state cannot
// be waited for with poll()).
constexpr int kTerminalProbeMs = 100;
constexpr auto kMaxRunDataLag = std::chrono::seconds(1);
constexpr auto kRetireDelay = std::chrono::milliseconds(500);

FaultConfig FaultsOf(const Options& options) {
  return FaultConfig{options.garbageEvery, options.cutEvery, options.dropAfter, options.lowercase};
}

BmcConfig BmcOf(const Options& options) {
  const SavePolicy saves = options.refuseSaves ? SavePolicy::Refused
                           : options.locked    ? SavePolicy::Locked
                                               : SavePolicy::Open;
  // A set is five lines; flooding sends lines, not sets, at its rate.
  const double secondsPerSet = options.flood ? 5.0 / *options.flood : 1.0 / options.rate;
  return BmcConfig{options.bmcNumber, options.bics, options.seed, options.faults,
                   options.warnings,  saves,        secondsPerSet};
}

}  // namespace

EventLoop::Link::Link(Kind k, UniqueFd ownedFd, int rawFd, const Options& options,
                      std::uint64_t number)
    : kind(k),
      owned(std::move(ownedFd)),
      fd(rawFd),
      cutter(k == Kind::Serial ? wire::LineCutter::Mode::Serial : wire::LineCutter::Mode::Tcp),
      // The update server is another machine, not behind the BMC's line.
      pacer(k == Kind::Update ? std::nullopt : options.baud),
      faults(FaultsOf(options), options.seed, number),
      update(options.newer) {}

EventLoop::EventLoop(const Options& options, std::unique_ptr<Recording> replay)
    : options_(options), bmc_(BmcOf(options)), replay_(std::move(replay)) {
  const double linesPerSecond = options.flood ? *options.flood : options.rate;
  runDataInterval_ = std::chrono::duration_cast<Clock::duration>(
      std::chrono::duration<double>(1.0 / linesPerSecond));
  if (options.relayPort) {
    relay_.emplace(options.password.value_or(""), options.bmcNumber, options.refuseLogin);
  }
}

EventLoop::~EventLoop() = default;

bool EventLoop::Open(std::string& error) {
  // A client that goes away while we write must not end the program.
  std::signal(SIGPIPE, SIG_IGN);
  const auto listen = [&](const std::optional<int>& port, UniqueFd& into, const char* what) {
    if (!port) return true;
    into = ListenLoopback(*port, error);
    if (!into.valid()) error = std::string(what) + ": " + error;
    return into.valid();
  };
  if (!listen(options_.directPort, directListen_, "--direct") ||
      !listen(options_.relayPort, relayListen_, "--relay") ||
      !listen(options_.updatePort, updateListen_, "--update")) {
    return false;
  }
  if (options_.serialPath) {
    terminal_ = std::make_unique<PseudoTerminal>();
    if (!terminal_->Open(*options_.serialPath, error)) {
      error = "--serial: " + error;
      return false;
    }
  }
  return true;
}

std::vector<std::string> EventLoop::Endpoints() const {
  std::vector<std::string> lines;
  const auto tcp = [&](const char* name, const UniqueFd& fd) {
    if (fd.valid())
      lines.push_back(std::string(name) + " 127.0.0.1:" + std::to_string(LocalPort(fd.get())));
  };
  tcp("direct", directListen_);
  tcp("relay", relayListen_);
  if (terminal_) lines.push_back("serial " + *options_.serialPath);
  tcp("update", updateListen_);
  return lines;
}

bool EventLoop::Listens(const Link& link) const {
  if (link.closing || link.closed) return false;
  switch (link.kind) {
    case Kind::Direct:
      return !link.replay;
    case Kind::Serial:
      return true;
    case Kind::Relay:
      return link.relay.loggedIn;
    case Kind::Update:
      return false;
  }
  return false;
}

void EventLoop::SendBmcLine(Link& link, const std::string& line) {
  if (options_.silent || link.closing || link.closed) return;
  if (link.out.size() > kMaxPendingBytes) return;
  link.out += link.faults.Apply(line);
  if (link.faults.exhausted()) link.closing = true;
}

void EventLoop::SendOwnLine(Link& link, const std::string& line) {
  if (options_.silent || link.closing || link.closed) return;
  link.out += line;
}

void EventLoop::CheckSerialPeer() {
  if (!terminal_) return;
  const bool open = terminal_->PeerOpen();
  if (open && !serialLink_) {
    serialLink_ = std::make_unique<Link>(Kind::Serial, UniqueFd(), terminal_->masterFd(), options_,
                                         connections_++);
  } else if (!open && serialLink_) {
    serialLink_.reset();
    terminal_->DiscardUnread();
  }
}

void EventLoop::ReplaceTerminal(Clock::time_point now) {
  // The new terminal takes over the link path before the old one goes, so the path
  // never dangles; the old one's reader sees its device go dead a moment later.
  auto fresh = std::make_unique<PseudoTerminal>();
  std::string error;
  serialLink_.reset();
  if (!fresh->Open(*options_.serialPath, error)) {
    std::fprintf(stderr, "bmc-sim: --serial: cannot replace the terminal: %s\n", error.c_str());
    return;
  }
  retiring_ = std::move(terminal_);
  retireAt_ = now + kRetireDelay;
  terminal_ = std::move(fresh);
}

void EventLoop::Accept(int listenFd, Kind kind) {
  for (;;) {
    UniqueFd fd = AcceptConnection(listenFd);
    if (!fd.valid()) return;
    const int raw = fd.get();
    auto& link = links_.emplace_back(
        std::make_unique<Link>(kind, std::move(fd), raw, options_, connections_++));
    if (kind == Kind::Direct && replay_) {
      link->replay.emplace(replay_->Stream(options_.speed.value_or(1), Clock::now()));
    }
  }
}

void EventLoop::HandleBytes(Link& link, const std::string& bytes, Clock::time_point now) {
  if (link.replay) return;  // a recording has nothing to answer with
  if (link.kind == Kind::Update) {
    if (const auto answer = link.update.Feed(bytes); answer && !options_.silent) {
      link.out += *answer;
      link.closing = true;
    }
    return;
  }
  for (const std::string& line : link.cutter.feed(bytes)) {
    if (link.kind == Kind::Relay) {
      RelayOutcome outcome = relay_->HandleLine(link.relay, line);
      for (const std::string& own : outcome.toClient) SendOwnLine(link, own);
      if (outcome.toBmc) Answer(link, AskBmc(*outcome.toBmc), now);
    } else {
      Answer(link, AskBmc(line), now);
    }
  }
}

std::vector<std::string> EventLoop::AskBmc(std::string_view line) {
  std::vector<std::string> answers = bmc_.HandleLine(line);
  // A factory write may have given the BMC another number, by whichever link it came.
  if (relay_) relay_->SetBmcNumber(bmc_.number());
  return answers;
}

void EventLoop::Answer(Link& link, std::vector<std::string> answers, Clock::time_point now) {
  if (options_.latencyMs == 0) {
    for (const std::string& answer : answers) SendBmcLine(link, answer);
    return;
  }
  const auto due = now + std::chrono::milliseconds(options_.latencyMs);
  for (std::string& answer : answers) link.held.emplace_back(due, std::move(answer));
}

void EventLoop::ReleaseHeldAnswers(Link& link, Clock::time_point now) {
  while (!link.held.empty() && link.held.front().first <= now) {
    SendBmcLine(link, link.held.front().second);
    link.held.pop_front();
  }
}

// A client that does not read holds the recording back instead of losing its lines.
void EventLoop::PlayDueLines(Link& link, Clock::time_point now) {
  for (int n = 0; n < kMaxReplayLinesPerPass && link.out.size() < kMaxPendingBytes; ++n) {
    const auto line = link.replay->NextDue(now);
    if (!line) return;
    SendBmcLine(link, *line);
  }
}

void EventLoop::Receive(Link& link) {
  std::string bytes;
  const IoResult result = ReadAvailable(link.fd, bytes);
  bytesReceived_ += bytes.size();
  if (!bytes.empty()) HandleBytes(link, bytes, Clock::now());
  if (result != IoResult::Closed) return;
  if (link.kind == Kind::Update && !options_.silent) {
    // The client may only have shut down its sending side and still wait for the answer.
    if (const auto answer = link.update.PeerDone()) {
      link.out += *answer;
      link.closing = true;
      return;
    }
    if (link.closing) return;
  }
  link.closed = true;
}

void EventLoop::Flush(Link& link, Clock::time_point now) {
  if (link.closed) return;
  ReleaseHeldAnswers(link, now);
  if (link.replay) PlayDueLines(link, now);
  const std::size_t due = link.pacer.Due(link.out.size(), now);
  link.writeBlocked = false;
  if (due > 0) {
    const std::size_t queued = link.out.size();
    const IoResult result = WriteSome(link.fd, link.out, due);
    const std::size_t written = queued - link.out.size();
    bytesSent_ += written;
    link.pacer.Wrote(written, due, link.out.size());
    if (result == IoResult::Closed) {
      link.closed = true;
      return;
    }
    link.writeBlocked = result == IoResult::WouldBlock;
  }
  if (link.closing && link.out.empty()) {
    if (link.kind == Kind::Serial) return;  // replaced by Reap()
    // Unread input would turn the close into a reset, which can destroy the last lines
    // before the client has read them.
    std::string unread;
    ReadAvailable(link.fd, unread);
    ::shutdown(link.fd, SHUT_WR);
    link.closed = true;
  }
}

void EventLoop::EmitDueRunData(Clock::time_point now) {
  const bool anyone =
      (serialLink_ && Listens(*serialLink_)) ||
      std::any_of(links_.begin(), links_.end(), [&](const auto& link) { return Listens(*link); });
  // The pack stands still while nobody listens, so every client's first set is the
  // same for a given seed.
  if (!anyone) {
    nextRunData_.reset();
    return;
  }
  if (!nextRunData_) nextRunData_ = now;
  const int linesPerTick = options_.flood ? 1 : 5;
  for (int sent = 0; now >= *nextRunData_ && sent < kMaxRunDataLinesPerPass; sent += linesPerTick) {
    for (int i = 0; i < linesPerTick; ++i) {
      const std::string line = bmc_.NextRunDataLine();
      if (serialLink_ && Listens(*serialLink_)) SendBmcLine(*serialLink_, line);
      for (auto& link : links_) {
        if (Listens(*link)) SendBmcLine(*link, line);
      }
    }
    *nextRunData_ += runDataInterval_;
  }
  // Far behind (a stalled machine, or more lines asked for than can be made): drop the
  // backlog instead of bursting it out later.
  if (now - *nextRunData_ > kMaxRunDataLag) nextRunData_ = now + runDataInterval_;
}

void EventLoop::Reap(Clock::time_point now) {
  if (retiring_ && now >= retireAt_) retiring_.reset();
  if (serialLink_ && serialLink_->closing && serialLink_->out.empty()) ReplaceTerminal(now);
  if (serialLink_ && serialLink_->closed) {
    serialLink_.reset();
    if (terminal_) terminal_->DiscardUnread();
  }
  std::erase_if(links_, [](const auto& link) { return link->closed; });
}

int EventLoop::PollTimeoutMs(Clock::time_point now) const {
  int timeout = -1;  // nothing to wait for but input
  const auto atMost = [&timeout](long long ms) {
    const int bounded = static_cast<int>(std::clamp<long long>(ms, 0, 60000));
    timeout = timeout < 0 ? bounded : std::min(timeout, bounded);
  };
  const auto until = [&](Clock::time_point when) {
    atMost(std::chrono::ceil<std::chrono::milliseconds>(when - now).count());
  };
  if (nextRunData_) until(*nextRunData_);
  const auto linkWakes = [&](const Link& link) {
    if (!link.held.empty()) until(link.held.front().first);
    // A full queue waits for the reader instead.
    if (link.replay && link.out.size() < kMaxPendingBytes) {
      if (const auto next = link.replay->NextTime()) until(*next);
    }
    // A blocked link waits for POLLOUT instead.
    if (const auto due = link.pacer.NextDue(); due && !link.writeBlocked) until(*due);
  };
  if (serialLink_) linkWakes(*serialLink_);
  for (const auto& link : links_) linkWakes(*link);
  if (terminal_ && !serialLink_) atMost(kTerminalProbeMs);
  if (retiring_) until(retireAt_);
  return timeout;
}

void EventLoop::Run(int stopFd) {
  std::vector<pollfd> fds;
  std::vector<Link*> polled;
  for (;;) {
    CheckSerialPeer();
    const Clock::time_point now = Clock::now();
    EmitDueRunData(now);
    if (serialLink_) Flush(*serialLink_, now);
    for (auto& link : links_) Flush(*link, now);
    Reap(Clock::now());

    fds.clear();
    polled.clear();
    fds.push_back({stopFd, POLLIN, 0});
    for (const UniqueFd* listener : {&directListen_, &relayListen_, &updateListen_}) {
      fds.push_back({listener->get(), POLLIN, 0});  // -1 is skipped by poll()
    }
    const auto watch = [&](Link& link) {
      fds.push_back({link.fd, static_cast<short>(POLLIN | (link.writeBlocked ? POLLOUT : 0)), 0});
      polled.push_back(&link);
    };
    if (serialLink_) watch(*serialLink_);
    for (auto& link : links_) watch(*link);

    if (::poll(fds.data(), fds.size(), PollTimeoutMs(Clock::now())) < 0) continue;  // EINTR
    if (fds[0].revents != 0) return;
    if (fds[1].revents & POLLIN) Accept(directListen_.get(), Kind::Direct);
    if (fds[2].revents & POLLIN) Accept(relayListen_.get(), Kind::Relay);
    if (fds[3].revents & POLLIN) Accept(updateListen_.get(), Kind::Update);
    for (std::size_t i = 0; i < polled.size(); ++i) {
      Link& link = *polled[i];
      const short events = fds[4 + i].revents;
      if (link.kind == Kind::Serial && (events & POLLHUP)) {
        link.closed = true;  // the program that had the terminal open closed it
        continue;
      }
      if (events & (POLLIN | POLLHUP | POLLERR)) Receive(link);
    }
  }
}

}  // namespace bms::sim
