#pragma once

// Runs bms-cli as a process and collects what it prints; every wait is bounded.
// CliTest gives a test a fresh folder and the helpers its end-to-end runs
// share.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "sim/unique_fd.h"

namespace bms::cli {

struct CliRun {
  std::optional<int> exitCode;  // none: killed at the bound
  std::string out;
  std::string err;
};

inline CliRun RunCli(std::vector<std::string> args,
                     std::chrono::milliseconds bound = std::chrono::seconds(60)) {
  CliRun run;
  int out[2];
  int err[2];
  if (::pipe(out) != 0 || ::pipe(err) != 0) return run;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
  for (const int fd : {out[0], out[1], err[0], err[1]}) {
    posix_spawn_file_actions_addclose(&actions, fd);
  }
  std::string program = BMS_CLI_PATH;
  std::vector<char*> argv{program.data()};
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  ::close(err[1]);
  pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  if (spawned != 0) {
    for (const auto& fd : fds) ::close(fd.fd);
    return run;
  }
  const auto deadline = std::chrono::steady_clock::now() + bound;
  std::string* sinks[2] = {&run.out, &run.err};
  int open = 2;
  while (open > 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    if (left <= 0 || ::poll(fds, 2, static_cast<int>(left)) <= 0) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const auto n = ::read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(n));
      } else {
        ::close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  for (const auto& fd : fds) {
    if (fd.fd >= 0) ::close(fd.fd);
  }
  int status = 0;
  if (open > 0) ::kill(pid, SIGKILL);
  ::waitpid(pid, &status, 0);
  if (open == 0 && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
  return run;
}

// The lines of a text, each without its line end.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

inline std::string Read(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<std::string> Tcp(int port, const std::vector<std::string>& command = {}) {
  std::vector<std::string> args{"--tcp", "127.0.0.1:" + std::to_string(port)};
  args.insert(args.end(), command.begin(), command.end());
  return args;
}

// A loopback listener nobody serves: a connection to it shows that something
// was opened.
class Listener {
 public:
  Listener() : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    EXPECT_EQ(::bind(fd_.get(), reinterpret_cast<sockaddr*>(&address), size), 0);
    EXPECT_EQ(::listen(fd_.get(), 4), 0);
    EXPECT_EQ(::getsockname(fd_.get(), reinterpret_cast<sockaddr*>(&address), &size), 0);
    port_ = ntohs(address.sin_port);
  }
  int port() const { return port_; }
  bool connected() const {
    pollfd p{fd_.get(), POLLIN, 0};
    return ::poll(&p, 1, 0) != 0;
  }

 private:
  sim::UniqueFd fd_;
  int port_ = 0;
};

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "bms-cli-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  std::string file(const std::string& name) const { return (dir / name).string(); }

  std::filesystem::path dir;
};

}  // namespace bms::cli
