// The real application on real widgets and real transports (offscreen) against the
// real bmc-sim: one running simulator and one running application wired to it.
#pragma once

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/app.h"
#include "qt/qt_application.h"
#include "qt/qt_platform.h"
#include "qt/qt_platform_wait.h"
#include "sim/sim_process.h"

namespace bms::qt {

class ProgramDir {
 public:
  ProgramDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "bms-e2e-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~ProgramDir() { std::filesystem::remove_all(path_); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// One running simulator and one running application wired to it.
class EndToEnd : public ::testing::Test {
 protected:
  static constexpr int kNoUpdateServer = 9;

  // Starts bmc-sim with the arguments; "{dir}" in them stands for the program directory.
  std::map<std::string, std::string> startSim(std::vector<std::string> args) {
    for (auto& arg : args) {
      if (const auto at = arg.find("{dir}"); at != std::string::npos) {
        arg.replace(at, 5, dir.path().string());
      }
    }
    sim = std::make_unique<sim::SimProcess>(args);
    std::map<std::string, std::string> endpoints;
    for (const auto& line : sim->Endpoints()) {
      const auto space = line.find(' ');
      endpoints[line.substr(0, space)] = line.substr(space + 1);
    }
    return endpoints;
  }

  static std::string Port(const std::string& endpoint) {
    return endpoint.substr(endpoint.find(':') + 1);
  }
  // The settings file of a direct TCP link to the simulator.
  static std::string DirectSettings(const std::map<std::string, std::string>& endpoints) {
    return "127.0.0.1," + Port(endpoints.at("direct")) + ",572906,100000000,0,0,1,1,";
  }

  // The update query goes to the loopback as well: by default to a port where nothing
  // listens.
  void startApp(const std::string& settings,
                service::UpdateServer update = {"127.0.0.1", kNoUpdateServer}) {
    std::ofstream(dir.path() / "bms_user.txt") << settings;
    EnsureApplication();
    platform = std::make_unique<QtPlatform>(dir.path());
    app = std::make_unique<app::App>(*platform, std::move(update));
    app->start();
    main = platform->findWindow(base::Window::Main);
    ASSERT_TRUE(main->userClick("Debug按钮"));
    ASSERT_TRUE(main->userClick("通信按钮"));
  }

  bool waitFor(const std::function<bool()>& done) { return ProcessEventsUntil(done); }
  std::string received() {
    return platform->findWindow(base::Window::Debug)->text("接收数据编辑框");
  }
  std::string sent() { return platform->findWindow(base::Window::Debug)->text("发送数据编辑框"); }
  int rxCount() { return std::stoi(main->text("接收计数标签")); }

  void TearDown() override {
    app.reset();
    platform.reset();
    if (sim) {
      EXPECT_EQ(sim->Stop(SIGTERM), 0) << "bmc-sim ends cleanly on SIGTERM";
    }
  }

  ProgramDir dir;
  std::unique_ptr<sim::SimProcess> sim;
  std::unique_ptr<QtPlatform> platform;
  std::unique_ptr<app::App> app;
  forms::Form* main = nullptr;
};

}  // namespace bms::qt
