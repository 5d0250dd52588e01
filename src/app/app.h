#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/recording_control.h"
#include "base/context.h"
#include "base/platform.h"
#include "link/link_control.h"
#include "link/link_status.h"
#include "link/reconnect.h"
#include "monitor/dispatcher.h"
#include "monitor/poll.h"
#include "monitor/run_monitor.h"
#include "monitor/status_refresh.h"
#include "params/bic_calibration.h"
#include "params/bic_settings.h"
#include "params/parameter_rows.h"
#include "params/sensor_calibration.h"
#include "params/setting_mode.h"
#include "profiles/profile_window.h"
#include "recorder/trends_window.h"
#include "records/counters.h"
#include "records/factory_window.h"
#include "service/can_debug.h"
#include "service/dc_charging.h"
#include "service/debug_window.h"
#include "service/error_prompt.h"
#include "service/password_change.h"
#include "service/update_query.h"
#include "service/warning_blink.h"

namespace bms::app {

// The whole application: owns the parts, wires them to the controls and the platform.
class App {
 public:
  explicit App(base::Platform& platform, service::UpdateServer updateServer = {});
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Creates the main window and runs the start-up sequence.
  void start();

  const std::optional<std::string>& factoryMarker() const { return factoryMarker_; }

 private:
  void bindHandlers();
  void applyChinese();
  void applyEnglish();
  void onWindowClosed(base::Window window);

  base::Context context_;
  std::optional<std::string> factoryMarker_;

  std::unique_ptr<base::Timer> refreshTimer_;
  std::unique_ptr<base::Timer> blinkTimer_;
  std::unique_ptr<base::Timer> updateQueryTimer_;
  std::unique_ptr<base::Timer> pollTimer_;

  link::LinkControl link_;
  link::Reconnect reconnect_;
  link::LinkStatus status_;
  monitor::Dispatcher dispatcher_;
  monitor::Poller poller_;
  monitor::RunMonitor runMonitor_;
  params::ParameterRows parameters_;
  records::Counters counters_;
  records::FactoryWindow factoryWindow_;
  params::SensorCalibration sensorCalibration_;
  params::BicSettings bicSettings_;
  params::BicCalibration bicCalibration_;
  params::SettingMode settingMode_;
  service::DcCharging dcCharging_;
  service::ErrorDisplay errors_;
  monitor::StatusRefresh refresh_;
  service::WarningBlink blink_;
  service::DebugWindow debugWindow_;
  service::UpdateQuery updateQuery_;
  service::PasswordChange passwordChange_;
  service::CanDebug canDebug_;
  profiles::ProfileWindow profileWindow_;
  RecordingControl recording_;
  recorder::TrendsWindow trendsWindow_;
};

}  // namespace bms::app
