#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "app/cell_extremes.h"
#include "app/journal_window.h"
#include "base/context.h"
#include "monitor/dispatcher.h"
#include "monitor/run_monitor.h"
#include "recorder/alarm_journal.h"
#include "recorder/heat_map_window.h"
#include "recorder/recorder.h"
#include "recorder/trend_store.h"

namespace bms::app {

// The status bar's Record button and its figures, and what goes into a recording: every
// line both ways, each complete run data set, each BIC's cells once all its detail frames
// have come, and the alarm flags after every alarm frame. The alarm journal runs whether
// or not a recording does. Rows are stamped with the platform's wall clock; the link may
// drop and come back meanwhile, and the recording simply goes on.
class RecordingControl {
 public:
  static constexpr int kStatusIntervalMs = 1000;

  RecordingControl(base::Context& context, monitor::Dispatcher& dispatcher,
                   const monitor::RunValues& values);
  RecordingControl(const RecordingControl&) = delete;
  RecordingControl& operator=(const RecordingControl&) = delete;

  // Binds the status bar buttons; the main window must exist.
  void bind();
  void applyLanguage();
  // The main window is closing: the recording ends whole.
  void onMainWindowClosed();

  // The user opened a link anew: the cells known so far may be another pack's.
  void onNewConnection();
  void onSent(std::string_view line);
  // Hands a received line to the dispatcher and records what its decoders made of it.
  void dispatchLine(std::string_view line);
  // Every accepted answer frame, before its decoder.
  void onAnswer(std::string_view id, std::string_view data1, std::string_view data2);

  const recorder::AlarmJournal& journal() const { return journal_; }
  // The last day of run data and alarm onsets, for the trends window.
  const recorder::TrendStore& trends() const { return trends_; }

 private:
  void onRecordButton();
  void startRecording();
  void stopRecording();
  void onFailed(const base::Failure& failure);
  void showButton();
  void showFigures();
  void afterLine(bool runDataComplete, int cellFrameKind);
  void onCellFrame(int kind);
  bool english() const;

  base::Context& context_;
  monitor::Dispatcher& dispatcher_;
  const monitor::RunValues& values_;
  std::unique_ptr<base::Timer> statusTimer_;
  recorder::Recorder recorder_;
  recorder::AlarmJournal journal_;
  recorder::TrendStore trends_ = recorder::TrendStore::Live();
  JournalWindow journalWindow_;
  recorder::HeatMapWindow heatMapWindow_;
  CellExtremesTracker extremes_;
  std::int64_t elapsedMs_ = 0;  // of the last recording, shown after it ended
  std::uintmax_t bytes_ = 0;
  bool alarmFrame_ = false;  // the line in dispatch was a 09A10005
  // The cell detail frames of the planned BIC since its set began, bit k for kind k.
  unsigned cellKinds_ = 0;
  int cellsBic_ = 0;
  std::uint32_t balancing_ = 0;
};

// "00:12:34  3.2 MB": hours grow past 99 rather than wrap.
std::string RecordingFigures(std::int64_t elapsedMs, std::uintmax_t bytes);
// bms-recording-YYYYMMDD-HHMMSS.sqlite in local time.
std::string RecordingFileName(std::int64_t utcMs);

}  // namespace bms::app
