// Renders the main window's pages and the auxiliary windows to PNG files, in Chinese and
// in English, without a display: bms-screenshots [output folder].
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLayout>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
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

// The pages shown again once every read button has been answered by the controller.
const std::vector<Page>& LivePages() {
  static const std::vector<Page> pages = [] {
    std::vector<Page> all = {{"append-info", {{"总选择夹", 0}, {"运行信息选择夹", 1}}},
                             {"data-record", {{"总选择夹", 1}}}};
    const char* parameters[] = {"allow-set",   "cell-voltage", "temperature",    "bic",
                                "power-meter", "pack-set",     "characteristic", "signal"};
    for (int i = 0; i < 8; ++i) {
      all.push_back(
          {std::string("parameters-") + parameters[i], {{"总选择夹", 2}, {"参数标定选择夹", i}}});
    }
    const char* dcCharge[] = {"settings", "running"};
    for (int i = 0; i < 2; ++i) {
      all.push_back({std::string("parameters-dc-charge-") + dcCharge[i],
                     {{"总选择夹", 2}, {"参数标定选择夹", 8}, {"国标充电设置项目选择夹", i}}});
    }
    return all;
  }();
  return pages;
}

// Read buttons outside the parameter catalogue: calibration, BICs, counters, the DC
// charging module and the remaining energy.
constexpr const char* kReadButtons[] = {
    "读总电流量程按钮",
    "读电流传感器零位按钮",
    "读总电压量程按钮",
    "读取BIC地址按钮",
    "读BIC单体数量按钮",
    "读BIC温感数量按钮",
    "读本次运行时间按钮",
    "读BMS累计运行时间按钮",
    "读运行时间小计1按钮",
    "读运行时间小计2按钮",
    "读总累计充电电量按钮",
    "读充电电量小计1按钮",
    "读充电电量小计2按钮",
    "读总累计放电电量按钮",
    "读放电电量小计1按钮",
    "读放电电量小计2按钮",
    "读剩余KWH按钮",
    "读充电机最高输出电压按钮",
    "读充电机最低输出电压按钮",
    "读充电机最大输出电流按钮",
    "读充电机最小输出电流按钮",
    "读充电机报告当前输出电压按钮",
    "读充电机报告当前输出电流按钮",
    "读充电机报告当前暂停状态按钮",
    "读充电机12V供电电压按钮",
    "读直流充电插座温度值按钮",
    "读直流充电口电流检测值按钮",
    "读直流充电口独立电流检测标定界面_实时电流值按钮",
    "直流充电口读电流量程按钮",
    "直流充电口读电流传感器零位按钮",
};

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

// The profile window with every row read from the controller and the first chemistry
// template beside it, its differences marked.
bool SaveProfileWindow(bms::qt::QtPlatform& platform, bms::forms::Form& main,
                       const std::filesystem::path& file) {
  main.userClick("参数配置文件按钮");
  auto& window = platform.openWindow(bms::base::Window::Profile);
  window.userClick("读取全部参数按钮");
  for (int i = 0; i < 200 && window.value("配置进度条") < 100; ++i) Wait(100);
  Wait(200);
  main.userClick("磷酸铁锂按钮");
  const bool saved = Save(window.window(), file);
  platform.closeWindow(bms::base::Window::Profile);
  return saved;
}

// The BIC calibration and factory windows with live answers. They open only with the
// factory marker, so they get a program folder and an application of their own; their
// captions are Chinese only.
bool SaveFactoryWindows(const std::filesystem::path& out, const std::string& port) {
  const QTemporaryDir programDir;
  if (!programDir.isValid()) return false;
  const std::filesystem::path dir = programDir.path().toStdString();
  std::ofstream(dir / "BMS_Factory.txt") << "09A030";
  std::ofstream(dir / "bms_user.txt") << "127.0.0.1," << port << ",572906,100000000,0,0,1,1,";
  bms::qt::QtPlatform platform(dir);
  // The update query goes to the loopback, on a port where nothing answers.
  bms::app::App app(platform, {"127.0.0.1", 9});
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
  bool ok = Save(window.window(), out / "bic-live.png");
  // The factory window with two rows written: the BMC number it already has and a work
  // time preset.
  main.userClick("打开出厂标定功能按钮");
  auto& factory = platform.openWindow(bms::base::Window::Factory);
  for (const auto& [box, text] : {std::pair{"编号1至3位编辑框", "100"},
                                  {"编号4至6位编辑框", "000"},
                                  {"编号7至9位编辑框", "000"},
                                  {"标定累计工作时间编辑框", "3600"}}) {
    factory.setText(box, text);
  }
  factory.userClick("标定BMC编号按钮");
  factory.userClick("标定累计工作时间按钮");
  Wait(500);
  ok = Save(factory.window(), out / "factory-live.png") && ok;
  main.userClick("通信按钮");
  return ok;
}

// A save dialog cannot be answered offscreen: recordings go to a file in the program folder.
class ScreenshotPlatform : public bms::qt::QtPlatform {
 public:
  using QtPlatform::QtPlatform;

  std::optional<std::filesystem::path> chooseFileToSave(std::string_view,
                                                        std::string_view suggestedName) override {
    return std::filesystem::path(suggestedName);
  }
  std::optional<std::filesystem::path> chooseFileToOpen(std::string_view) override {
    return fileToOpen;
  }

  std::optional<std::filesystem::path> fileToOpen;
};

// The main window while it records and the alarm journal, in both languages, after the
// tool has seen the flags of two controllers: the live one and another with other flags,
// so that flags go on and off.
bool SaveRecordingAndJournal(bms::qt::QtPlatform& platform, bms::qt::QtForm& main,
                             const std::filesystem::path& out) {
  bms::sim::SimProcess other(
      {"--direct", "0", "--rate", "5", "--bics", "2", "--faults", "01", "--warnings", "03"});
  for (const auto& line : other.Endpoints()) {
    if (line.starts_with("direct ")) {
      main.setText("服务器端口编辑框", line.substr(line.find(':') + 1));
    }
  }
  main.userClick("通信按钮");
  main.userClick("录制按钮");
  Wait(1500);
  main.userClick("读取单体信息选择框");
  Wait(2500);
  bool ok = true;
  for (const auto& [language, radio] : {std::pair{"en", "英文单选框"}, {"zh", "简体中文单选框"}}) {
    main.userClick(radio);
    Wait(1000);
    ok = Save(main.window(), out / ("main-recording-" + std::string(language) + ".png")) && ok;
  }
  main.userClick("录制按钮");
  main.userClick("通信按钮");
  main.userClick("告警日志按钮");
  auto& journal = platform.openWindow(bms::base::Window::Journal);
  for (const auto& [language, radio] : {std::pair{"en", "英文单选框"}, {"zh", "简体中文单选框"}}) {
    main.userClick(radio);
    ok = Save(journal.window(), out / ("journal-" + std::string(language) + ".png")) && ok;
  }
  platform.closeWindow(bms::base::Window::Journal);
  other.Stop(SIGTERM);
  return ok;
}

// The pack heat map of a 32-BIC pack: the map's own switch steps the cell detail polling
// through every BIC, one a second, then the map in both modes and languages.
bool SaveHeatMap(bms::qt::QtPlatform& platform, bms::qt::QtForm& main,
                 const std::filesystem::path& out) {
  bms::sim::SimProcess pack({"--direct", "0", "--rate", "5", "--bics", "32"});
  for (const auto& line : pack.Endpoints()) {
    if (line.starts_with("direct ")) {
      main.setText("服务器端口编辑框", line.substr(line.find(':') + 1));
    }
  }
  main.userClick("通信按钮");
  Wait(1500);
  main.userClick("读取单体信息选择框");
  main.userClick("热图按钮");
  auto& map = platform.openWindow(bms::base::Window::HeatMap);
  map.userClick("热图逐个读取BIC选择框");
  constexpr std::size_t kBics = 32;
  for (int i = 0; i < 60 && map.heatMap("热图").rows.size() < kBics; ++i) Wait(1000);
  bool ok = true;
  for (const auto& [language, radio] : {std::pair{"en", "英文单选框"}, {"zh", "简体中文单选框"}}) {
    main.userClick(radio);
    for (const auto& [mode, index] : {std::pair{"", 0}, {"-temperature", 1}}) {
      map.userSelect("热图模式组合框", index);
      Wait(600);
      ok = Save(map.window(), out / ("heat-map" + std::string(mode) + "-" + language + ".png")) &&
           ok;
    }
  }
  platform.closeWindow(bms::base::Window::HeatMap);
  main.userClick("通信按钮");
  pack.Stop(SIGTERM);
  return ok;
}

// The trends window live against the stand-in controller, in both languages: the pack's
// voltage, its cell extremes and the onset of its fault, after the earlier connections
// left their own stretches of samples.
bool SaveTrends(bms::qt::QtPlatform& platform, bms::qt::QtForm& main,
                const std::filesystem::path& out) {
  main.userClick("通信按钮");
  main.userClick("趋势按钮");
  auto& trends = platform.openWindow(bms::base::Window::Trends);
  trends.window()->resize(1000, 640);
  trends.userClick("最高单体曲线选择框");
  trends.userClick("最低单体曲线选择框");
  Wait(6000);
  bool ok = true;
  for (const auto& [language, radio] : {std::pair{"en", "英文单选框"}, {"zh", "简体中文单选框"}}) {
    main.userClick(radio);
    Wait(1200);
    ok = Save(trends.window(), out / ("trends-" + std::string(language) + ".png")) && ok;
  }
  platform.closeWindow(bms::base::Window::Trends);
  main.userClick("通信按钮");
  return ok;
}

// The trends window over a whole recording, in both languages: eight hours of a 32-BIC
// pack written by bmc-sim, with a warning and a fault coming on halfway.
bool SaveRecordedTrends(ScreenshotPlatform& platform, bms::qt::QtForm& main,
                        const std::filesystem::path& dir, const std::filesystem::path& out) {
  const auto file = dir / "eight-hours.bmsrec";
  const int made =
      QProcess::execute(QStringLiteral(BMC_SIM_PATH),
                        {"--make-recording", QString::fromStdString(file.string()), "--hours", "8",
                         "--bics", "32", "--warnings", "02", "--faults", "04"});
  if (made != 0) {
    std::cerr << "bmc-sim --make-recording failed: " << made << "\n";
    return false;
  }
  platform.fileToOpen = file;
  main.userClick("趋势按钮");
  auto& trends = platform.openWindow(bms::base::Window::Trends);
  trends.window()->resize(1000, 640);
  trends.userClick("打开录制文件按钮");
  for (const char* box : {"SOC曲线选择框", "单体压差曲线选择框"}) {
    trends.userClick(box);
  }
  bool ok = true;
  for (const auto& [language, radio] : {std::pair{"en", "英文单选框"}, {"zh", "简体中文单选框"}}) {
    main.userClick(radio);
    Wait(600);
    ok = Save(trends.window(), out / ("trends-recording-" + std::string(language) + ".png")) && ok;
  }
  platform.closeWindow(bms::base::Window::Trends);
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
  // The stand-in controller for the live pages, and its update server, which announces a
  // newer release once the tool has connected.
  bms::sim::SimProcess sim({"--direct", "0", "--update", "0", "--newer", "--rate", "5", "--bics",
                            "4", "--warnings", "02", "--faults", "04"});
  std::string port;
  int updatePort = 0;
  for (const auto& line : sim.Endpoints()) {
    const auto endpointPort = line.substr(line.find(':') + 1);
    if (line.starts_with("direct ")) port = endpointPort;
    if (line.starts_with("update ")) updatePort = std::stoi(endpointPort);
  }
  ScreenshotPlatform platform(dir);
  bms::app::App app(platform, {"127.0.0.1", updatePort});
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
                                       {bms::base::Window::Bic, "bic"},
                                       {bms::base::Window::Profile, "profile"}}) {
      auto& form = platform.openWindow(window);
      ok = Save(form.window(), out / (std::string(name) + "-" + language + ".png")) && ok;
      platform.closeWindow(window);
    }
  }
  main.setIndex("总选择夹", 0);
  main.setIndex("运行信息选择夹", 0);

  // The run monitoring page with live data from the stand-in controller: a pack with a
  // cell voltage warning and a temperature fault, cell details of the first BIC.
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
    for (const char* button : kReadButtons) main.userClick(button);
    // The CAN debug panel's frame, which the controller echoes.
    main.setText("CANID编辑框", "12345678");
    main.setText("前4字节编辑框", "11223344");
    main.setText("后4字节编辑框", "55667788");
    main.userClick("CAN调试数据发送按钮");
    Wait(1500);
    for (const auto& page : LivePages()) {
      for (const auto& [tabs, index] : page.tabs) main.setIndex(tabs, index);
      Wait(100);
      ok = Save(main.window(), out / ("main-" + page.file + "-live-" + language + ".png")) && ok;
    }
    ok = SaveProfileWindow(platform, main,
                           out / ("profile-live-" + std::string(language) + ".png")) &&
         ok;
    main.setIndex("总选择夹", 0);
    main.userClick("通信按钮");
  }
  ok = SaveTrends(platform, main, out) && ok;
  ok = SaveRecordedTrends(platform, main, dir, out) && ok;
  ok = SaveRecordingAndJournal(platform, main, out) && ok;
  ok = SaveHeatMap(platform, main, out) && ok;
  ok = SaveFactoryWindows(out, port) && ok;
  sim.Stop(SIGTERM);
  return ok ? 0 : 1;
}
