#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/context.h"
#include "link/link_control.h"
#include "profiles/engine.h"
#include "profiles/templates.h"

namespace bms::profiles {

// The profile window: every parameter row with the controller's value beside a file's
// (or a chemistry template's), read, saved, opened and written back through the engine.
// Runs go on in the background, so the main window stays usable; nothing is written
// without the user's confirmation.
class ProfileWindow {
 public:
  ProfileWindow(base::Context& context, link::LinkControl& link);
  ProfileWindow(const ProfileWindow&) = delete;
  ProfileWindow& operator=(const ProfileWindow&) = delete;

  // The main window's buttons that open the window; the main window must exist.
  void bind();
  // Every answer frame received; a run waiting for one takes it.
  void onFrame(std::string_view id, std::string_view data1, std::string_view data2);
  // The link went away or was closed: a run ends, its rows not done say so.
  void onLinkLost();
  // The window (or the main window with it) closed: a run is cancelled.
  void onClosed();
  // The main window switched language.
  void applyLanguage();

 private:
  // The GUI link as the engine sees it.
  class GuiLink : public FrameLink {
   public:
    GuiLink(base::Context& context, link::LinkControl& link) : context_(context), link_(link) {}
    bool isOpen() const override { return context_.connection.connected; }
    void sendFrame(std::string_view id, std::string_view data1, std::string_view data2) override {
      link_.sendFrame(id, data1, data2);
    }

   private:
    base::Context& context_;
    link::LinkControl& link_;
  };

  // What the table shows of one catalogue row.
  struct RowView {
    std::optional<std::string> controller;
    std::optional<std::string> file;
    std::optional<RowState> state;  // of the last run that reached the row
  };

  forms::Form& open();
  void openWithTemplate(Chemistry chemistry);
  void onOpenFile();
  void onSaveAs();
  void onWriteChanges();
  void onProgress(std::size_t done, std::size_t total);
  void onFinished();
  void loadFile(Profile profile, std::string english, std::string chinese);
  void start(void (ProfileWindow::*run)());
  void runReadAll();
  void runRestore();
  std::size_t differingRows() const;
  bool anyRead() const;
  void showAll();
  void showRow(std::size_t index);
  void showSummary(std::string english, std::string chinese);
  void showTexts();
  void showButtons();
  Profile controllerProfile() const;
  bool english() const;
  forms::Form* window();

  base::Context& context_;
  GuiLink link_;
  std::unique_ptr<base::Timer> timer_;
  ProfileEngine engine_;
  std::vector<RowView> rows_;
  std::optional<Profile> file_;
  // Texts kept in both languages, so that a language switch rewrites them.
  std::string fileEnglish_;
  std::string fileChinese_;
  std::string summaryEnglish_;
  std::string summaryChinese_;
};

}  // namespace bms::profiles
