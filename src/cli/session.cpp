#include "cli/session.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "cli/open_link.h"
#include "cli/progress.h"
#include "cli/report.h"
#include "cli/text_file.h"
#include "profiles/engine.h"
#include "qt/qt_timer.h"

namespace bms::cli {

namespace {

void Say(const std::string& text) {
  std::fputs(text.c_str(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

std::string UtcNow() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

std::string ProgressCaption(const Options& options) {
  switch (options.command) {
    case Command::Params:
    case Command::Backup:
      return "reading";
    case Command::Diff:
      return "comparing";
    case Command::Restore:
      return options.dryRun ? "comparing" : "restoring";
    case Command::Monitor:
    case Command::Record:
    case Command::Export:
      break;  // not run by this session
  }
  return "working";
}

}  // namespace

struct Session::Parts {
  std::unique_ptr<OpenLink> open;
  LineLink* link = nullptr;
  qt::QtTimer engineTimer{"engine"};
  std::unique_ptr<profiles::ProfileEngine> engine;
  std::unique_ptr<Progress> progress;
};

Session::Session(Options options) : options_(std::move(options)) {}

Session::~Session() = default;

std::optional<int> Session::begin() {
  if (const auto bad = checkInput()) return bad;
  parts_ = std::make_unique<Parts>();
  if (!open()) return kNoLink;
  return std::nullopt;
}

std::optional<int> Session::checkInput() {
  const auto catalogue = params::ParameterCatalogue();
  if (options_.command == Command::Diff || options_.command == Command::Restore) {
    const auto text = ReadTextFile(options_.file, profiles::kMaxProfileBytes);
    if (const auto* failure = std::get_if<FileFailure>(&text)) {
      Say(failure->reason);
      return kBadInput;
    }
    auto read = profiles::ReadProfileFile(std::get<std::string>(text), catalogue);
    if (const auto* error = std::get_if<profiles::FileError>(&read)) {
      Say(options_.file + ": " + error->message());
      return kBadInput;
    }
    profile_ = std::move(std::get<profiles::Profile>(read));
  }
  if (options_.command == Command::Backup) {
    const auto parent = std::filesystem::path(options_.file).parent_path();
    std::error_code error;
    if (!parent.empty() && !std::filesystem::is_directory(parent, error)) {
      Say(options_.file + ": no such folder");
      return kBadInput;
    }
  }
  return std::nullopt;
}

bool Session::open() {
  auto& parts = *parts_;
  parts.open = OpenLinkOf(options_);
  if (!parts.open) return false;
  parts.link = parts.open->link.get();

  profiles::EngineOptions engineOptions;
  engineOptions.timeoutMs = options_.timeoutMs;
  parts.engine = std::make_unique<profiles::ProfileEngine>(
      *parts.link, parts.engineTimer, params::ParameterCatalogue(), engineOptions);
  parts.progress =
      std::make_unique<Progress>(stderr, ::isatty(STDERR_FILENO) == 1, ProgressCaption(options_));
  parts.engine->onProgress = [this](std::size_t done, std::size_t total) {
    parts_->progress->update(done, total);
  };
  parts.engine->onFinished = [this] { onFinished(); };
  parts.link->onFrame = [this](std::string_view id, std::string_view data1,
                               std::string_view data2) {
    parts_->engine->onFrame(id, data1, data2);
  };
  parts.link->onReady = [this] { onReady(); };
  parts.link->onFailed = [this](std::string_view reason) { onFailed(std::string(reason)); };
  parts.link->start();
  return true;
}

void Session::onReady() {
  auto& engine = *parts_->engine;
  switch (options_.command) {
    case Command::Params:
    case Command::Backup:
      engine.readAll();
      break;
    case Command::Diff:
      engine.diff(*profile_);
      break;
    case Command::Restore:
      engine.restore(*profile_, options_.dryRun);
      break;
    case Command::Monitor:
    case Command::Record:
    case Command::Export:
      break;  // not run by this session
  }
}

void Session::onFailed(std::string reason) {
  lostReason_ = std::move(reason);
  auto& engine = *parts_->engine;
  if (engine.running()) {
    engine.onLinkLost();  // ends the run: the rows done are reported, then exit 3
    return;
  }
  Say(*lostReason_);
  end(kNoLink);
}

void Session::onFinished() {
  if (ended_) return;
  parts_->progress->finish();
  const auto& results = parts_->engine->results();
  Report report;
  switch (options_.command) {
    case Command::Params:
      report = ParamsReport(results);
      break;
    case Command::Backup: {
      const auto text = profiles::WriteProfileFile(
          parts_->engine->readProfile(options_.bmc, UtcNow()), params::ParameterCatalogue());
      const auto written = ReplaceTextFile(options_.file, text);
      if (const auto* failure = std::get_if<FileFailure>(&written)) {
        Say(failure->reason);
        end(kBadInput);
        return;
      }
      report.text = UnreadRows(results);
      if (!report.text.empty()) {
        Say(report.text);
        report = {{}, kRowsDiffer};
      }
      break;
    }
    case Command::Diff:
      report = DiffReport(results);
      break;
    case Command::Restore:
      report = RestoreReport(results, options_.dryRun);
      break;
    case Command::Monitor:
    case Command::Record:
    case Command::Export:
      break;  // not run by this session
  }
  std::fputs(report.text.c_str(), stdout);
  std::fflush(stdout);
  if (lostReason_) {
    Say("the link was lost: " + *lostReason_);
    end(kNoLink);
    return;
  }
  end(report.exitCode);
}

void Session::end(int exitCode) {
  ended_ = true;
  // Leave the event loop only after the current handler has returned.
  QTimer::singleShot(0, [exitCode] { QCoreApplication::exit(exitCode); });
}

}  // namespace bms::cli
