#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/platform.h"
#include "testing/fake_transports.h"
#include "testing/virtual_clock.h"

namespace bms::testing {

// Wall-clock time when the virtual clock reads 0: 2026-12-06 16:30:00 UTC.
inline constexpr std::int64_t kUtcAtZeroMs = 1796574600000;

// A dialog the application asked: "open", "save" or "yes/no", with its texts.
struct AskedDialog {
  std::string kind;
  std::string text;  // the question, or the suggested file name
  std::string title;
};

struct ShownMessageBox {
  std::string text;
  std::string title;
};

// A platform whose time, transports, beep and message boxes are fake; the windows are
// whatever the form factory makes (in memory, or real widgets).
class FakePlatform : public base::Platform {
 public:
  using FormFactory = std::function<std::unique_ptr<forms::Form>(const forms::FormTable&)>;

  FakePlatform(std::filesystem::path programDir, FormFactory makeForm);
  ~FakePlatform() override;

  std::unique_ptr<base::Timer> createTimer(std::string_view name) override;
  wire::SerialPort& serialPort() override { return serial; }
  wire::TcpClient& bmcLink() override { return bmc; }
  wire::TcpClient& updateLink() override { return update; }
  void beep() override { ++beeps; }
  void showMessageBox(std::string_view text, std::string_view title) override;
  std::optional<std::filesystem::path> chooseFileToOpen(std::string_view title) override;
  std::optional<std::filesystem::path> chooseFileToSave(std::string_view title,
                                                        std::string_view suggestedName) override;
  bool askYesNo(std::string_view text, std::string_view title) override;
  int screenWidth() const override { return screenWidthPixels; }
  int screenHeight() const override { return screenHeightPixels; }
  std::filesystem::path programDir() const override { return programDir_; }
  // The wall clock moves with the virtual one, from a fixed moment.
  std::int64_t nowUtcMs() const override { return utcAtZeroMs + clock.now(); }
  forms::Form& openWindow(base::Window window) override;
  forms::Form* findWindow(base::Window window) override;
  void closeWindow(base::Window window) override;
  base::Rect windowRect(base::Window window) const override;
  void setWindowRect(base::Window window, base::Rect rect) override;

  // The user closes a window: it is destroyed, then the application is told.
  void userCloseWindow(base::Window window);

  // Declared first, so that the timers made from it go before it does.
  VirtualClock clock;
  bool failNextLinkOpen = false;  // the serial port and the BMC link share it
  FakeSerialPort serial{failNextLinkOpen};
  FakeTcpClient bmc{failNextLinkOpen};
  FakeTcpClient update;
  int beeps = 0;
  std::vector<ShownMessageBox> messageBoxes;
  // Dialogs are answered at once from these queues; an empty queue cancels (or says no).
  std::deque<std::optional<std::filesystem::path>> openAnswers;
  std::deque<std::optional<std::filesystem::path>> saveAnswers;
  std::deque<bool> yesNoAnswers;
  std::vector<AskedDialog> dialogs;
  std::int64_t utcAtZeroMs = kUtcAtZeroMs;
  int screenWidthPixels = 1920;
  int screenHeightPixels = 1080;

 private:
  std::filesystem::path programDir_;
  FormFactory makeForm_;
  std::map<base::Window, std::unique_ptr<forms::Form>> windows_;
  std::map<base::Window, base::Rect> rects_;
};

}  // namespace bms::testing
