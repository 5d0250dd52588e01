#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/bmc.h"
#include "sim/faults.h"
#include "sim/options.h"
#include "sim/pacer.h"
#include "sim/pty.h"
#include "sim/relay.h"
#include "sim/replay.h"
#include "sim/unique_fd.h"
#include "sim/update_server.h"
#include "wire/line_cutter.h"

namespace bms::sim {

// Owns every endpoint and connection and runs them on one thread with poll(): reads
// lines, hands them to the relay or the BMC, sends the answers and, on its timer, the
// run data to every client that listens. With a recording, direct clients get its
// received lines instead of the BMC.
class EventLoop {
 public:
  explicit EventLoop(const Options& options, std::unique_ptr<Recording> replay = nullptr);
  ~EventLoop();
  EventLoop(const EventLoop&) = delete;
  EventLoop& operator=(const EventLoop&) = delete;

  // Opens every endpoint the options ask for. False with a message when one cannot be.
  bool Open(std::string& error);
  // One line per endpoint: "direct 127.0.0.1:PORT", "relay ...", "serial PATH", "update ...".
  std::vector<std::string> Endpoints() const;
  // Runs until `stopFd` becomes readable.
  void Run(int stopFd);

  // Every byte read from and written to the clients of every endpoint so far.
  std::uint64_t bytesReceived() const { return bytesReceived_; }
  std::uint64_t bytesSent() const { return bytesSent_; }

 private:
  using Clock = std::chrono::steady_clock;
  enum class Kind { Direct, Relay, Update, Serial };

  struct Link {
    Link(Kind k, UniqueFd ownedFd, int rawFd, const Options& options, std::uint64_t number);
    Kind kind;
    UniqueFd owned;  // empty for the terminal, which the PseudoTerminal owns
    int fd;
    wire::LineCutter cutter;
    std::string out;
    Pacer pacer;
    bool writeBlocked = false;  // the reader did not take what was due
    // The BMC's answers waiting for its processing time to pass, each with its time.
    std::deque<std::pair<Clock::time_point, std::string>> held;
    FaultInjector faults;
    RelaySession relay;
    UpdateSession update;
    std::optional<ReplayStream> replay;  // a direct client while a recording plays
    bool closing = false;                // close once `out` has gone
    bool closed = false;
  };

  void CheckSerialPeer();
  void Accept(int listenFd, Kind kind);
  void Receive(Link& link);
  void HandleBytes(Link& link, const std::string& bytes, Clock::time_point now);
  std::vector<std::string> AskBmc(std::string_view line);
  void Answer(Link& link, std::vector<std::string> answers, Clock::time_point now);
  void ReleaseHeldAnswers(Link& link, Clock::time_point now);
  void PlayDueLines(Link& link, Clock::time_point now);
  void Flush(Link& link, Clock::time_point now);
  void EmitDueRunData(Clock::time_point now);
  bool Listens(const Link& link) const;
  void SendBmcLine(Link& link, const std::string& line);
  void SendOwnLine(Link& link, const std::string& line);
  void ReplaceTerminal(Clock::time_point now);
  void Reap(Clock::time_point now);
  int PollTimeoutMs(Clock::time_point now) const;

  Options options_;
  Bmc bmc_;
  std::optional<Relay> relay_;
  // Declared before the links: their streams read from it.
  std::unique_ptr<Recording> replay_;
  UniqueFd directListen_;
  UniqueFd relayListen_;
  UniqueFd updateListen_;
  std::unique_ptr<PseudoTerminal> terminal_;
  // A replaced terminal stays open a moment, so that its reader gets the last lines.
  std::unique_ptr<PseudoTerminal> retiring_;
  Clock::time_point retireAt_;
  std::unique_ptr<Link> serialLink_;
  std::vector<std::unique_ptr<Link>> links_;
  std::uint64_t connections_ = 0;
  std::optional<Clock::time_point> nextRunData_;
  Clock::duration runDataInterval_;
  std::uint64_t bytesReceived_ = 0;
  std::uint64_t bytesSent_ = 0;
};

}  // namespace bms::sim
