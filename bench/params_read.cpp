// bms-params-read: reads every parameter with `bms-cli --serial PTY params` from
// `bmc-sim --serial PTY --baud 9600`, both as processes, and sets the wall time against the
// time the bytes need on such a line. The bytes are bmc-sim's own count (--count-bytes):
// all it read from bms-cli and all it sent, run data included, since those too hold the
// line. At 11 bits a byte a 9600-baud line carries about 870 bytes a second; the budget
// is twice that time. Exits 0 within it, 1 over it, 2 when the reading failed.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "sim/sim_process.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr double kWireBytesPerSecond = 9600.0 / 11;
constexpr double kBudgetRatio = 2;
// Bound of the whole reading; every request of bms-cli is itself bounded.
constexpr auto kReadingLimit = 600s;

struct CliRun {
  std::optional<int> exitCode;  // none: it did not end within kReadingLimit
  std::string out;
  std::string err;
  double seconds = 0;
};

// Runs bms-cli with `args` to its end, collecting what it prints.
CliRun RunCli(std::vector<std::string> args) {
  CliRun run;
  int out[2];
  int err[2];
  if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return run;
  const auto start = Clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    ::dup2(out[1], STDOUT_FILENO);
    ::dup2(err[1], STDERR_FILENO);
    std::vector<char*> argv;
    std::string program = BMS_CLI_PATH;
    argv.push_back(program.data());
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err[1]);
  const bms::sim::UniqueFd outFd(out[0]);
  const bms::sim::UniqueFd errFd(err[0]);
  const auto deadline = start + kReadingLimit;
  pollfd fds[2] = {{outFd.get(), POLLIN, 0}, {errFd.get(), POLLIN, 0}};
  std::string* into[2] = {&run.out, &run.err};
  int open = 2;
  while (open > 0 && Clock::now() < deadline) {
    if (::poll(fds, 2, bms::sim::MsLeft(deadline)) <= 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].revents == 0) continue;
      char buffer[4096];
      const auto n = ::read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        into[i]->append(buffer, static_cast<std::size_t>(n));
      } else {
        fds[i].fd = -1;  // its end: poll() skips it from now on
        --open;
      }
    }
  }
  if (open > 0) ::kill(pid, SIGKILL);
  int status = 0;
  ::waitpid(pid, &status, 0);
  run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (open == 0 && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
  return run;
}

// "bytes received N sent M", as bmc-sim prints it on exit: N + M, or none.
std::optional<long long> LineBytes(const std::string& report) {
  long long received = 0;
  long long sent = 0;
  if (std::sscanf(report.c_str(), "bytes received %lld sent %lld", &received, &sent) != 2) {
    return std::nullopt;
  }
  return received + sent;
}

}  // namespace

int main() {
  const std::string path = "/tmp/bms-params-read-" + std::to_string(::getpid());
  bms::sim::SimProcess sim({"--serial", path, "--baud", "9600", "--count-bytes"});
  const auto endpoints = sim.Endpoints();
  if (std::ranges::find(endpoints, "serial " + path) == endpoints.end()) {
    std::printf("bmc-sim did not open the terminal at %s\n", path.c_str());
    return 2;
  }

  const CliRun cli = RunCli({"--serial", path, "params"});
  const auto simExit = sim.Stop(SIGTERM);
  const auto report = sim.PrintedLine();
  const long long rows = std::ranges::count(cli.out, '\n');

  std::printf(
      "bms-params-read: bms-cli --serial PTY params against bmc-sim --serial PTY --baud 9600\n\n");
  if (!cli.exitCode || *cli.exitCode != 0) {
    const std::string ending =
        cli.exitCode ? "exited " + std::to_string(*cli.exitCode) : "did not end in time";
    const std::size_t tail = std::min<std::size_t>(cli.err.size(), 2000);
    std::printf("bms-cli %s after %.1f s; the end of what it said:\n%s\n", ending.c_str(),
                cli.seconds, cli.err.substr(cli.err.size() - tail).c_str());
    return 2;
  }
  // 0 stands for no count: a run always moves bytes.
  const long long lineBytes = report ? LineBytes(*report).value_or(0) : 0;
  if (simExit != 0 || lineBytes == 0 || rows == 0) {
    std::printf("no figure: bmc-sim %s, its count '%s', %lld rows read\n",
                simExit == 0 ? "ended cleanly" : "did not end cleanly",
                report.value_or("(none)").c_str(), rows);
    return 2;
  }
  const double wireSeconds = static_cast<double>(lineBytes) / kWireBytesPerSecond;
  const double ratio = cli.seconds / wireSeconds;
  std::printf("rows read        %lld\n", rows);
  std::printf("wall time        %.2f s      (bms-cli started to ended)\n", cli.seconds);
  std::printf("bytes on line    %lld        (%s, both directions)\n", lineBytes, report->c_str());
  std::printf("wire time        %.2f s      (bytes at %.1f bytes/s)\n", wireSeconds,
              kWireBytesPerSecond);
  std::printf("ratio            %.2f        budget <= %.0f    %s\n", ratio, kBudgetRatio,
              ratio <= kBudgetRatio ? "ok" : "OVER BUDGET");
  return ratio <= kBudgetRatio ? 0 : 1;
}
