#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/chart_data.h"
#include "forms/heat_map_data.h"

// The whole application, headless, driven as a person would drive it. Time, transports,
// beep and message boxes are fake; the windows are in memory or real Qt widgets.
namespace bms::testing {

struct Rgb {
  int r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};
struct MessageBox {
  std::string text, title;
};
// A modal dialog the application asked: kind "open", "save" or "yes/no"; text is the
// question, or the file name a save dialog suggested.
struct Dialog {
  std::string kind, text, title;
};
enum class Backend { Memory, Qt };

class Driver {
 public:
  explicit Driver(Backend backend = Backend::Memory);
  ~Driver();
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;

  // Program directory: a fresh empty folder per Driver, removed by the destructor.
  std::filesystem::path programDir() const;
  void writeFile(const std::string& name, const std::string& bytes);
  std::optional<std::string> readFile(const std::string& name) const;

  void start();            // create the main window and run the start-up sequence
  void closeMainWindow();  // the user closes the main window

  // Controls: "name" on the main window or "window:name"; windows are
  // main, debug, error, factory, bic. A name that does not exist (or a window that
  // is not open) throws std::invalid_argument naming it; exists() never throws.
  bool click(std::string_view control);  // false (and nothing happens) if disabled or hidden
  void setText(std::string_view control,
               std::string_view text);               // as typed: max length applies;
                                                     // nothing happens if disabled or hidden
  void select(std::string_view control, int index);  // combo item (-1 = none) or tab page
  std::string text(std::string_view control) const;  // caption, edit text, or selected item text
  std::vector<std::string> items(
      std::string_view control) const;  // combo items, or tab page captions
  Rgb background(std::string_view control) const;
  Rgb textColor(std::string_view control) const;
  Rgb fill(std::string_view control) const;
  bool enabled(std::string_view control) const;
  bool visible(std::string_view control) const;  // the control's own flag
  bool checked(std::string_view control) const;
  int index(std::string_view control) const;  // combo selection (-1 = none) or current tab page
  int value(std::string_view control) const;
  bool exists(std::string_view control) const;
  std::string toolTip(std::string_view control) const;  // "" = none; tab pages too

  bool isOpen(std::string_view window) const;
  void closeWindow(std::string_view window);  // the user closes it
  std::string title(std::string_view window = "main") const;
  Rect rect(std::string_view window) const;
  void moveWindow(std::string_view window, int left, int top);
  void setScreenHeight(int pixels);  // default 1080
  void setScreenWidth(int pixels);   // default 1920

  // Virtual time: moves the clock ms forward and runs every tick due at or before the
  // new time, in time order; ticks due at the same moment run in the order their
  // timers were last (re)started. The clock starts at 0 when the Driver is made.
  void advance(int ms);
  int interval(std::string_view timer) const;  // "name" or "bic:name"; 0 = stopped

  // The BMC link, whichever transport the tool opened.
  std::string link() const;              // "", "serial COM<n> 9600 8N2" or "tcp <host>:<port>"
  void failNextOpen();                   // the next serial open or TCP connect fails
  std::vector<std::string> sent();       // whole lines written to the open link since the last call
  void receive(std::string_view bytes);  // TCP: one data event; serial: one event per byte
  void peerClose();                      // the TCP peer closes
  void unplugSerial();                   // the serial adapter goes away while open

  // The update server.
  std::string updateLink() const;            // "" or "tcp <host>:<port>" while connected
  std::string updateSent();                  // bytes the update client sent since the last call
  void updateReply(std::string_view bytes);  // one data event on the update client
  void failNextUpdateConnect();

  int beeps() const;
  std::vector<MessageBox> messageBoxes() const;  // every modal box shown, answered OK at once

  // The windows "profile" and "journal" are addressed like the others ("profile:name").
  // Tables: rows, cell texts and cell backgrounds ("" and white outside the table).
  int rowCount(std::string_view control) const;
  std::string cell(std::string_view control, int row, int column) const;
  Rgb cellBackground(std::string_view control, int row, int column) const;
  // A heat map's rows of tiles and its legend, as the program last set them; the window
  // "heatmap" is addressed like the others.
  forms::HeatMapData heatMap(std::string_view control) const;
  // Charts: what one shows, and the width of its plot in pixels.
  forms::ChartData chart(std::string_view control) const;
  int chartWidth(std::string_view control) const;

  // Dialogs are answered at once, each from its own queue of answers in order; with the
  // queue empty the user cancels (or answers no). A relative name is a file in the
  // program directory.
  void answerOpenFile(const std::string& name);
  void answerSaveFile(const std::string& name);
  void answerYesNo(bool yes);
  std::vector<Dialog> dialogs() const;  // every dialog asked, in order

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace bms::testing
