#pragma once

// Starts the real bmc-sim for a test and reads what it prints; every wait is bounded.

#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "sim/unique_fd.h"
#include "wire/frame_line.h"
#include "wire/line_cutter.h"

namespace bms::sim {

using namespace std::chrono_literals;
constexpr auto kWait = 5s;  // bound of every wait; only a broken simulator gets near it

using Clock = std::chrono::steady_clock;

inline int MsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return static_cast<int>(std::max<long long>(0, left.count()));
}

// A client socket connected to a loopback port.
inline UniqueFd Connect(int port) {
  UniqueFd socket(::socket(AF_INET, SOCK_STREAM, 0));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const auto* to = reinterpret_cast<const sockaddr*>(&address);
  if (::connect(socket.get(), to, sizeof address) != 0) socket.reset();
  return socket;
}

// Writes all of `bytes` to a socket or a terminal, or reports that it could not.
inline bool Send(int fd, const std::string& bytes) {
  auto sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
  if (sent < 0 && errno == ENOTSOCK) sent = ::write(fd, bytes.data(), bytes.size());
  return sent == static_cast<ssize_t>(bytes.size());
}

// Reads whole lines from a descriptor, each wait bounded.
class LineReader {
 public:
  LineReader(int fd, wire::LineCutter::Mode mode) : fd_(fd), cutter_(mode) {}

  std::optional<std::string> Next() {
    const auto deadline = Clock::now() + kWait;
    while (lines_.empty()) {
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, MsLeft(deadline)) <= 0) return std::nullopt;
      char buffer[4096];
      const auto n = ::read(fd_, buffer, sizeof buffer);
      if (n <= 0) return std::nullopt;
      for (auto& line : cutter_.feed(std::string_view(buffer, static_cast<std::size_t>(n)))) {
        lines_.push_back(std::move(line));
      }
    }
    std::string line = std::move(lines_.front());
    lines_.erase(lines_.begin());
    return line;
  }

  // The next line whose F4 is `id`, skipping run data and anything else.
  std::optional<std::string> NextWithId(std::string_view id) {
    for (int i = 0; i < 200; ++i) {
      auto line = Next();
      if (!line || wire::ReceivedFields(*line)[4] == id) return line;
    }
    return std::nullopt;
  }

 private:
  int fd_;
  wire::LineCutter cutter_;
  std::vector<std::string> lines_;
};

class SimProcess {
 public:
  explicit SimProcess(std::vector<std::string> args) {
    int out[2];
    if (::pipe(out) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      // A test or bench that is killed takes its simulator with it.
      ::prctl(PR_SET_PDEATHSIG, SIGKILL);
      ::dup2(out[1], STDOUT_FILENO);
      ::close(out[0]);
      ::close(out[1]);
      std::vector<char*> argv;
      std::string program = BMC_SIM_PATH;
      argv.push_back(program.data());
      for (auto& arg : args) argv.push_back(arg.data());
      argv.push_back(nullptr);
      ::execv(program.c_str(), argv.data());
      ::_exit(127);
    }
    ::close(out[1]);
    stdout_ = UniqueFd(out[0]);
    printed_.emplace(stdout_.get(), wire::LineCutter::Mode::Serial);
  }

  ~SimProcess() {
    if (pid_ > 0 && !exitCode_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }

  // The endpoint lines it prints at start, up to "ready".
  std::vector<std::string> Endpoints() {
    std::vector<std::string> lines;
    while (auto line = PrintedLine()) {
      if (*line == "ready") break;
      lines.push_back(*line);
    }
    return lines;
  }

  // The next line it printed, without its line end; none at its end or after kWait.
  std::optional<std::string> PrintedLine() {
    auto line = printed_ ? printed_->Next() : std::nullopt;
    if (line) line->resize(line->size() - 2);
    return line;
  }

  int Port(const std::string& endpoint) {
    for (const auto& line : Endpoints()) {
      if (line.starts_with(endpoint + " 127.0.0.1:"))
        return std::atoi(line.c_str() + line.find(':') + 1);
    }
    return -1;
  }

  // The exit code after `signal` (none: just wait), or nothing if it does not end in time.
  std::optional<int> Stop(int signal) {
    if (signal != 0) ::kill(pid_, signal);
    const auto deadline = Clock::now() + kWait;
    while (Clock::now() < deadline) {
      int status = 0;
      if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return exitCode_;
      }
      std::this_thread::sleep_for(10ms);
    }
    return std::nullopt;
  }

 private:
  pid_t pid_ = -1;
  UniqueFd stdout_;
  std::optional<LineReader> printed_;
  std::optional<int> exitCode_;
};

}  // namespace bms::sim
