#include "cli/session.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "cli/line_link.h"
#include "cli/progress.h"
#include "cli/report.h"
#include "cli/text_file.h"
#include "profiles/engine.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_tcp_client.h"
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
  }
  return "working";
}

}  // namespace

struct Session::Parts {
  // The serial port opens COMn through an entry of that name in its directory; a private
  // directory with COM1 leading to the device gives it any device path.
  QTemporaryDir serialDir;
  std::unique_ptr<qt::QtTcpClient> tcp;
  std::unique_ptr<qt::QtSerialPort> serial;
  qt::QtTimer linkTimer{"link"};
  qt::QtTimer engineTimer{"engine"};
  std::unique_ptr<LineLink> link;
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
  LineLink::Settings settings;
  settings.bmc = options_.bmc;
  settings.password = options_.password;
  if (options_.link == LinkKind::Serial) {
    settings.mode = LineLink::Mode::Serial;
    const auto device =
        QDir::current().absoluteFilePath(QFile::decodeName(options_.device.c_str()));
    if (!parts.serialDir.isValid() ||
        !QFile::link(device, parts.serialDir.filePath(QStringLiteral("COM1")))) {
      Say("cannot reach the serial device " + options_.device);
      return false;
    }
    parts.serial = std::make_unique<qt::QtSerialPort>(parts.serialDir.path().toStdString());
    wire::SerialSettings serial;  // 9600 8N2
    if (!parts.serial->open(serial)) {
      Say("cannot open the serial device " + options_.device);
      return false;
    }
    parts.link = std::make_unique<LineLink>(*parts.serial, parts.linkTimer, settings);
  } else {
    settings.mode =
        options_.link == LinkKind::Relay ? LineLink::Mode::Relay : LineLink::Mode::Direct;
    parts.tcp = std::make_unique<qt::QtTcpClient>();
    if (!parts.tcp->connect(options_.host, options_.port)) {
      Say("cannot connect to " + options_.host + ":" + std::to_string(options_.port));
      return false;
    }
    parts.link = std::make_unique<LineLink>(*parts.tcp, parts.linkTimer, settings);
  }

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
