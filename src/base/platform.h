#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "forms/form.h"
#include "wire/transport.h"

namespace bms::base {

// A timer ticking on the user-interface thread.
class Timer {
 public:
  virtual ~Timer() = default;
  // A positive interval (re)starts the timer from now; 0 stops it.
  virtual void setInterval(int ms) = 0;
  virtual int interval() const = 0;

  std::function<void()> onTick;
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

enum class Window {
  Main,
  Debug,
  Error,
  Factory,
  Bic,
  Profile,
  Journal,
  HeatMap,
  Trends,
};

// Everything the application asks of the machine it runs on.
class Platform {
 public:
  virtual ~Platform() = default;

  // name identifies the timer to tests, e.g. "通信控制定时器".
  virtual std::unique_ptr<Timer> createTimer(std::string_view name) = 0;
  virtual wire::SerialPort& serialPort() = 0;
  virtual wire::TcpClient& bmcLink() = 0;     // the BMC or relay connection
  virtual wire::TcpClient& updateLink() = 0;  // the update query

  virtual void beep() = 0;
  // Modal; returns when the user has pressed OK.
  virtual void showMessageBox(std::string_view text, std::string_view title) = 0;
  // Modal file choosers for profile files (*.json); nullopt when the user cancels.
  virtual std::optional<std::filesystem::path> chooseFileToOpen(std::string_view title) = 0;
  virtual std::optional<std::filesystem::path> chooseFileToSave(std::string_view title,
                                                                std::string_view suggestedName) = 0;
  // Modal; true when the user answers yes.
  virtual bool askYesNo(std::string_view text, std::string_view title) = 0;
  // The room windows may take on the screen, in pixels: the screen without its task bar.
  virtual int screenWidth() const = 0;
  virtual int screenHeight() const = 0;
  virtual std::filesystem::path programDir() const = 0;
  // Wall-clock time in milliseconds since 1970, UTC: the stamp of recorded rows.
  virtual std::int64_t nowUtcMs() const = 0;

  // Builds the window from its table and shows it; an open window is returned as it is.
  virtual forms::Form& openWindow(Window window) = 0;
  virtual forms::Form* findWindow(Window window) = 0;  // nullptr while closed
  virtual void closeWindow(Window window) = 0;
  virtual Rect windowRect(Window window) const = 0;
  virtual void setWindowRect(Window window, Rect rect) = 0;

  // The user closed a window (the platform has already destroyed it).
  std::function<void(Window)> onWindowClosed;
};

// The rectangle moved up and in, and shrunk where it is larger than the screen, so that
// the window lies wholly on the platform's screen; one that does already stays as it is.
Rect KeepOnScreen(const Platform& platform, Rect rect);

// Moves an open window so that its centre is the main window's, computed exactly and then
// cut toward zero.
void CentreOnMain(Platform& platform, Window window);

}  // namespace bms::base
