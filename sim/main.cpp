#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sim/event_loop.h"
#include "sim/options.h"
#include "sim/recording_maker.h"
#include "sim/replay.h"

namespace {

int stopWriteFd = -1;

int MakeRecording(const bms::sim::Options& options, const std::string& path) {
  using namespace std::chrono;
  bms::sim::MadeRecording made;
  made.bmcNumber = options.bmcNumber;
  made.bics = options.bics;
  made.seed = options.seed;
  made.hours = options.hours.value_or(made.hours);
  made.faults = options.faults;
  made.warnings = options.warnings;
  const auto now = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  made.startMs = now - made.hours * 3'600'000LL;
  const auto error = bms::sim::MakeRecording(path, made);
  if (!error.empty()) {
    std::fprintf(stderr, "bmc-sim: --make-recording: %s\n", error.c_str());
    return 1;
  }
  std::printf("recording %s\n", path.c_str());
  return 0;
}

void OnStopSignal(int) {
  const char byte = 0;
  [[maybe_unused]] const auto ignored = ::write(stopWriteFd, &byte, 1);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  const bms::sim::ParseResult parsed = bms::sim::ParseOptions(args);
  if (parsed.help) {
    std::fputs(bms::sim::HelpText().c_str(), stdout);
    return 0;
  }
  if (!parsed.options) {
    std::fprintf(stderr, "bmc-sim: %s\nTry 'bmc-sim --help'.\n", parsed.error.c_str());
    return 2;
  }

  if (const auto& path = parsed.options->makeRecordingPath) {
    return MakeRecording(*parsed.options, *path);
  }

  // The signal handler only wakes the event loop through this pipe.
  int stopPipe[2];
  if (::pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    std::perror("bmc-sim: pipe");
    return 1;
  }
  stopWriteFd = stopPipe[1];
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);

  std::unique_ptr<bms::sim::Recording> replay;
  if (parsed.options->replayPath) {
    replay = std::make_unique<bms::sim::Recording>();
    std::string error;
    if (!replay->Open(*parsed.options->replayPath, error)) {
      std::fprintf(stderr, "bmc-sim: --replay: %s\n", error.c_str());
      return 2;
    }
  }

  bms::sim::EventLoop loop(*parsed.options, std::move(replay));
  std::string error;
  if (!loop.Open(error)) {
    std::fprintf(stderr, "bmc-sim: %s\n", error.c_str());
    return 1;
  }
  for (const std::string& endpoint : loop.Endpoints()) std::printf("%s\n", endpoint.c_str());
  std::printf("ready\n");
  std::fflush(stdout);

  loop.Run(stopPipe[0]);
  if (parsed.options->countBytes) {
    std::printf("bytes received %llu sent %llu\n",
                static_cast<unsigned long long>(loop.bytesReceived()),
                static_cast<unsigned long long>(loop.bytesSent()));
  }
  return 0;
}
