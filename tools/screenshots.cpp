// Renders the main window's pages and the auxiliary windows to PNG files, in Chinese and
// in English, without a display: bms-screenshots [output folder].
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLayout>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/app.h"
#include "forms/tables.h"
#include "params/catalogue.h"
#include "qt/qt_application.h"
#include "qt/qt_platform.h"
#include "sim/sim_process.h"

namespace {

struct Page {
  std::string file;
  std::vector<std::pair<const char*, int>> tabs;  // tab control and page to show
};

const std::vector<Page>& Pages() {
  static const std::vector<Page> pages = [] {
    std::vector<Page> all;
    const char* runInfo[] = {"run-info", "append-info", "control", "access-password"};
    for (int i = 0; i < 4; ++i)
      all.push_back({runInfo[i], {{"总选择夹", 0}, {"运行信息选择夹", i}}});
    all.push_back({"data-record", {{"总选择夹", 1}}});
    const char* parameters[] = {"allow-set",   "cell-voltage", "temperature",    "bic",
                                "power-meter", "pack-set",     "characteristic", "signal"};
    for (int i = 0; i < 8; ++i) {
      all.push_back(
          {std::string("parameters-") + parameters[i], {{"总选择夹", 2}, {"参数标定选择夹", i}}});
    }
    const char* dcCharge[] = {"settings", "running", "notice"};
    for (int i = 0; i < 3; ++i) {
      all.push_back({std::string("parameters-dc-charge-") + dcCharge[i],
                     {{"总选择夹", 2}, {"参数标定选择夹", 8}, {"国标充电设置项目选择夹", i}}});
    }
    all.push_back({"about", {{"总选择夹", 3}}});
    return all;
  }();
  return pages;
}

// Runs the event loop for a while, so that live data can arrive and be shown.
void Wait(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
}

// The offscreen platform says once per window that it cannot raise it or pass its size
// limits on to a window system it does not have; nothing else is worth hiding.
void DropOffscreenNotices(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith(QStringLiteral("This plugin does not support"))) return;
  std::cerr << qFormatLogMessage(type, context, text).toStdString() << "\n";
}

// The main window at the size it opens with in the language shown: its design size, or
// more where its content needs it.
void ResizeToDefault(QWidget* window) {
  QCoreApplication::processEvents();  // captions just rewritten line their columns up again
  window->layout()->activate();
  const auto& table = bms::forms::MainWindowTable();
  window->resize(QSize(table.width, table.height).expandedTo(window->minimumSizeHint()));
}

bool Save(QWidget* window, const std::filesystem::path& file) {
  QCoreApplication::processEvents();
  const bool saved = window->grab().save(QString::fromStdString(file.string()));
  if (!saved) std::cerr << "could not write " << file << "\n";
  return saved;
}

// The BIC calibration window with live answers. It opens only with the factory marker, so
// it gets a program folder and an application of its own; its captions are Chinese only.
bool SaveBicCalibrationWindow(const std::filesystem::path& out, const std::string& port) {
  const QTemporaryDir programDir;
  if (!programDir.isValid()) return false;
  const std::filesystem::path dir = programDir.path().toStdString();
  std::ofstream(dir / "BMS_Factory.txt") << "09A030";
  std::ofstream(dir / "bms_user.txt") << "127.0.0.1," << port << ",572906,100000000,0,0,1,1,";
  bms::qt::QtPlatform platform(dir);
  bms::app::App app(platform);
  app.start();
  auto& main = platform.openWindow(bms::base::Window::Main);
  main.userClick("通信按钮");
  Wait(1500);
  main.userClick("读取单体信息选择框");
  Wait(1500);
  main.userClick("BIC校准按钮");
  auto& window = platform.openWindow(bms::base::Window::Bic);
  window.userClick("读BIC基准电压按钮");
  Wait(500);
  const bool ok = Save(window.window(), out / "bic-live.png");
  main.userClick("通信按钮");
  return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariable("QT_QPA_PLATFORM") == QStringLiteral("offscreen")) {
    qInstallMessageHandler(DropOffscreenNotices);
  }
  QApplication application(argc, argv);
  const std::filesystem::path out = argc > 1 ? argv[1] : "screenshots";
  std::filesystem::create_directories(out);

  // A program folder of its own, so that every run shows the same settings (the design's
  // defaults, network link) and the live run's settings file is not left anywhere.
  const QTemporaryDir programDir;
  if (!programDir.isValid()) {
    std::cerr << "could not make a program folder\n";
    return 1;
  }
  const std::filesystem::path dir = programDir.path().toStdString();
  std::ofstream(dir / "bms_user.txt") << "relay.example.net,8000,572906,100000000,0,0,0,1,";
  bms::qt::QtPlatform platform(dir);
  // The update query stays on the loopback, on a port where nothing answers.
  bms::app::App app(platform, {"127.0.0.1", 9});
  app.start();
  auto& main = platform.openWindow(bms::base::Window::Main);

  bool ok = true;
  for (const auto& [language, radio] : {std::pair{"en", "英文单选框"}, {"zh", "简体中文单选框"}}) {
    main.userClick(radio);
    ResizeToDefault(main.window());
    for (const auto& page : Pages()) {
      for (const auto& [tabs, index] : page.tabs) main.setIndex(tabs, index);
      ok = Save(main.window(), out / ("main-" + page.file + "-" + language + ".png")) && ok;
    }
    for (const auto& [window, name] : {std::pair{bms::base::Window::Debug, "debug"},
                                       {bms::base::Window::Error, "error"},
                                       {bms::base::Window::Factory, "factory"},
                                       {bms::base::Window::Bic, "bic"}}) {
      auto& form = platform.openWindow(window);
      ok = Save(form.window(), out / (std::string(name) + "-" + language + ".png")) && ok;
      platform.closeWindow(window);
    }
  }
  main.setIndex("总选择夹", 0);
  main.setIndex("运行信息选择夹", 0);

  // The run monitoring page with live data from the stand-in controller: a pack with a
  // cell voltage warning and a temperature fault, cell details of the first BIC.
  bms::sim::SimProcess sim(
      {"--direct", "0", "--rate", "5", "--bics", "4", "--warnings", "02", "--faults", "04"});
  std::string port;
  for (const auto& line : sim.Endpoints()) {
    if (line.starts_with("direct ")) port = line.substr(line.find(':') + 1);
  }
  main.setText("服务器地址编辑框", "127.0.0.1");
  main.setText("服务器端口编辑框", port);
  main.setText("BMC编号编辑框", "100000000");
  main.setIndex("网络模式选择框", 1);
  main.setChecked("网络通信单选框", true);
  for (const auto& [language, radio] : {std::pair{"en", "英文单选框"}, {"zh", "简体中文单选框"}}) {
    main.userClick(radio);
    ResizeToDefault(main.window());
    main.userClick("通信按钮");
    Wait(1500);
    main.userClick("读取单体信息选择框");
    Wait(2500);
    // Catch the lamps in their alarm phase rather than their white one.
    for (int i = 0; i < 10 && main.fill("温度故障指示灯") != bms::forms::Rgb{255, 0, 0}; ++i) {
      Wait(100);
    }
    ok = Save(main.window(), out / ("main-run-info-live-" + std::string(language) + ".png")) && ok;
    // The parameter pages with every row read from the controller.
    for (const auto& row : bms::params::ParameterCatalogue()) main.userClick(row.readButton);
    for (const char* button : {"读总电流量程按钮", "读电流传感器零位按钮", "读总电压量程按钮",
                               "读取BIC地址按钮", "读BIC单体数量按钮", "读BIC温感数量按钮"}) {
      main.userClick(button);
    }
    Wait(1500);
    for (const auto& [page, index] : {std::pair{"cell-voltage", 1},
                                      {"temperature", 2},
                                      {"bic", 3},
                                      {"power-meter", 4},
                                      {"pack-set", 5},
                                      {"characteristic", 6},
                                      {"signal", 7}}) {
      main.setIndex("总选择夹", 2);
      main.setIndex("参数标定选择夹", index);
      Wait(100);
      const std::string file =
          "main-parameters-" + std::string(page) + "-live-" + std::string(language) + ".png";
      ok = Save(main.window(), out / file) && ok;
    }
    main.setIndex("总选择夹", 0);
    main.userClick("通信按钮");
  }
  ok = SaveBicCalibrationWindow(out, port) && ok;
  sim.Stop(SIGTERM);
  return ok ? 0 : 1;
}
