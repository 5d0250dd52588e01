// bms-idle: the real application, in this process on the offscreen platform, connected
// to bmc-sim at its normal run-data rate. It reports the time from the start of the
// process to the first paint of the main window, the resident memory after 10 s
// connected and the CPU time over the connected period, each beside its budget, then
// the CPU time with the debug window open (for information).
// Usage: bms-idle [connected-seconds] (default 30).
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QByteArray>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "app/app.h"
#include "process_figures.h"
#include "qt/qt_platform.h"
#include "sim/sim_process.h"

namespace {

using bms::bench::CpuSeconds;
using bms::bench::ResidentMB;
using bms::bench::RunFor;

constexpr double kWindowBudgetSeconds = 0.5;
constexpr double kMemoryBudgetMB = 120;
constexpr double kCpuBudgetPercent = 1;
constexpr int kMemorySampleSeconds = 10;

double BootClockSeconds() {
  timespec now{};
  ::clock_gettime(CLOCK_BOOTTIME, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Seconds since the kernel created this process (its fork, before exec and loading),
// to the clock tick (usually 10 ms): field 22 of /proc/self/stat counts from boot.
double ProcessAgeSeconds() {
  std::ifstream file("/proc/self/stat");
  std::string stat;
  std::getline(file, stat);
  // The command name may hold spaces and parentheses; the fields after it do not.
  std::istringstream fields(stat.substr(stat.rfind(')') + 2));
  std::string field;
  for (int i = 3; i <= 22 && fields >> field; ++i) {
  }
  const double started = std::stod(field) / static_cast<double>(::sysconf(_SC_CLK_TCK));
  return BootClockSeconds() - started;
}

// A loopback port free right now: the settings file must name it before bmc-sim runs,
// since bmc-sim starts only after the window is shown so as not to slow the start-up.
int FreeLoopbackPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  int port = -1;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    port = ntohs(address.sin_port);
  }
  ::close(fd);
  return port;
}

// Notes the process age at the first paint of the watched window.
class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !age) age = ProcessAgeSeconds();
    return false;
  }
  std::optional<double> age;
};

std::optional<double> WaitForFirstPaint(QWidget* window) {
  FirstPaint watcher;
  window->installEventFilter(&watcher);
  for (int i = 0; i < 500 && !watcher.age; ++i) RunFor(10);
  window->removeEventFilter(&watcher);
  return watcher.age;
}

// The program folder, holding the settings file; removed at the end, whatever happens.
struct ProgramDir {
  ProgramDir()
      : path(std::filesystem::temp_directory_path() / ("bms-idle-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(path);
  }
  ~ProgramDir() { std::filesystem::remove_all(path); }
  ProgramDir(const ProgramDir&) = delete;
  ProgramDir& operator=(const ProgramDir&) = delete;
  std::filesystem::path path;
};

const char* Verdict(double value, double budget) { return value < budget ? "ok" : "OVER BUDGET"; }

long ReceivedLines(bms::forms::Form& main) { return std::atol(main.text("接收计数标签").c_str()); }

}  // namespace

int main(int argc, char* argv[]) {
  const double atMain = ProcessAgeSeconds();
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

  const int port = FreeLoopbackPort();
  const ProgramDir dir;
  std::ofstream(dir.path / "bms_user.txt") << "127.0.0.1," << port << ",1,100000000,0,0,1,1,";

  QApplication application(argc, argv);
  const double atApplication = ProcessAgeSeconds();
  bms::qt::QtPlatform platform(dir.path);
  // The update query stays on the loopback, on a port where nothing answers.
  bms::app::App app(platform, {"127.0.0.1", 9});
  app.start();
  const double atStarted = ProcessAgeSeconds();
  auto& main = *platform.findWindow(bms::base::Window::Main);
  const auto shown = WaitForFirstPaint(main.window());

  std::printf(
      "bms-idle: the application runs inside this process, on Qt's \"%s\" platform (offscreen\n"
      "unless QT_QPA_PLATFORM says otherwise), connected over loopback TCP to bmc-sim --direct\n"
      "at its default run-data rate.\n\n",
      qgetenv("QT_QPA_PLATFORM").constData());
  if (!shown) {
    std::printf("the main window was never painted\n");
    return 2;
  }
  std::printf("window shown     %7.3f s    budget < %.1f s    %s\n", *shown, kWindowBudgetSeconds,
              Verdict(*shown, kWindowBudgetSeconds));
  std::printf(
      "                 (process start to the first paint of the main window: main() at %.3f s,\n"
      "                 QApplication made at %.3f s, App::start() returned at %.3f s)\n",
      atMain, atApplication, atStarted);
  std::fflush(stdout);

  bms::sim::SimProcess sim({"--direct", std::to_string(port)});
  const auto endpoints = sim.Endpoints();
  if (std::ranges::find(endpoints, "direct 127.0.0.1:" + std::to_string(port)) == endpoints.end()) {
    std::printf("bmc-sim did not start on port %d\n", port);
    return 2;
  }
  main.userClick("通信按钮");

  const int memoryAt = std::min(seconds, kMemorySampleSeconds);
  const double cpuBefore = CpuSeconds();
  RunFor(memoryAt * 1000);
  const double resident = ResidentMB();
  RunFor((seconds - memoryAt) * 1000);
  const double cpu = (CpuSeconds() - cpuBefore) / seconds * 100;
  const long received = ReceivedLines(main);

  std::printf("resident memory  %7.1f MB   budget < %.0f MB    %s\n", resident, kMemoryBudgetMB,
              Verdict(resident, kMemoryBudgetMB));
  std::printf("                 (VmRSS after %d s connected)\n", memoryAt);
  std::printf("CPU connected    %7.2f %%    budget < %.0f %%      %s\n", cpu, kCpuBudgetPercent,
              Verdict(cpu, kCpuBudgetPercent));
  std::printf(
      "                 (user + system time of this process over %d s connected, as a share\n"
      "                 of one core; %ld lines received)\n",
      seconds, received);
  std::fflush(stdout);

  main.userClick("Debug按钮");
  const double debugBefore = CpuSeconds();
  RunFor(seconds * 1000);
  const double debugCpu = (CpuSeconds() - debugBefore) / seconds * 100;
  std::printf(
      "CPU debug open   %7.2f %%    (for information: %d s more with the debug window open)\n",
      debugCpu, seconds);

  main.userClick("通信按钮");
  sim.Stop(SIGTERM);
  if (received == 0) {
    std::printf("no line was received: the link never worked, so the figures say nothing\n");
    return 2;
  }
  const bool withinBudgets =
      *shown < kWindowBudgetSeconds && resident < kMemoryBudgetMB && cpu < kCpuBudgetPercent;
  return withinBudgets ? 0 : 1;
}
