#include "cli/watch_session.h"

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <vector>

#include "app/identity.h"
#include "cli/open_link.h"
#include "cli/pack_watch.h"
#include "cli/report.h"
#include "cli/run_row.h"
#include "qt/qt_timer.h"
#include "recorder/recorder.h"

namespace bms::cli {

namespace {

constexpr int kPollIntervalMs = 1000;  // one request a second, as the GUI's poll

void Say(const std::string& text) {
  std::fputs((text + "\n").c_str(), stderr);
  std::fflush(stderr);
}

std::int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

bool FolderMissing(const std::string& file) {
  const auto parent = std::filesystem::path(file).parent_path();
  std::error_code error;
  return !parent.empty() && !std::filesystem::is_directory(parent, error);
}

}  // namespace

struct WatchSession::Parts {
  std::unique_ptr<recorder::Recorder> recorder;  // record only
  std::unique_ptr<OpenLink> open;
  PackWatch watch;
  qt::QtTimer pollTimer{"poll"};
  qt::QtTimer deadline{"deadline"};
};

WatchSession::WatchSession(Options options) : options_(std::move(options)) {}

WatchSession::~WatchSession() {
  if (parts_ && parts_->recorder) parts_->recorder->stop();
  if (csv_) std::fclose(csv_);
}

std::optional<int> WatchSession::begin() {
  parts_ = std::make_unique<Parts>();
  if (const auto bad = prepareOutput()) return bad;
  parts_->open = OpenLinkOf(options_);
  if (!parts_->open) {
    if (parts_->recorder) parts_->recorder->stop();
    return kNoLink;
  }
  wire();
  parts_->deadline.onTick = [this] { finish(); };
  parts_->deadline.setInterval(options_.seconds * 1000);
  parts_->open->link->start();
  return std::nullopt;
}

// The output file is made before the link opens: a file that cannot be written is bad
// input, and nothing has been sent.
std::optional<int> WatchSession::prepareOutput() {
  const bool record = options_.command == Command::Record;
  const auto& file = record ? options_.file : options_.csvFile;
  if (file.empty()) return std::nullopt;
  if (FolderMissing(file)) {
    Say(file + ": no such folder");
    return kBadInput;
  }
  if (!record) {
    csv_ = std::fopen(file.c_str(), "wb");
    if (!csv_) {
      Say(file + ": cannot be written");
      return kBadInput;
    }
    std::vector<std::string> header(kRunRowColumns.begin(), kRunRowColumns.end());
    std::fputs(RunRowCsv(header).c_str(), csv_);
    return std::nullopt;
  }
  std::error_code error;
  if (std::filesystem::exists(file, error)) {
    Say(file + ": exists already; a recording is never overwritten");
    return kBadInput;
  }
  parts_->recorder =
      std::make_unique<recorder::Recorder>(std::make_unique<qt::QtTimer>("recording commit"));
  std::string failure;
  parts_->recorder->onFailed = [&failure](const base::Failure& reason) {
    failure = reason.english;
  };
  const recorder::RecordingMeta meta{options_.bmc, "", std::string(app::kVersionText)};
  if (!parts_->recorder->start(file, meta, NowMs())) {
    Say(failure);
    return kBadInput;
  }
  parts_->recorder->onFailed = [this](const base::Failure& reason) {
    Say(reason.english);
    end(kBadInput);
  };
  return std::nullopt;
}

void WatchSession::wire() {
  auto& link = *parts_->open->link;
  auto& watch = parts_->watch;
  auto* recorder = parts_->recorder.get();
  if (recorder) {
    link.onReceivedLine = [recorder](std::string_view line) {
      recorder->onTraffic(NowMs(), recorder::Direction::Received, line);
    };
    link.onSentLine = [recorder](std::string_view line) {
      recorder->onTraffic(NowMs(), recorder::Direction::Sent, line);
    };
    watch.onAlarms = [this, recorder](const base::Alarms& alarms) {
      recorder->onAlarms(NowMs(), alarms, parts_->watch.extremes());
    };
    watch.onCells = [this, recorder](const BicCells& cells) {
      ++bicReadings_;
      recorder->onCells(NowMs(), cells.bic, cells.cellsMv, cells.balancing, cells.temperatures);
    };
    parts_->pollTimer.onTick = [this] { onPollTick(); };
  }
  watch.onRunData = [this, recorder](const monitor::RunValues& values, const base::Alarms& alarms) {
    const auto now = NowMs();
    ++sets_;
    if (recorder) {
      recorder->onRunData(now, values);
      return;
    }
    const auto fields = RunRowFields(now, values, alarms);
    onRunRow(RunRowCsv(fields), RunRowLine(fields));
  };
  link.onFrame = [this](std::string_view id, std::string_view data1, std::string_view data2) {
    parts_->watch.onFrame(id, data1, data2);
  };
  link.onReady = [this, recorder] {
    ready_ = true;
    if (!recorder) return;
    onPollTick();
    parts_->pollTimer.setInterval(kPollIntervalMs);
  };
  link.onFailed = [this](std::string_view reason) { lose(std::string(reason)); };
  if (!recorder) {
    std::vector<std::string> header(kRunRowColumns.begin(), kRunRowColumns.end());
    std::fputs(RunRowLine(header).c_str(), stdout);
    std::fflush(stdout);
  }
}

void WatchSession::onPollTick() {
  if (!ready_ || ended_) return;
  if (const auto request = parts_->watch.nextRequest()) {
    parts_->open->link->sendFrame(*request, "FFFFFFFF", "FFFFFFFF");
  }
}

void WatchSession::onRunRow(const std::string& csvRecord, const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fflush(stdout);
  if (!csv_) return;
  // Flushed per row: a run cut short still leaves every row it printed.
  if (std::fputs(csvRecord.c_str(), csv_) < 0 || std::fflush(csv_) != 0) {
    Say(options_.csvFile + ": cannot be written");
    end(kBadInput);
  }
}

void WatchSession::finish() {
  if (ended_) return;
  if (parts_->recorder) {
    parts_->recorder->stop();
    if (ended_) return;  // the last commit failed and was reported
    Say("recorded " + std::to_string(sets_) + " run data sets and " + std::to_string(bicReadings_) +
        " BIC readings into " + options_.file);
  }
  if (sets_ == 0) {
    Say("no complete set of run data arrived in " + std::to_string(options_.seconds) + " s");
    end(kRowsDiffer);
    return;
  }
  end(kDone);
}

void WatchSession::lose(const std::string& reason) {
  if (ended_) return;
  if (parts_->recorder) parts_->recorder->stop();
  Say("the link was lost: " + reason);
  end(kNoLink);
}

void WatchSession::end(int exitCode) {
  if (ended_) return;
  ended_ = true;
  parts_->deadline.setInterval(0);
  parts_->pollTimer.setInterval(0);
  if (csv_) {
    std::fclose(csv_);
    csv_ = nullptr;
  }
  // Leave the event loop only after the current handler has returned.
  QTimer::singleShot(0, [exitCode] { QCoreApplication::exit(exitCode); });
}

}  // namespace bms::cli
