#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/platform.h"
#include "testing/fake_transports.h"
#include "testing/virtual_clock.h"

namespace bms::testing {

struct ShownMessageBox {
  std::string text;
  std::string title;
};

// A platform whose time, transports, beep and message boxes are fake; the windows are
// whatever the form factory makes (in memory, or real widgets).
class FakePlatform : public app::Platform {
 public:
  using FormFactory = std::function<std::unique_ptr<forms::Form>(const forms::FormTable&)>;

  FakePlatform(std::filesystem::path programDir, FormFactory makeForm);
  ~FakePlatform() override;

  std::unique_ptr<app::Timer> createTimer(std::string_view name) override;
  link::SerialPort& serialPort() override { return serial; }
  link::TcpClient& bmcLink() override { return bmc; }
  link::TcpClient& updateLink() override { return update; }
  void beep() override { ++beeps; }
  void showMessageBox(std::string_view text, std::string_view title) override;
  int screenHeight() const override { return screenHeightPixels; }
  std::filesystem::path programDir() const override { return programDir_; }
  forms::Form& openWindow(app::Window window) override;
  forms::Form* findWindow(app::Window window) override;
  void closeWindow(app::Window window) override;
  app::Rect windowRect(app::Window window) const override;
  void setWindowRect(app::Window window, app::Rect rect) override;

  // The user closes a window: it is destroyed, then the application is told.
  void userCloseWindow(app::Window window);

  // Declared first, so that the timers made from it go before it does.
  VirtualClock clock;
  bool failNextLinkOpen = false;  // the serial port and the BMC link share it
  FakeSerialPort serial{failNextLinkOpen};
  FakeTcpClient bmc{failNextLinkOpen};
  FakeTcpClient update;
  int beeps = 0;
  std::vector<ShownMessageBox> messageBoxes;
  int screenHeightPixels = 1080;

 private:
  std::filesystem::path programDir_;
  FormFactory makeForm_;
  std::map<app::Window, std::unique_ptr<forms::Form>> windows_;
  std::map<app::Window, app::Rect> rects_;
};

}  // namespace bms::testing
