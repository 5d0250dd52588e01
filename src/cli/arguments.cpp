#include "cli/arguments.h"

#include <charconv>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "wire/frame_line.h"

namespace bms::cli {

const std::string_view kUsage =
    "usage: bms-cli LINK [--bmc NUMBER] [--timeout MS] COMMAND\n"
    "       bms-cli export RECORDING DIR\n"
    "LINK:     --tcp HOST:PORT                     direct network\n"
    "          --relay HOST:PORT --password TEXT   through the relay server, with login\n"
    "          --serial DEVICE                     9600 8N2 on a device path\n"
    "COMMAND:  params                    read every parameter; one line per row:\n"
    "                                    READ-ID ITEM VALUE UNIT CAPTION\n"
    "          backup FILE               read every parameter into a profile file\n"
    "          diff FILE                 print the rows whose controller value differs\n"
    "          restore FILE [--dry-run]  write the rows that differ and read each back\n"
    "          monitor --seconds N [--csv FILE]  run data, one row per complete set\n"
    "          record FILE --seconds N   record run data, cells, traffic and alarms\n"
    "          export RECORDING DIR      the recording's tables as CSV files (no LINK)\n"
    "--bmc:    the controller's nine-digit number (default 100000000)\n"
    "--timeout: how long each request waits, in ms (default 1500; three tries)\n"
    "exit:     0 done and verified; 1 rows differ, or a row was refused or not answered,\n"
    "          or no complete run data arrived;\n"
    "          2 bad usage or bad input, nothing sent; 3 no connection, or the link was lost\n";

namespace {

constexpr int kLongestTimeoutMs = 600000;
// Thirty days: longer than anyone leaves a pack recording, short enough to catch a typo.
constexpr int kLongestWatchSeconds = 30 * 24 * 3600;

std::optional<int> DecimalInRange(std::string_view text, int lowest, int highest) {
  int value = 0;
  const auto* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || text.front() == '-' || error != std::errc{} || stop != end) return {};
  if (value < lowest || value > highest) return {};
  return value;
}

// HOST:PORT, cut at the last colon.
bool SplitEndpoint(std::string_view text, Options& options) {
  const auto colon = text.rfind(':');
  if (colon == std::string_view::npos || colon == 0) return false;
  const auto port = DecimalInRange(text.substr(colon + 1), 1, 65535);
  if (!port) return false;
  options.host = std::string(text.substr(0, colon));
  options.port = *port;
  return true;
}

bool IsBmcNumber(std::string_view text) {
  if (text.size() != 9 || text.front() == '0') return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::optional<Command> CommandNamed(std::string_view name) {
  if (name == "params") return Command::Params;
  if (name == "backup") return Command::Backup;
  if (name == "diff") return Command::Diff;
  if (name == "restore") return Command::Restore;
  if (name == "monitor") return Command::Monitor;
  if (name == "record") return Command::Record;
  if (name == "export") return Command::Export;
  return {};
}

bool IsFileName(std::string_view text) { return !text.empty() && !text.starts_with("--"); }

class Parser {
 public:
  explicit Parser(std::span<const std::string_view> arguments) : arguments_(arguments) {}

  std::variant<Options, UsageError, HelpWanted> run() {
    while (next_ < arguments_.size() && arguments_[next_].starts_with("--")) {
      const auto option = arguments_[next_++];
      if (option == "--help") return HelpWanted{};
      if (!linkOrSetting(option)) return UsageError{reason_};
    }
    const bool exportNext = next_ < arguments_.size() && arguments_[next_] == "export";
    if (!seen_.link && !exportNext) {
      return UsageError{"no link: give --tcp, --relay or --serial"};
    }
    if (seen_.link && options_.link == LinkKind::Relay && !seen_.password) {
      return UsageError{"--relay needs --password"};
    }
    if (options_.link != LinkKind::Relay && seen_.password) {
      return UsageError{"--password belongs to --relay"};
    }
    if (next_ >= arguments_.size()) return UsageError{"no command"};
    if (!command()) return UsageError{reason_};
    return options_;
  }

 private:
  struct Seen {
    bool link = false;
    bool password = false;
    bool bmc = false;
    bool timeout = false;
  };

  std::optional<std::string_view> value(std::string_view option) {
    if (next_ >= arguments_.size()) {
      reason_ = std::string(option) + " needs a value";
      return {};
    }
    return arguments_[next_++];
  }

  bool once(bool& seen, std::string_view option) {
    if (seen) reason_ = std::string(option) + " given twice";
    return !std::exchange(seen, true);
  }

  bool linkOrSetting(std::string_view option) {
    if (option == "--tcp" || option == "--relay" || option == "--serial") {
      if (seen_.link) {
        reason_ = "more than one link";
        return false;
      }
      seen_.link = true;
      const auto text = value(option);
      if (!text) return false;
      if (option == "--serial") {
        options_.link = LinkKind::Serial;
        options_.device = std::string(*text);
        if (!options_.device.empty()) return true;
        reason_ = "--serial needs a device path";
        return false;
      }
      options_.link = option == "--tcp" ? LinkKind::Tcp : LinkKind::Relay;
      if (SplitEndpoint(*text, options_)) return true;
      reason_ = std::string(option) + " wants HOST:PORT with a port from 1 to 65535, not \"" +
                std::string(*text) + "\"";
      return false;
    }
    if (option == "--password") {
      if (!once(seen_.password, option)) return false;
      const auto text = value(option);
      if (!text) return false;
      if (text->size() > wire::kMaxAccessPasswordBytes) {
        reason_ = "the password is longer than 11 bytes";
        return false;
      }
      options_.password = std::string(*text);
      return true;
    }
    if (option == "--bmc") {
      if (!once(seen_.bmc, option)) return false;
      const auto text = value(option);
      if (!text) return false;
      if (!IsBmcNumber(*text)) {
        reason_ =
            "--bmc wants a number from 100000000 to 999999999, not \"" + std::string(*text) + "\"";
        return false;
      }
      options_.bmc = std::string(*text);
      return true;
    }
    if (option == "--timeout") {
      if (!once(seen_.timeout, option)) return false;
      const auto text = value(option);
      if (!text) return false;
      const auto ms = DecimalInRange(*text, 1, kLongestTimeoutMs);
      if (!ms) {
        reason_ =
            "--timeout wants milliseconds from 1 to 600000, not \"" + std::string(*text) + "\"";
        return false;
      }
      options_.timeoutMs = *ms;
      return true;
    }
    reason_ = "unknown option " + std::string(option);
    return false;
  }

  bool command() {
    const auto name = arguments_[next_++];
    const auto command = CommandNamed(name);
    if (!command) {
      reason_ = "unknown command \"" + std::string(name) + "\"";
      return false;
    }
    options_.command = *command;
    std::vector<std::string_view> rest(arguments_.begin() + static_cast<std::ptrdiff_t>(next_),
                                       arguments_.end());
    if (*command == Command::Restore && !rest.empty() && rest.back() == "--dry-run") {
      options_.dryRun = true;
      rest.pop_back();
    }
    if (*command == Command::Monitor || *command == Command::Record) {
      if (!watchOptions(name, rest)) return false;
    }
    return positional(name, rest);
  }

  // --seconds N (wanted) and, for monitor, --csv FILE; taken out of the rest.
  bool watchOptions(std::string_view name, std::vector<std::string_view>& rest) {
    std::vector<std::string_view> left;
    bool seconds = false;
    bool csv = false;
    for (std::size_t n = 0; n < rest.size(); ++n) {
      const auto option = rest[n];
      const bool isSeconds = option == "--seconds";
      const bool isCsv = option == "--csv" && options_.command == Command::Monitor;
      if (!isSeconds && !isCsv) {
        left.push_back(option);
        continue;
      }
      if (!once(isSeconds ? seconds : csv, option)) return false;
      if (n + 1 >= rest.size()) {
        reason_ = std::string(option) + " needs a value";
        return false;
      }
      const auto text = rest[++n];
      if (isCsv) {
        if (!IsFileName(text)) {
          reason_ = "--csv wants a FILE, not \"" + std::string(text) + "\"";
          return false;
        }
        options_.csvFile = std::string(text);
        continue;
      }
      const auto value = DecimalInRange(text, 1, kLongestWatchSeconds);
      if (!value) {
        reason_ = "--seconds wants a number from 1 to " + std::to_string(kLongestWatchSeconds) +
                  ", not \"" + std::string(text) + "\"";
        return false;
      }
      options_.seconds = *value;
    }
    if (!seconds) {
      reason_ = std::string(name) + " needs --seconds N";
      return false;
    }
    rest = std::move(left);
    return true;
  }

  // The command's FILE, or RECORDING and DIR for export.
  bool positional(std::string_view name, std::span<const std::string_view> rest) {
    const auto command = options_.command;
    const std::size_t wanted = command == Command::Params || command == Command::Monitor ? 0
                               : command == Command::Export                              ? 2
                                                                                         : 1;
    const std::string_view what = command == Command::Export ? "RECORDING and a DIR" : "FILE";
    if (rest.size() < wanted) {
      reason_ = std::string(name) + " needs a " + std::string(what);
      return false;
    }
    if (rest.size() > wanted) {
      reason_ =
          "unexpected argument \"" + std::string(rest[wanted]) + "\" after " + std::string(name);
      return false;
    }
    for (const auto text : rest) {
      if (!IsFileName(text)) {
        reason_ = std::string(name) + " wants a " + std::string(what) + ", not \"" +
                  std::string(text) + "\"";
        return false;
      }
    }
    if (wanted >= 1) options_.file = std::string(rest[0]);
    if (wanted == 2) options_.directory = std::string(rest[1]);
    return true;
  }

  std::span<const std::string_view> arguments_;
  std::size_t next_ = 0;
  Options options_;
  Seen seen_;
  std::string reason_;
};

}  // namespace

std::variant<Options, UsageError, HelpWanted> ParseArguments(
    std::span<const std::string_view> arguments) {
  return Parser(arguments).run();
}

}  // namespace bms::cli
