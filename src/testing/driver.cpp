#include "testing/driver.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <utility>

#include "app/app.h"
#include "testing/fake_platform.h"
#include "testing/form_factories.h"

namespace bms::testing {

namespace {

struct WindowName {
  std::string_view name;
  base::Window window;
};

constexpr WindowName kWindows[] = {
    {"main", base::Window::Main},       {"debug", base::Window::Debug},
    {"error", base::Window::Error},     {"factory", base::Window::Factory},
    {"bic", base::Window::Bic},         {"profile", base::Window::Profile},
    {"journal", base::Window::Journal}, {"heatmap", base::Window::HeatMap},
    {"trends", base::Window::Trends}};

base::Window ParseWindow(std::string_view name) {
  for (const auto& known : kWindows) {
    if (known.name == name) return known.window;
  }
  throw std::invalid_argument("unknown window: " + std::string(name));
}

std::filesystem::path MakeProgramDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "bms-driver-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot create a program directory under " + pattern);
  }
  return pattern;
}

Rgb ToRgb(forms::Rgb colour) { return {colour.r, colour.g, colour.b}; }

}  // namespace

struct Driver::Impl {
  explicit Impl(Backend backend)
      : dir(MakeProgramDir()), platform(dir, FormFactoryFor(backend)), app(platform) {}

  ~Impl() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }

  // "window:name" or "name" (main window).
  std::pair<forms::Form*, std::string_view> find(std::string_view control) {
    auto window = base::Window::Main;
    std::string_view name = control;
    if (const auto colon = control.find(':'); colon != std::string_view::npos) {
      for (const auto& known : kWindows) {
        if (control.substr(0, colon) == known.name) {
          window = known.window;
          name = control.substr(colon + 1);
        }
      }
    }
    return {platform.findWindow(window), name};
  }

  // Runs the action on the control, which must exist in an open window.
  template <typename Action>
  auto on(std::string_view control, Action action) {
    auto [window, name] = find(control);
    if (window == nullptr || !window->exists(name)) {
      throw std::invalid_argument("no such control (or its window is closed): " +
                                  std::string(control));
    }
    return action(*window, name);
  }

  std::filesystem::path dir;
  FakePlatform platform;
  app::App app;
  std::string unsentBytes;  // written, but not yet a whole line
};

Driver::Driver(Backend backend) : impl_(std::make_unique<Impl>(backend)) {}

Driver::~Driver() = default;

std::filesystem::path Driver::programDir() const { return impl_->dir; }

void Driver::writeFile(const std::string& name, const std::string& bytes) {
  std::ofstream file(impl_->dir / name, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::optional<std::string> Driver::readFile(const std::string& name) const {
  std::ifstream file(impl_->dir / name, std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), {});
}

void Driver::start() { impl_->app.start(); }

void Driver::closeMainWindow() { impl_->platform.userCloseWindow(base::Window::Main); }

bool Driver::click(std::string_view control) {
  return impl_->on(control, [](forms::Form& f, std::string_view n) { return f.userClick(n); });
}

void Driver::setText(std::string_view control, std::string_view text) {
  impl_->on(control, [&](forms::Form& f, std::string_view n) { return f.userType(n, text); });
}

void Driver::select(std::string_view control, int index) {
  impl_->on(control, [&](forms::Form& f, std::string_view n) { return f.userSelect(n, index); });
}

std::string Driver::text(std::string_view control) const {
  return impl_->on(control, [](forms::Form& f, std::string_view n) { return f.text(n); });
}

std::vector<std::string> Driver::items(std::string_view control) const {
  return impl_->on(control, [](forms::Form& f, std::string_view n) { return f.items(n); });
}

Rgb Driver::background(std::string_view control) const {
  return impl_->on(control,
                   [](forms::Form& f, std::string_view n) { return ToRgb(f.background(n)); });
}

Rgb Driver::textColor(std::string_view control) const {
  return impl_->on(control,
                   [](forms::Form& f, std::string_view n) { return ToRgb(f.textColor(n)); });
}

Rgb Driver::fill(std::string_view control) const {
  return impl_->on(control, [](forms::Form& f, std::string_view n) { return ToRgb(f.fill(n)); });
}

bool Driver::enabled(std::string_view control) const {
  return impl_->on(control, [](forms::Form& f, std::string_view n) { return f.enabled(n); });
}

bool Driver::visible(std::string_view control) const {
  return impl_->on(control, [](forms::Form& f, std::string_view n) { return f.visible(n); });
}

bool Driver::checked(std::string_view control) const {
  return impl_->on(control, [](forms::Form& f, std::string_view n) { return f.checked(n); });
}

int Driver::index(std::string_view control) const {
  return impl_->on(control, [](forms::Form& f, std::string_view n) { return f.index(n); });
}

int Driver::value(std::string_view control) const {
  return impl_->on(control, [](forms::Form& f, std::string_view n) { return f.value(n); });
}

std::string Driver::toolTip(std::string_view control) const {
  return impl_->on(control, [](forms::Form& f, std::string_view n) { return f.toolTip(n); });
}

bool Driver::exists(std::string_view control) const {
  auto [window, name] = impl_->find(control);
  return window != nullptr && window->exists(name);
}

bool Driver::isOpen(std::string_view window) const {
  return impl_->platform.findWindow(ParseWindow(window)) != nullptr;
}

void Driver::closeWindow(std::string_view window) {
  impl_->platform.userCloseWindow(ParseWindow(window));
}

std::string Driver::title(std::string_view window) const {
  auto* form = impl_->platform.findWindow(ParseWindow(window));
  if (form == nullptr) throw std::invalid_argument("window is not open: " + std::string(window));
  return form->title();
}

Rect Driver::rect(std::string_view window) const {
  const auto r = impl_->platform.windowRect(ParseWindow(window));
  return {r.left, r.top, r.width, r.height};
}

void Driver::moveWindow(std::string_view window, int left, int top) {
  const auto which = ParseWindow(window);
  auto r = impl_->platform.windowRect(which);
  r.left = left;
  r.top = top;
  impl_->platform.setWindowRect(which, r);
}

void Driver::setScreenHeight(int pixels) { impl_->platform.screenHeightPixels = pixels; }

void Driver::setScreenWidth(int pixels) { impl_->platform.screenWidthPixels = pixels; }

void Driver::advance(int ms) { impl_->platform.clock.advance(ms); }

int Driver::interval(std::string_view timer) const { return impl_->platform.clock.interval(timer); }

std::string Driver::link() const {
  const auto& platform = impl_->platform;
  if (platform.serial.isOpen() && platform.serial.settings()) {
    const auto& s = *platform.serial.settings();
    return "serial COM" + std::to_string(s.port < 1 ? 1 : s.port) + " " + std::to_string(s.baud) +
           " " + std::to_string(s.dataBits) + (s.parity ? "E" : "N") + std::to_string(s.stopBits);
  }
  return platform.bmc.endpoint();
}

void Driver::failNextOpen() { impl_->platform.failNextLinkOpen = true; }

std::vector<std::string> Driver::sent() {
  auto& bytes = impl_->unsentBytes;
  bytes += impl_->platform.serial.takeWritten();
  bytes += impl_->platform.bmc.takeSent();
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (auto end = bytes.find("\r\n"); end != std::string::npos; end = bytes.find("\r\n", start)) {
    lines.push_back(bytes.substr(start, end + 2 - start));
    start = end + 2;
  }
  bytes.erase(0, start);
  return lines;
}

void Driver::receive(std::string_view bytes) {
  auto& platform = impl_->platform;
  if (platform.bmc.isConnected()) {
    platform.bmc.deliver(bytes);
  } else if (platform.serial.isOpen()) {
    platform.serial.deliver(bytes);
  }
}

void Driver::peerClose() { impl_->platform.bmc.peerClose(); }

void Driver::unplugSerial() { impl_->platform.serial.unplug(); }

std::string Driver::updateLink() const { return impl_->platform.update.endpoint(); }

std::string Driver::updateSent() { return impl_->platform.update.takeSent(); }

void Driver::updateReply(std::string_view bytes) { impl_->platform.update.deliver(bytes); }

void Driver::failNextUpdateConnect() { impl_->platform.update.failNextConnect(); }

int Driver::beeps() const { return impl_->platform.beeps; }

std::vector<MessageBox> Driver::messageBoxes() const {
  std::vector<MessageBox> boxes;
  for (const auto& box : impl_->platform.messageBoxes) boxes.push_back({box.text, box.title});
  return boxes;
}

int Driver::rowCount(std::string_view control) const {
  return impl_->on(control, [](forms::Form& f, std::string_view n) { return f.rowCount(n); });
}

std::string Driver::cell(std::string_view control, int row, int column) const {
  return impl_->on(control,
                   [&](forms::Form& f, std::string_view n) { return f.cell(n, row, column); });
}

Rgb Driver::cellBackground(std::string_view control, int row, int column) const {
  return impl_->on(control, [&](forms::Form& f, std::string_view n) {
    return ToRgb(f.cellBackground(n, row, column));
  });
}

forms::HeatMapData Driver::heatMap(std::string_view control) const {
  return impl_->on(control, [](forms::Form& f, std::string_view n) { return f.heatMap(n); });
}

forms::ChartData Driver::chart(std::string_view control) const {
  return impl_->on(control, [](forms::Form& f, std::string_view n) { return f.chart(n); });
}

int Driver::chartWidth(std::string_view control) const {
  return impl_->on(control, [](forms::Form& f, std::string_view n) { return f.chartWidth(n); });
}

void Driver::answerOpenFile(const std::string& name) {
  impl_->platform.openAnswers.emplace_back(impl_->dir / name);
}

void Driver::answerSaveFile(const std::string& name) {
  impl_->platform.saveAnswers.emplace_back(impl_->dir / name);
}

void Driver::answerYesNo(bool yes) { impl_->platform.yesNoAnswers.push_back(yes); }

std::vector<Dialog> Driver::dialogs() const {
  std::vector<Dialog> asked;
  for (const auto& dialog : impl_->platform.dialogs) {
    asked.push_back({dialog.kind, dialog.text, dialog.title});
  }
  return asked;
}

}  // namespace bms::testing
