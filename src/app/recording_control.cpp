#include "app/recording_control.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <span>
#include <system_error>

#include "app/identity.h"
#include "base/language.h"
#include "wire/frame_bytes.h"

namespace bms::app {

namespace {

constexpr std::string_view kRecordButton = "录制按钮";
constexpr std::string_view kFiguresLabel = "录制状态标签";
constexpr std::string_view kJournalButton = "告警日志按钮";
constexpr std::string_view kHeatMapButton = "热图按钮";
constexpr std::string_view kAlarmFrame = "09A10005";
constexpr std::string_view kExtremePositionsFrame = "09A10043";
constexpr std::string_view kBicSummaryPrefix = "09A111";
constexpr unsigned kWholeCellSet = 0xFE;  // kinds 1 to 7

// Rows hold a line without its end, whichever way it went.
std::string_view WithoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  return line;
}

}  // namespace

std::string RecordingFigures(std::int64_t elapsedMs, std::uintmax_t bytes) {
  const std::int64_t seconds = std::max<std::int64_t>(0, elapsedMs / 1000);
  char text[64];
  const double kilo = static_cast<double>(bytes) / 1000.0;
  // Below what would round to 1000.0 kB.
  if (kilo < 999.95) {
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld  %.1f kB",
                  static_cast<long long>(seconds / 3600), static_cast<long long>(seconds / 60 % 60),
                  static_cast<long long>(seconds % 60), kilo);
  } else {
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld  %.1f MB",
                  static_cast<long long>(seconds / 3600), static_cast<long long>(seconds / 60 % 60),
                  static_cast<long long>(seconds % 60), kilo / 1000.0);
  }
  return text;
}

std::string RecordingFileName(std::int64_t utcMs) {
  const auto seconds = static_cast<std::time_t>(utcMs / 1000);
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[64];
  std::strftime(text, sizeof text, "bms-recording-%Y%m%d-%H%M%S.sqlite", &local);
  return text;
}

RecordingControl::RecordingControl(base::Context& context, monitor::Dispatcher& dispatcher,
                                   const monitor::RunValues& values)
    : context_(context),
      dispatcher_(dispatcher),
      values_(values),
      statusTimer_(context.platform.createTimer("录制状态刷新定时器")),
      recorder_(context.platform.createTimer("录制提交定时器")),
      journalWindow_(context, journal_),
      heatMapWindow_(context) {
  statusTimer_->onTick = [this] { showFigures(); };
  recorder_.onFailed = [this](const base::Failure& failure) { onFailed(failure); };
}

void RecordingControl::bind() {
  auto& main = context_.main();
  main.bind(kRecordButton, forms::Event::Click, [this] { onRecordButton(); });
  main.bind(kJournalButton, forms::Event::Click, [this] { journalWindow_.open(); });
  main.bind(kHeatMapButton, forms::Event::Click, [this] { heatMapWindow_.open(); });
}

bool RecordingControl::english() const {
  return context_.mainWindow != nullptr && base::IsEnglish(*context_.mainWindow);
}

void RecordingControl::applyLanguage() {
  showButton();
  journalWindow_.refresh();
  heatMapWindow_.refresh();
}

void RecordingControl::onMainWindowClosed() {
  statusTimer_->setInterval(0);
  recorder_.stop();
}

void RecordingControl::onNewConnection() {
  extremes_.clear();
  heatMapWindow_.onNewConnection(context_.main().text("BMC编号编辑框"));
  cellKinds_ = 0;
}

void RecordingControl::onRecordButton() {
  if (recorder_.recording()) {
    stopRecording();
  } else {
    startRecording();
  }
}

void RecordingControl::startRecording() {
  auto& platform = context_.platform;
  const auto suggested = platform.programDir() / RecordingFileName(platform.nowUtcMs());
  const auto path =
      platform.chooseFileToSave(english() ? "Record to" : "录制到文件", suggested.string());
  if (!path) return;
  auto& main = context_.main();
  const std::string firmware = main.text("BMC主机版本显示");
  // The version box shows "*" or nothing until the controller has told it.
  const bool firmwareKnown =
      !firmware.empty() &&
      std::all_of(firmware.begin(), firmware.end(), [](char c) { return c >= '0' && c <= '9'; });
  const recorder::RecordingMeta meta{main.text("BMC编号编辑框"), firmwareKnown ? firmware : "",
                                     std::string(kVersionText)};
  elapsedMs_ = 0;
  bytes_ = 0;
  if (!recorder_.start(*path, meta, platform.nowUtcMs())) return;
  statusTimer_->setInterval(kStatusIntervalMs);
  showButton();
  showFigures();
}

void RecordingControl::stopRecording() {
  showFigures();
  const auto path = recorder_.path();
  recorder_.stop();
  statusTimer_->setInterval(0);
  // Closed, the file has taken in its write-ahead log: this is its final size.
  std::error_code error;
  if (const auto size = std::filesystem::file_size(path, error); !error) bytes_ = size;
  context_.main().setText(kFiguresLabel, RecordingFigures(elapsedMs_, bytes_));
  showButton();
}

void RecordingControl::onFailed(const base::Failure& failure) {
  statusTimer_->setInterval(0);
  context_.fail(failure.english, failure.chinese);
  if (context_.mainWindow != nullptr) showButton();
}

void RecordingControl::showButton() {
  if (context_.mainWindow == nullptr) return;
  const bool recording = recorder_.recording();
  const bool isEnglish = english();
  context_.main().setText(kRecordButton, recording ? (isEnglish ? "Stop recording" : "停止录制")
                                                   : (isEnglish ? "Record" : "录制"));
}

void RecordingControl::showFigures() {
  if (!recorder_.recording()) return;
  elapsedMs_ = recorder_.elapsedMs(context_.platform.nowUtcMs());
  bytes_ = recorder_.fileBytes();
  context_.main().setText(kFiguresLabel, RecordingFigures(elapsedMs_, bytes_));
}

void RecordingControl::onSent(std::string_view line) {
  if (recorder_.recording()) {
    recorder_.onTraffic(context_.platform.nowUtcMs(), recorder::Direction::Sent,
                        WithoutLineEnd(line));
  }
}

void RecordingControl::dispatchLine(std::string_view line) {
  if (recorder_.recording()) {
    recorder_.onTraffic(context_.platform.nowUtcMs(), recorder::Direction::Received,
                        WithoutLineEnd(line));
  }
  // The activity flags gather until the next refresh tick; cleared around the dispatch,
  // they tell what this one line completed, and are then put back as they were.
  auto& activity = context_.activity;
  const base::Activity before = activity;
  activity.runDataComplete = false;
  activity.cellFrames.fill(false);
  alarmFrame_ = false;
  dispatcher_.dispatchLine(line);
  int cellFrameKind = 0;
  for (std::size_t kind = 1; kind < activity.cellFrames.size(); ++kind) {
    if (activity.cellFrames[kind]) cellFrameKind = static_cast<int>(kind);
    activity.cellFrames[kind] = activity.cellFrames[kind] || before.cellFrames[kind];
  }
  const bool runDataComplete = activity.runDataComplete;
  activity.runDataComplete = runDataComplete || before.runDataComplete;
  afterLine(runDataComplete, cellFrameKind);
}

void RecordingControl::onAnswer(std::string_view id, std::string_view data1,
                                std::string_view data2) {
  if (id == kAlarmFrame) alarmFrame_ = true;
  if (id == kExtremePositionsFrame) extremes_.onExtremePositions(data1, data2);
  if (id.starts_with(kBicSummaryPrefix)) {
    balancing_ = static_cast<std::uint32_t>(wire::FrameBytes(data1, data2).word(3));
  }
}

void RecordingControl::afterLine(bool runDataComplete, int cellFrameKind) {
  if (cellFrameKind != 0) onCellFrame(cellFrameKind);
  if (!runDataComplete && !alarmFrame_) return;
  const auto now = context_.platform.nowUtcMs();
  if (runDataComplete) trends_.append(recorder::SampleOf(now, values_));
  if (runDataComplete && recorder_.recording()) recorder_.onRunData(now, values_);
  if (!alarmFrame_) return;
  const auto extremes = extremes_.extremes(values_);
  const auto events = journal_.update(now, context_.alarms, extremes);
  trends_.addAlarmOnsets(events);
  if (!events.empty()) journalWindow_.refresh();
  recorder_.onAlarms(now, context_.alarms, extremes);
}

void RecordingControl::onCellFrame(int kind) {
  const auto& bic = context_.bic;
  // A set begins with the BIC's summary and belongs to the BIC planned then.
  if (kind == 1) {
    cellKinds_ = 0;
    cellsBic_ = bic.plannedBic;
  } else if (cellsBic_ != bic.plannedBic) {
    cellKinds_ = 0;
    return;
  }
  cellKinds_ |= 1U << static_cast<unsigned>(kind);
  if (cellKinds_ != kWholeCellSet) return;
  cellKinds_ = 0;
  const auto cells = std::span<const int>(bic.cellMillivolts)
                         .first(static_cast<std::size_t>(std::clamp(
                             bic.cellsOnBic, 0, static_cast<int>(bic.cellMillivolts.size()))));
  const auto sensors = std::span<const int>(bic.temperatures)
                           .first(static_cast<std::size_t>(std::clamp(
                               bic.sensorsOnBic, 0, static_cast<int>(bic.temperatures.size()))));
  extremes_.onCells(cellsBic_, cells);
  heatMapWindow_.onCells(cellsBic_, cells, balancing_, sensors);
  if (recorder_.recording()) {
    recorder_.onCells(context_.platform.nowUtcMs(), cellsBic_, cells, balancing_, sensors);
  }
}

}  // namespace bms::app
