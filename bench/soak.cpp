// bms-soak: the real application, in this process on the offscreen platform, for a long
// time against bmc-sim on a noisy line: 16 BICs, 5 run-data sets a second, every 7th line
// garbage and every 11th cut, with cell details read as well. It prints the resident
// memory at the start, after a minute of warm-up, every 5 minutes and at the end, its
// drift a minute after the warm-up, and the CPU time used. Budget: after the warm-up,
// resident memory stays within 5 % of its value then (sampled every 10 s; the highest
// sample counts).
// Usage: bms-soak [minutes] [open|closed]: the debug window open the whole time or never.
// Without a mode it runs closed, then open, each in a fresh process (default 30 minutes).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/app.h"
#include "process_figures.h"
#include "qt/qt_platform.h"
#include "sim/sim_process.h"

namespace {

using bms::bench::CpuSeconds;
using bms::bench::ResidentMB;
using bms::bench::RunFor;

constexpr double kGrowthBudgetPercent = 5;
constexpr int kWarmUpSeconds = 60;
constexpr int kReportSeconds = 5 * 60;
constexpr int kSampleSeconds = 10;
constexpr int kCountWaitSeconds = 30;
const std::vector<std::string> kSimArgs = {"--direct", "0",         "--rate", "5",     "--bics",
                                           "16",       "--garbage", "7",      "--cut", "11"};

// The program folder, holding the settings file; removed at the end, whatever happens.
struct ProgramDir {
  ProgramDir()
      : path(std::filesystem::temp_directory_path() / ("bms-soak-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(path);
  }
  ~ProgramDir() { std::filesystem::remove_all(path); }
  ProgramDir(const ProgramDir&) = delete;
  ProgramDir& operator=(const ProgramDir&) = delete;
  std::filesystem::path path;
};

double GrowthPercent(double resident, double reference) {
  return (resident - reference) / reference * 100;
}

void PrintSample(int second, double resident, const char* note) {
  std::printf("%4d min  resident %7.1f MB   %s\n", second / 60, resident, note);
  std::fflush(stdout);
}

void PrintSample(int second, double resident, double reference) {
  std::printf("%4d min  resident %7.1f MB   %+5.1f %% against the warm-up\n", second / 60, resident,
              GrowthPercent(resident, reference));
  std::fflush(stdout);
}

// The debug pane's lines, and how many of them show damaged bytes escaped.
std::string DebugPaneSummary(bms::qt::QtPlatform& platform) {
  auto* debug = platform.findWindow(bms::base::Window::Debug);
  if (debug == nullptr) return "the debug window is not open";
  const std::string pane = debug->text("接收数据编辑框");
  int lines = 0;
  int escaped = 0;
  for (std::size_t start = 0; start < pane.size();) {
    const auto end = std::min(pane.find('\n', start), pane.size());
    ++lines;
    if (std::string_view(pane).substr(start, end - start).find("\\x") != std::string_view::npos)
      ++escaped;
    start = end + 1;
  }
  return std::to_string(lines) + " lines in the debug pane, " + std::to_string(escaped) +
         " of them with escaped bytes";
}

int Soak(int minutes, bool debugOpen) {
  std::printf("bms-soak: %d min, debug window %s, against bmc-sim", minutes,
              debugOpen ? "open" : "closed");
  for (const auto& arg : kSimArgs) std::printf(" %s", arg.c_str());
  std::printf("\n");

  bms::sim::SimProcess sim(kSimArgs);
  const int port = sim.Port("direct");
  if (port <= 0) {
    std::printf("bmc-sim did not start\n");
    return 2;
  }
  const ProgramDir dir;
  std::ofstream(dir.path / "bms_user.txt") << "127.0.0.1," << port << ",1,100000000,0,0,1,1,";

  bms::qt::QtPlatform platform(dir.path);
  // The update query stays on the loopback, on a port where nothing answers.
  bms::app::App app(platform, {"127.0.0.1", 9});
  app.start();
  auto& main = *platform.findWindow(bms::base::Window::Main);
  if (debugOpen) main.userClick("Debug按钮");
  main.userClick("通信按钮");
  const double cpuBefore = CpuSeconds();
  QElapsedTimer wall;
  wall.start();
  PrintSample(0, ResidentMB(), "(start, connecting)");

  // The check box opens once the installed count has arrived; then cell frames flow too.
  int waited = 0;
  for (; waited < kCountWaitSeconds * 10 && !main.enabled("读取单体信息选择框"); ++waited)
    RunFor(100);
  if (!main.userClick("读取单体信息选择框")) {
    std::printf("the installed BIC count never arrived\n");
    return 2;
  }

  int elapsed = waited / 10;
  double reference = 0;
  double highest = 0;
  double last = 0;
  const int end = minutes * 60;
  while (elapsed < end) {
    const int step = std::min(kSampleSeconds - elapsed % kSampleSeconds, end - elapsed);
    RunFor(step * 1000);
    elapsed += step;
    const double resident = ResidentMB();
    last = resident;
    if (elapsed == kWarmUpSeconds) {
      reference = resident;
      PrintSample(elapsed, resident, "(warm-up done: the reference)");
    } else if (elapsed > kWarmUpSeconds) {
      highest = std::max(highest, resident);
      if (elapsed % kReportSeconds == 0 || elapsed == end)
        PrintSample(elapsed, resident, reference);
    }
  }
  const double cpu = CpuSeconds() - cpuBefore;
  const double wallSeconds = static_cast<double>(wall.elapsed()) / 1000;

  const double growth = GrowthPercent(highest, reference);
  const bool flat = growth <= kGrowthBudgetPercent;
  std::printf(
      "highest   resident %7.1f MB   %+5.1f %% against the warm-up   budget <= +%.0f %%   %s\n",
      highest, growth, kGrowthBudgetPercent, flat ? "ok" : "MISSED");
  // A slow leak can stay inside the budget for a whole run; its slope still shows it.
  std::printf("drift     %+.0f kB a minute from the warm-up to the end\n",
              (last - reference) * 1000 / (minutes - 1));
  std::printf("CPU       %.1f s in %.1f min: %.2f %% of one core\n", cpu, wallSeconds / 60,
              cpu / wallSeconds * 100);
  const long received = std::atol(main.text("接收计数标签").c_str());
  const std::string shownBic = main.text("实时返回的BIC编号标签");
  std::printf("          %ld lines received; cell details shown for BIC %s; %s\n", received,
              shownBic.c_str(), DebugPaneSummary(platform).c_str());
  std::fflush(stdout);

  main.userClick("通信按钮");
  sim.Stop(SIGTERM);
  if (received == 0 || shownBic == "*") {
    std::printf("no run data or no cell details arrived: the figures say nothing\n");
    return 2;
  }
  return flat ? 0 : 1;
}

// Runs this program again for one mode, so that each mode starts from a fresh process.
int RunChild(const std::string& minutes, const char* mode) {
  std::fflush(stdout);
  const pid_t child = ::fork();
  if (child == 0) {
    std::string self = "/proc/self/exe";
    std::string modeArg = mode;
    std::string minutesArg = minutes;
    char* argv[] = {self.data(), minutesArg.data(), modeArg.data(), nullptr};
    ::execv(self.c_str(), argv);
    ::_exit(127);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return 2;
  return WEXITSTATUS(status);
}

}  // namespace

int main(int argc, char* argv[]) {
  const int minutes = argc > 1 ? std::max(2, std::atoi(argv[1])) : 30;
  const std::string_view mode = argc > 2 ? argv[2] : "";
  if (mode.empty()) {
    const auto text = std::to_string(minutes);
    const int closed = RunChild(text, "closed");
    std::printf("\n");
    const int open = RunChild(text, "open");
    return std::max(closed, open);
  }
  if (mode != "open" && mode != "closed") {
    std::printf("usage: bms-soak [minutes] [open|closed]\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  return Soak(minutes, mode == "open");
}
