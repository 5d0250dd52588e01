#pragma once

#include <string_view>

#include "base/context.h"
#include "link/link_control.h"
#include "monitor/dispatcher.h"

namespace bms::params {

// The two commands that share request 09A0001E and answer 09A1001F: entering the setting
// mode (page "Allow set") and restarting the controller, which asks for a confirmation
// code first (page "Control").
class SettingMode {
 public:
  SettingMode(base::Context& context, link::LinkControl& link) : context_(context), link_(link) {}
  SettingMode(const SettingMode&) = delete;
  SettingMode& operator=(const SettingMode&) = delete;

  // The two buttons; the main window must exist.
  void bind();
  void registerDecoder(monitor::Dispatcher& dispatcher);

 private:
  void onSettingModeButton();
  void onRestartButton();
  void onAnswer(std::string_view data1);

  base::Context& context_;
  link::LinkControl& link_;
};

}  // namespace bms::params
