#include "recorder/recorder.h"

#include <string>
#include <system_error>

namespace bms::recorder {

Recorder::Recorder(std::unique_ptr<base::Timer> commitTimer) : timer_(std::move(commitTimer)) {
  timer_->onTick = [this] { commit(); };
}

Recorder::~Recorder() {
  timer_->onTick = nullptr;
  file_.close();
}

bool Recorder::start(const std::filesystem::path& path, const RecordingMeta& meta,
                     std::int64_t nowMs) {
  stop();
  path_ = path;
  startMs_ = nowMs;
  lastAlarms_ = {};
  if (!file_.create(path, meta, nowMs)) {
    if (onFailed) {
      const auto reason = file_.lastError();
      onFailed({"Could not create the recording " + path.string() + ": " + reason,
                "无法创建录制文件 " + path.string() + "：" + reason});
    }
    return false;
  }
  timer_->setInterval(kCommitIntervalMs);
  return true;
}

void Recorder::stop() {
  timer_->setInterval(0);
  if (file_.isOpen()) check(file_.close());
}

void Recorder::check(bool written) {
  if (written) return;
  timer_->setInterval(0);
  file_.close();
  if (onFailed) {
    const auto reason = file_.lastError();
    onFailed({"Recording stopped: could not write " + path_.string() + ": " + reason,
              "录制已停止：无法写入 " + path_.string() + "：" + reason});
  }
}

void Recorder::onRunData(std::int64_t nowMs, const monitor::RunValues& values) {
  if (recording()) check(file_.addRunData(nowMs, values));
}

void Recorder::onCells(std::int64_t nowMs, int bic, std::span<const int> cellsMv,
                       std::uint32_t balancing, std::span<const int> temperatures) {
  if (recording()) check(file_.addCells(nowMs, bic, cellsMv, balancing));
  if (recording()) check(file_.addTemperatures(nowMs, bic, temperatures));
}

void Recorder::onTraffic(std::int64_t nowMs, Direction direction, std::string_view line) {
  if (!recording()) return;
  check(file_.addTraffic(nowMs, direction == Direction::Received ? "rx" : "tx", line));
}

void Recorder::onAlarms(std::int64_t nowMs, const base::Alarms& alarms,
                        const CellExtremes& extremes) {
  if (!recording()) return;
  for (const auto& change : AlarmTransitions(lastAlarms_, alarms)) {
    if (!recording()) break;
    check(file_.addAlarm({nowMs, change.flag, change.on, extremes}));
  }
  lastAlarms_ = alarms;
}

void Recorder::commit() {
  if (recording()) check(file_.commit());
}

std::int64_t Recorder::elapsedMs(std::int64_t nowMs) const {
  return recording() ? nowMs - startMs_ : 0;
}

std::uintmax_t Recorder::fileBytes() const {
  if (!recording()) return 0;
  std::error_code error;
  std::uintmax_t total = 0;
  for (const auto& part : {path_, std::filesystem::path(path_.string() + "-wal")}) {
    const auto size = std::filesystem::file_size(part, error);
    if (!error) total += size;
  }
  return total;
}

}  // namespace bms::recorder
