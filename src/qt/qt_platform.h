#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "base/platform.h"
#include "qt/qt_form.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_tcp_client.h"

class QMargins;
class QObject;
class QTimer;
class QWidget;

namespace bms::qt {

// The platform on Qt widgets. It makes the application object when there is none yet.
//
// Windows: openWindow builds a QtForm from the window's table and shows it; a window that
// is open already is shown, brought to the front and returned as it is. closeWindow
// destroys it without telling onWindowClosed. When the user closes a window, it is
// destroyed once its close event is over, and then onWindowClosed is called; a window
// that is opened again before that stays open and nothing is reported.
//
// Rectangles are the outer frame, title bar and borders included, as the window system
// reports them. Just after a window is first shown some window systems have not framed
// it yet: another window's frame stands in for its own; without one, a rectangle set is
// applied once the window has its frame (or, at the latest, after a second), and until
// then it is what the window's rectangle reads. Such a rectangle was read without a
// frame, so its size is kept for the inner area.
class QtPlatform : public base::Platform {
 public:
  // The program directory holds the settings file, the factory marker and COMn links;
  // by default it is the directory of the executable.
  QtPlatform();
  explicit QtPlatform(std::filesystem::path programDir);
  ~QtPlatform() override;
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

  std::unique_ptr<base::Timer> createTimer(std::string_view name) override;
  wire::SerialPort& serialPort() override { return serial_; }
  wire::TcpClient& bmcLink() override { return bmcLink_; }
  wire::TcpClient& updateLink() override { return updateLink_; }

  void beep() override;
  void showMessageBox(std::string_view text, std::string_view title) override;
  std::optional<std::filesystem::path> chooseFileToOpen(std::string_view title) override;
  std::optional<std::filesystem::path> chooseFileToSave(std::string_view title,
                                                        std::string_view suggestedName) override;
  bool askYesNo(std::string_view text, std::string_view title) override;
  int screenWidth() const override;
  int screenHeight() const override;
  std::filesystem::path programDir() const override;
  std::int64_t nowUtcMs() const override;

  QtForm& openWindow(base::Window window) override;
  QtForm* findWindow(base::Window window) override;
  void closeWindow(base::Window window) override;
  base::Rect windowRect(base::Window window) const override;
  void setWindowRect(base::Window window, base::Rect rect) override;

 private:
  class CloseWatcher;
  struct Slot {
    std::unique_ptr<QtForm> form;
    std::uint64_t generation = 0;            // tells a window from a later one of the same kind
    std::optional<base::Rect> pending = {};  // set before the window had a frame
  };

  // The frame around a window; one just shown may not have it yet, and then another
  // window's frame stands in for it, since a window system frames its windows alike.
  QMargins frameMargins(const QWidget* widget) const;
  void place(QWidget* widget, base::Rect rect) const;
  void placePending(bool lastChance);
  Slot& slot(base::Window window);
  const Slot& slot(base::Window window) const;
  void closeRequested(const QObject* widget);
  // The window a dialog belongs to: the active one, else the main window.
  QWidget* dialogParent();
  void userClosed(base::Window window, std::uint64_t generation);

  std::filesystem::path programDir_;
  QtSerialPort serial_;
  QtTcpClient bmcLink_;
  // The update query must never hold the user interface, not even for a name lookup.
  QtTcpClient updateLink_{QtTcpClient::kConnectBound, QtTcpClient::Connecting::InBackground};
  // Declared before the windows so that it outlives them.
  std::unique_ptr<CloseWatcher> watcher_;
  std::array<Slot, 9> windows_;      // one per base::Window
  std::unique_ptr<QTimer> framing_;  // looks for the frames of windows with a pending rectangle
  int framingTicks_ = 0;
  std::uint64_t generations_ = 0;
};

}  // namespace bms::qt
