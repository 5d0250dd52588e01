#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>

// The command line of bms-cli, checked whole before anything is opened or sent.
namespace bms::cli {

enum class LinkKind { Tcp, Relay, Serial };
enum class Command { Params, Backup, Diff, Restore, Monitor, Record, Export };

struct Options {
  LinkKind link = LinkKind::Tcp;
  std::string host;      // Tcp and Relay
  int port = 0;          // Tcp and Relay
  std::string password;  // Relay
  std::string device;    // Serial
  std::string bmc = "100000000";
  int timeoutMs = 1500;
  Command command = Command::Params;
  std::string file;  // backup, diff, restore, record; the recording for export
  bool dryRun = false;
  int seconds = 0;        // monitor and record
  std::string csvFile;    // monitor; empty for none
  std::string directory;  // export
};

// Why the command line was refused, in one line.
struct UsageError {
  std::string reason;
};

struct HelpWanted {};

// The arguments behind the program name.
std::variant<Options, UsageError, HelpWanted> ParseArguments(
    std::span<const std::string_view> arguments);

extern const std::string_view kUsage;

}  // namespace bms::cli
