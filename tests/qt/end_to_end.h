// The real application on real widgets and real transports (offscreen) against the
// real bmc-sim: one running simulator and one running application wired to it.
#pragma once

#include <gtest/gtest.h>

#include <csignal>
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
#include "recorder/recording_fixture.h"
#include "sim/sim_process.h"

namespace bms::qt {

class EndToEnd : public ::testing::Test {
 protected:
  static constexpr int kNoUpdateServer = 9;

  // Starts bmc-sim with the arguments ("{dir}" stands for the program directory); returns
  // its endpoints by kind.
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
  // The settings file of a TCP link to the simulator: direct, or through the relay.
  static std::string TcpSettings(const std::string& endpoint, bool direct = true) {
    return "127.0.0.1," + Port(endpoint) + ",572906,100000000,0,0," + (direct ? "1" : "0") + ",1,";
  }

  // bmc-sim listening directly, with these arguments besides, and the application on it.
  void startDirect(std::vector<std::string> args = {}) {
    args.insert(args.begin(), {"--direct", "0"});
    direct = startSim(std::move(args)).at("direct");
    startApp(TcpSettings(direct));
  }

  // The update query goes to the loopback as well: by default to a port where nothing
  // listens. The clicks are the user's first, in order.
  void startApp(const std::string& settings,
                service::UpdateServer update = {"127.0.0.1", kNoUpdateServer},
                const std::vector<const char*>& clicks = {"Debug按钮", "通信按钮"}) {
    std::ofstream(dir.path() / "bms_user.txt") << settings;
    EnsureApplication();
    platform = makePlatform();
    app = std::make_unique<app::App>(*platform, std::move(update));
    app->start();
    main = platform->findWindow(base::Window::Main);
    for (const char* control : clicks) ASSERT_TRUE(main->userClick(control)) << control;
  }
  virtual std::unique_ptr<QtPlatform> makePlatform() {
    return std::make_unique<QtPlatform>(dir.path());
  }

  bool waitFor(const std::function<bool()>& done) { return ProcessEventsUntil(done); }
  bool waitForText(const forms::Form& form, std::string_view control, const std::string& text) {
    return ProcessEventsUntil([&] { return form.text(control) == text; });
  }
  std::string received() {
    return platform->findWindow(base::Window::Debug)->text("接收数据编辑框");
  }
  std::string sent() { return platform->findWindow(base::Window::Debug)->text("发送数据编辑框"); }
  int rxCount() { return std::stoi(main->text("接收计数标签")); }

  void stopAll() {
    app.reset();
    platform.reset();
    if (sim) {
      EXPECT_EQ(sim->Stop(SIGTERM), 0) << "bmc-sim ends cleanly on SIGTERM";
    }
    sim.reset();
  }
  void TearDown() override { stopAll(); }

  recorder::test::TempDir dir;
  std::string direct;  // where startDirect's simulator listens
  std::unique_ptr<sim::SimProcess> sim;
  std::unique_ptr<QtPlatform> platform;
  std::unique_ptr<app::App> app;
  forms::Form* main = nullptr;
};

}  // namespace bms::qt
