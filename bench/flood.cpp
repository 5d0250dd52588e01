// bms-flood: the GUI (offscreen) against bmc-sim flooding run-data lines over loopback.
// For each line rate it reports how many lines per second the tool took in, the longest
// stall of its event loop, and the resident memory (peak and at the end of the run).
// Usage: bms-flood [seconds [rate [open]]]; with a rate, only that case runs (for a profiler).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "app/app.h"
#include "qt/qt_application.h"
#include "qt/qt_platform.h"
#include "sim/sim_process.h"

namespace {

// A "VmHWM:" (peak) or "VmRSS:" (now) figure of this process, in KiB.
long ResidentKiB(std::string_view field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with(field)) return std::stol(line.substr(field.size()));
  }
  return -1;
}

void Run(int rate, int seconds, bool debugWindow) {
  bms::sim::SimProcess sim({"--direct", "0", "--flood", std::to_string(rate)});
  std::string port;
  for (const auto& line : sim.Endpoints()) {
    if (line.starts_with("direct ")) port = line.substr(line.find(':') + 1);
  }
  const auto dir = std::filesystem::temp_directory_path() / ("bms-flood-" + std::to_string(rate));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "bms_user.txt") << "127.0.0.1," << port << ",1,100000000,0,0,1,1,";

  bms::qt::QtPlatform platform(dir);
  // The update query stays on the loopback, on a port where nothing answers.
  bms::app::App app(platform, {"127.0.0.1", 9});
  app.start();
  auto& main = *platform.findWindow(bms::base::Window::Main);
  if (debugWindow) main.userClick("Debug按钮");
  main.userClick("通信按钮");

  // A 10 ms heartbeat: the longest gap between two beats is the longest stall.
  QElapsedTimer clock;
  clock.start();
  qint64 last = 0;
  qint64 longestStall = 0;
  QTimer heartbeat;
  QObject::connect(&heartbeat, &QTimer::timeout, [&] {
    const qint64 now = clock.elapsed();
    longestStall = std::max(longestStall, now - last - 10);
    last = now;
  });
  heartbeat.start(10);
  // The tool runs in exec(), where Qt treats timers differently from a bare
  // processEvents() loop, so the run does too. The end comes from another thread as a
  // posted event, because a starved timer could not be trusted to end it.
  QEventLoop loop;
  std::thread stopper([&loop, seconds] {
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  stopper.join();
  heartbeat.stop();
  // A loop starved until the end has a stall that no beat closed.
  longestStall = std::max(longestStall, clock.elapsed() - last - 10);

  const double received = std::stod(main.text("接收计数标签"));
  std::printf(
      "%8d lines/s offered  %9.0f lines/s taken  %5lld ms longest stall  %6ld KiB peak  %6ld KiB "
      "now%s\n",
      rate, received / seconds, static_cast<long long>(longestStall), ResidentKiB("VmHWM:"),
      ResidentKiB("VmRSS:"), debugWindow ? "  (debug window open)" : "");
  std::fflush(stdout);
  main.userClick("通信按钮");
  sim.Stop(SIGTERM);
  std::filesystem::remove_all(dir);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  bms::qt::EnsureApplication();
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  if (argc > 2) {
    Run(std::max(1, std::atoi(argv[2])), seconds, argc > 3 && std::string_view(argv[3]) == "open");
    return 0;
  }
  for (int rate : {1000, 20000, 50000, 100000, 200000}) Run(rate, seconds, false);
  for (int rate : {1000, 20000, 50000, 100000}) Run(rate, seconds, true);
  return 0;
}
