#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/language.h"
#include "app/platform.h"
#include "monitor/bic_detail.h"
#include "service/debug_log.h"

namespace bms::app {

// The whole application: owns the parts, wires them to the controls and the platform.
class App {
 public:
  explicit App(Platform& platform);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Creates the main window and runs the start-up sequence.
  void start();

  forms::Form& main() { return *main_; }
  const std::optional<std::string>& factoryMarker() const { return factoryMarker_; }

 private:
  void bindHandlers();
  void applyChinese();
  void applyEnglish();
  void onWindowClosed(Window window);
  void enableConnectionSettings(bool enabled);

  Platform& platform_;
  forms::Form* main_ = nullptr;
  service::DebugLog log_;
  monitor::BicDetail bicDetail_;
  bool newVersionKnown_ = false;
  std::optional<std::string> factoryMarker_;

  std::unique_ptr<Timer> refreshTimer_;
  std::unique_ptr<Timer> blinkTimer_;
  std::unique_ptr<Timer> updateQueryTimer_;
  std::unique_ptr<Timer> pollTimer_;
};

}  // namespace bms::app
