#include <QCoreApplication>
#include <cstdio>
#include <string_view>
#include <vector>

#include "cli/arguments.h"
#include "cli/export_command.h"
#include "cli/report.h"
#include "cli/session.h"
#include "cli/watch_session.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const auto parsed = bms::cli::ParseArguments(arguments);
  if (std::holds_alternative<bms::cli::HelpWanted>(parsed)) {
    std::fputs(bms::cli::kUsage.data(), stdout);
    return bms::cli::kDone;
  }
  if (const auto* error = std::get_if<bms::cli::UsageError>(&parsed)) {
    std::fprintf(stderr, "bms-cli: %s\n%s", error->reason.c_str(), bms::cli::kUsage.data());
    return bms::cli::kBadInput;
  }
  const auto& options = std::get<bms::cli::Options>(parsed);
  if (options.command == bms::cli::Command::Export) return bms::cli::RunExport(options);
  QCoreApplication app(argc, argv);
  if (options.command == bms::cli::Command::Monitor ||
      options.command == bms::cli::Command::Record) {
    bms::cli::WatchSession session(options);
    if (const auto code = session.begin()) return *code;
    return QCoreApplication::exec();
  }
  bms::cli::Session session(options);
  if (const auto code = session.begin()) return *code;
  return QCoreApplication::exec();
}
