// bms-instructions: CPU instructions one received frame line costs through the whole
// receive path (cutting, splitting, routing, its decoder writing into the in-memory form,
// and the debug log), with the debug window closed and open. Times on a shared machine
// wander; callgrind's instruction counts repeat, so the program runs itself under it.
//
// Usage: bms-instructions [--keep DIR]   (--keep leaves the callgrind files in DIR for
// callgrind_annotate; otherwise they go to a temporary folder that is removed)
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define BMS_HAVE_CALLGRIND 1
#endif

#include <alloca.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "sim/bmc.h"
#include "testing/driver.h"

namespace {

namespace fs = std::filesystem;

// The first lines fill caches, allocate buffers and fill the debug panes to their
// capacity; only what follows is the steady cost.
constexpr int kWarmUpLines = 1000;
constexpr int kCountedLines = 5000;
constexpr std::uint64_t kClosedTarget = 5000;
constexpr std::uint64_t kOpenTarget = 10000;
// Under callgrind the whole run takes seconds; anything near this is a hang.
constexpr auto kChildTimeLimit = std::chrono::minutes(10);

struct Case {
  std::string_view name;
  int linesPerCall;
  std::vector<std::string> (*calls)(int count);  // `count` receive calls, in order
};

std::vector<std::string> SingleLineCalls(int count) {
  return std::vector<std::string>(static_cast<std::size_t>(count),
                                  "T,05F5E100,7,09A10101,03FFFFFF,FFFFFFFF,\r\n");
}

// Two run-data sets (09A10001 to 09A10005) per call, from the stand-in controller's
// pack, which moves one step per set as a real one would between sends.
std::vector<std::string> RunDataCalls(int count) {
  bms::sim::Bmc bmc(bms::sim::BmcConfig{});
  std::vector<std::string> calls(static_cast<std::size_t>(count));
  for (auto& call : calls) {
    for (int line = 0; line < 10; ++line) call += bmc.NextRunDataLine();
  }
  return calls;
}

const Case kCases[] = {
    {"single", 1, SingleLineCalls},
    {"run-data", 10, RunDataCalls},
};

std::string Label(const Case& c, bool debugWindowOpen) {
  return std::string(c.name) + (debugWindowOpen ? " open" : " closed");
}

#ifdef BMS_HAVE_CALLGRIND

// Under callgrind: each case on a fresh connected application, counted after its warm-up
// and dumped under its label. Only the counted lines run instrumented, so that the call
// counts in a kept file belong to them alone, as the costs do.
void CountUnderCallgrind() {
  for (const Case& c : kCases) {
    for (const bool open : {false, true}) {
      bms::testing::Driver driver;
      driver.writeFile("bms_user.txt", "127.0.0.1,8000,572906,100000000,0,0,1,1,");
      driver.start();
      driver.click("通信按钮");
      if (open) driver.click("Debug按钮");
      const int warmUpCalls = kWarmUpLines / c.linesPerCall;
      const auto calls = c.calls(warmUpCalls + kCountedLines / c.linesPerCall);
      for (int i = 0; i < warmUpCalls; ++i) driver.receive(calls[static_cast<std::size_t>(i)]);
      CALLGRIND_START_INSTRUMENTATION;
      CALLGRIND_TOGGLE_COLLECT;
      for (std::size_t i = static_cast<std::size_t>(warmUpCalls); i < calls.size(); ++i)
        driver.receive(calls[i]);
      CALLGRIND_TOGGLE_COLLECT;
      CALLGRIND_DUMP_STATS_AT(Label(c, open).c_str());
      CALLGRIND_STOP_INSTRUMENTATION;
    }
  }
}

#endif

// Runs this program again under callgrind, its files going to `dir` named after the
// process id, which it returns; nothing (said why) when valgrind cannot be started or the
// run fails.
std::optional<pid_t> RunUnderCallgrind(const fs::path& dir) {
  const std::string self = fs::read_symlink("/proc/self/exe").string();
  const std::string out = "--callgrind-out-file=" + (dir / "callgrind.out.%p").string();
  std::vector<std::string> args = {
      "valgrind", "--tool=callgrind", "--instr-atstart=no", "--collect-atstart=no", "-q", out,
      self};
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  pid_t pid = 0;
  if (const int error = posix_spawnp(&pid, "valgrind", nullptr, nullptr, argv.data(), environ);
      error != 0) {
    std::fprintf(stderr, "bms-instructions: valgrind is missing or cannot start (%s): install it\n",
                 std::strerror(error));
    return std::nullopt;
  }
  const auto deadline = std::chrono::steady_clock::now() + kChildTimeLimit;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      std::fprintf(stderr, "bms-instructions: the run under callgrind did not finish in time\n");
      return std::nullopt;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "bms-instructions: the run under callgrind failed\n");
    return std::nullopt;
  }
  return pid;
}

// Instruction totals of the dumps process `pid` left in `dir`, by the label each was
// dumped under.
std::map<std::string, std::uint64_t> ReadDumps(const fs::path& dir, pid_t pid) {
  constexpr std::string_view kTrigger = "desc: Trigger: Client Request: ";
  const std::string prefix = "callgrind.out." + std::to_string(pid) + ".";
  std::map<std::string, std::uint64_t> totals;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (!entry.path().filename().string().starts_with(prefix)) continue;
    std::ifstream file(entry.path());
    std::string line, label;
    std::optional<std::uint64_t> total;
    while (std::getline(file, line)) {
      if (line.starts_with(kTrigger)) label = line.substr(kTrigger.size());
      for (const std::string_view key : {"totals: ", "summary: "}) {
        if (line.starts_with(key)) total = std::stoull(line.substr(key.size()));
      }
    }
    if (!label.empty() && total) totals[label] = *total;
  }
  return totals;
}

std::uint64_t PerLine(std::uint64_t total) {
  return (total + kCountedLines / 2) / static_cast<std::uint64_t>(kCountedLines);
}

int Report(const std::map<std::string, std::uint64_t>& totals) {
  std::printf("%-10s %-7s %7s %14s %9s %9s\n", "case", "window", "lines", "instructions",
              "per line", "target");
  std::uint64_t worst[2] = {};
  for (const Case& c : kCases) {
    for (const bool open : {false, true}) {
      const auto found = totals.find(Label(c, open));
      if (found == totals.end()) {
        std::fprintf(stderr, "bms-instructions: no callgrind dump for \"%s\"\n",
                     Label(c, open).c_str());
        return 1;
      }
      const std::uint64_t perLine = PerLine(found->second);
      worst[open] = std::max(worst[open], perLine);
      std::printf("%-10s %-7s %7d %14llu %9llu %6s%llu\n", std::string(c.name).c_str(),
                  open ? "open" : "closed", kCountedLines,
                  static_cast<unsigned long long>(found->second),
                  static_cast<unsigned long long>(perLine),
                  "<= ", static_cast<unsigned long long>(open ? kOpenTarget : kClosedTarget));
    }
  }
  std::printf("instructions per line: closed %llu, open %llu\n",
              static_cast<unsigned long long>(worst[0]), static_cast<unsigned long long>(worst[1]));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef BMS_HAVE_CALLGRIND
  if (RUNNING_ON_VALGRIND) {
    // Where the stack starts depends on the environment and on this program's path, and
    // the alignment of buffers on the stack moves the count by a few instructions a line:
    // counting from the same place in a page keeps the figures the same from any shell
    // and folder.
    const auto frame = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    volatile char* pad = static_cast<char*>(alloca(frame % 4096 + 16));
    *pad = 0;
    CountUnderCallgrind();
    return 0;
  }
#else
  std::fprintf(stderr, "bms-instructions: built without valgrind's headers: install valgrind\n");
  return 1;
#endif
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  const bool keep = args.size() == 2 && args[0] == "--keep";
  if (!args.empty() && !keep) {
    std::fprintf(stderr, "usage: bms-instructions [--keep DIR]\n");
    return 2;
  }
  fs::path dir;
  if (keep) {
    dir = args[1];
    fs::create_directories(dir);
  } else {
    std::string pattern = (fs::temp_directory_path() / "bms-instructions-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      std::perror("bms-instructions: temporary folder");
      return 1;
    }
    dir = pattern;
  }
  const auto pid = RunUnderCallgrind(dir);
  const int result = pid ? Report(ReadDumps(dir, *pid)) : 1;
  if (!keep) fs::remove_all(dir);
  return result;
}
