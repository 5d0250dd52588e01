#include "sim/options.h"

#include <charconv>
#include <limits>
#include <map>
#include <set>

#include "params/validators.h"
#include "wire/frame_line.h"
#include "wire/hex_text.h"

namespace bms::sim {

namespace {

constexpr std::int64_t kMinBmcNumber = 100000000;
constexpr std::int64_t kMaxBmcNumber = 999999999;
// BIC addresses are one byte; 0, 254 and 255 mean no BIC in particular.
constexpr int kMaxBics = 253;
constexpr double kMaxRate = 1000;
constexpr double kMaxSpeed = 1000000;
constexpr int kMaxFlood = 1000000;
// From the slowest teleprinter line to the fastest common serial adapters.
constexpr int kMinBaud = 50;
constexpr int kMaxBaud = 4000000;
constexpr int kMaxLatencyMs = 60000;
constexpr int kMaxHours = 7 * 24;

std::optional<std::int64_t> IntegerIn(std::string_view text, std::int64_t lo, std::int64_t hi) {
  // Only plain digits: a sign or blanks in an option value is a typing error.
  if (!params::IsNonNegativeIntegerText(text)) return std::nullopt;
  const auto value = wire::DecimalTextToInteger(text);
  if (!value || *value < lo || *value > hi) return std::nullopt;
  return value;
}

std::optional<double> PositiveIn(std::string_view text, double max) {
  if (!params::IsDecimalText(text) || text.front() == '-') return std::nullopt;
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || value <= 0 || value > max) return std::nullopt;
  return value;
}

std::optional<std::uint8_t> ByteIn(std::string_view text) {
  if (text.empty() || text.size() > 2 || !wire::IsHexText(text)) return std::nullopt;
  return static_cast<std::uint8_t>(wire::HexToInteger(text));
}

struct Parser {
  Options options;
  std::string error;

  bool Fail(std::string message) {
    if (error.empty()) error = std::move(message);
    return false;
  }

  bool Port(std::string_view name, std::string_view value, std::optional<int>& port) {
    const auto number = IntegerIn(value, 0, 65535);
    if (!number)
      return Fail(std::string(name) + " needs a port number from 0 to 65535, not '" +
                  std::string(value) + "'");
    port = static_cast<int>(*number);
    return true;
  }

  bool Count(std::string_view name, std::string_view value, std::int64_t lo, std::int64_t hi,
             int& count) {
    const auto number = IntegerIn(value, lo, hi);
    if (!number) {
      return Fail(std::string(name) + " needs a whole number from " + std::to_string(lo) + " to " +
                  std::to_string(hi) + ", not '" + std::string(value) + "'");
    }
    count = static_cast<int>(*number);
    return true;
  }
};

// Stores the option's value in the parser's options, or fails with a message.
using ApplyValue = bool (*)(Parser&, std::string_view);

const std::map<std::string_view, ApplyValue>& ValueOptions() {
  static const std::map<std::string_view, ApplyValue> table = {
      {"--direct",
       [](Parser& p, std::string_view v) { return p.Port("--direct", v, p.options.directPort); }},
      {"--relay",
       [](Parser& p, std::string_view v) { return p.Port("--relay", v, p.options.relayPort); }},
      {"--update",
       [](Parser& p, std::string_view v) { return p.Port("--update", v, p.options.updatePort); }},
      {"--password",
       [](Parser& p, std::string_view v) {
         if (!wire::EncodeAccessPassword(v)) {
           return p.Fail("--password may have at most " +
                         std::to_string(wire::kMaxAccessPasswordBytes) + " bytes");
         }
         p.options.password = std::string(v);
         return true;
       }},
      {"--serial",
       [](Parser& p, std::string_view v) {
         if (v.empty()) return p.Fail("--serial needs a path for the link to the terminal");
         p.options.serialPath = std::string(v);
         return true;
       }},
      {"--bmc",
       [](Parser& p, std::string_view v) {
         const auto number = IntegerIn(v, kMinBmcNumber, kMaxBmcNumber);
         if (!number) {
           return p.Fail("--bmc needs a nine-digit BMC number from 100000000 to 999999999, not '" +
                         std::string(v) + "'");
         }
         p.options.bmcNumber = static_cast<std::uint32_t>(*number);
         return true;
       }},
      {"--bics",
       [](Parser& p, std::string_view v) {
         return p.Count("--bics", v, 0, kMaxBics, p.options.bics);
       }},
      {"--seed",
       [](Parser& p, std::string_view v) {
         const auto number = IntegerIn(v, 0, std::numeric_limits<std::int64_t>::max());
         if (!number)
           return p.Fail("--seed needs a non-negative whole number, not '" + std::string(v) + "'");
         p.options.seed = static_cast<std::uint64_t>(*number);
         return true;
       }},
      {"--rate",
       [](Parser& p, std::string_view v) {
         const auto rate = PositiveIn(v, kMaxRate);
         if (!rate)
           return p.Fail("--rate needs a number of sets per second above 0 and up to 1000, not '" +
                         std::string(v) + "'");
         p.options.rate = *rate;
         return true;
       }},
      {"--replay",
       [](Parser& p, std::string_view v) {
         if (v.empty()) return p.Fail("--replay needs the path of a recording");
         p.options.replayPath = std::string(v);
         return true;
       }},
      {"--speed",
       [](Parser& p, std::string_view v) {
         const auto speed = PositiveIn(v, kMaxSpeed);
         if (!speed)
           return p.Fail("--speed needs a factor above 0 and up to 1000000, not '" +
                         std::string(v) + "'");
         p.options.speed = *speed;
         return true;
       }},
      {"--make-recording",
       [](Parser& p, std::string_view v) {
         if (v.empty()) return p.Fail("--make-recording needs the path of the file to write");
         p.options.makeRecordingPath = std::string(v);
         return true;
       }},
      {"--hours",
       [](Parser& p, std::string_view v) {
         int hours = 0;
         if (!p.Count("--hours", v, 1, kMaxHours, hours)) return false;
         p.options.hours = hours;
         return true;
       }},
      {"--flood",
       [](Parser& p, std::string_view v) {
         int rate = 0;
         if (!p.Count("--flood", v, 1, kMaxFlood, rate)) return false;
         p.options.flood = rate;
         return true;
       }},
      {"--faults",
       [](Parser& p, std::string_view v) {
         const auto byte = ByteIn(v);
         if (!byte)
           return p.Fail("--faults needs one byte in hex (00 to FF), not '" + std::string(v) + "'");
         p.options.faults = *byte;
         return true;
       }},
      {"--warnings",
       [](Parser& p, std::string_view v) {
         const auto byte = ByteIn(v);
         if (!byte)
           return p.Fail("--warnings needs one byte in hex (00 to FF), not '" + std::string(v) +
                         "'");
         p.options.warnings = *byte;
         return true;
       }},
      {"--garbage",
       [](Parser& p, std::string_view v) {
         return p.Count("--garbage", v, 1, 1000000, p.options.garbageEvery);
       }},
      {"--cut",
       [](Parser& p, std::string_view v) {
         return p.Count("--cut", v, 1, 1000000, p.options.cutEvery);
       }},
      {"--baud",
       [](Parser& p, std::string_view v) {
         int baud = 0;
         if (!p.Count("--baud", v, kMinBaud, kMaxBaud, baud)) return false;
         p.options.baud = baud;
         return true;
       }},
      {"--latency",
       [](Parser& p, std::string_view v) {
         return p.Count("--latency", v, 0, kMaxLatencyMs, p.options.latencyMs);
       }},
      {"--drop-after",
       [](Parser& p, std::string_view v) {
         return p.Count("--drop-after", v, 1, 1000000000, p.options.dropAfter);
       }},
  };
  return table;
}

const std::map<std::string_view, bool Options::*>& SwitchOptions() {
  static const std::map<std::string_view, bool Options::*> table = {
      {"--newer", &Options::newer},
      {"--lowercase", &Options::lowercase},
      {"--locked", &Options::locked},
      {"--refuse-saves", &Options::refuseSaves},
      {"--refuse-login", &Options::refuseLogin},
      {"--silent", &Options::silent},
      {"--count-bytes", &Options::countBytes},
  };
  return table;
}

// Combinations that cannot mean what the user wanted.
bool CheckCombination(Parser& p) {
  const Options& o = p.options;
  const bool anyEndpoint = o.directPort || o.relayPort || o.serialPath || o.updatePort;
  if (o.makeRecordingPath && anyEndpoint) {
    return p.Fail("--make-recording writes a file and exits: it takes no endpoint");
  }
  if (o.hours && !o.makeRecordingPath) return p.Fail("--hours is only used with --make-recording");
  if (!anyEndpoint && !o.makeRecordingPath) {
    return p.Fail(
        "nothing to do: give at least one of --direct, --relay, --serial, --update, or "
        "--make-recording");
  }
  if (o.relayPort && !o.password) return p.Fail("--relay needs --password");
  if (o.password && !o.relayPort) return p.Fail("--password is only used with --relay");
  if (o.refuseLogin && !o.relayPort) return p.Fail("--refuse-login is only used with --relay");
  if (o.newer && !o.updatePort) return p.Fail("--newer is only used with --update");
  if (o.replayPath && !o.directPort) return p.Fail("--replay plays to --direct clients only");
  if (o.speed && !o.replayPath) return p.Fail("--speed is only used with --replay");
  if (o.locked && o.refuseSaves) {
    return p.Fail("--locked and --refuse-saves exclude each other: every save is refused anyway");
  }
  std::set<int> ports;
  for (const auto& port : {o.directPort, o.relayPort, o.updatePort}) {
    if (port && *port != 0 && !ports.insert(*port).second) {
      return p.Fail("port " + std::to_string(*port) + " is given to two endpoints");
    }
  }
  return true;
}

}  // namespace

ParseResult ParseOptions(const std::vector<std::string_view>& args) {
  // Asking for help is answered whatever else is wrong with the line.
  for (std::string_view arg : args) {
    if (arg == "--help" || arg == "-h") return ParseResult{std::nullopt, true, {}};
  }
  Parser parser;
  std::set<std::string_view> seen;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view name = args[i];
    std::optional<std::string_view> inlineValue;
    if (const auto equals = name.find('='); name.starts_with("--") && equals != name.npos) {
      inlineValue = name.substr(equals + 1);
      name = name.substr(0, equals);
    }
    if (!seen.insert(name).second &&
        (ValueOptions().contains(name) || SwitchOptions().contains(name))) {
      parser.Fail(std::string(name) + " is given twice");
      break;
    }
    if (const auto sw = SwitchOptions().find(name); sw != SwitchOptions().end()) {
      if (inlineValue) {
        parser.Fail(std::string(name) + " takes no value");
        break;
      }
      parser.options.*(sw->second) = true;
      continue;
    }
    const auto option = ValueOptions().find(name);
    if (option == ValueOptions().end()) {
      parser.Fail("unknown option '" + std::string(args[i]) + "'");
      break;
    }
    std::string_view value;
    if (inlineValue) {
      value = *inlineValue;
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      parser.Fail(std::string(name) + " needs a value");
      break;
    }
    if (!option->second(parser, value)) break;
  }
  if (parser.error.empty()) CheckCombination(parser);
  if (!parser.error.empty()) return ParseResult{std::nullopt, false, parser.error};
  return ParseResult{parser.options, false, {}};
}

std::string HelpText() {
  return R"(Usage: bmc-sim ENDPOINT... [OPTION]...
       bmc-sim --make-recording FILE [--hours N] [OPTION]...

Plays the other side of the BMS debugging tool's link: a BMC with its BICs, the relay
server in front of it and the update server. Listens on 127.0.0.1 only. Runs until
SIGINT or SIGTERM, then exits 0. At start it prints one line per endpoint
("direct 127.0.0.1:PORT", "relay 127.0.0.1:PORT", "serial PATH", "update 127.0.0.1:PORT")
and then "ready". A PORT of 0 lets the system choose a free port.

Endpoints (combine freely, at least one):
  --direct PORT        BMC on TCP port PORT; every connection talks to the BMC directly.
  --relay PORT         relay server on TCP port PORT (needs --password). It answers the
                       ping "S1" with "S2" and asks for the password with "B", checks the
                       login "SC" and answers "D" with 1 or 0, takes the password change
                       "SE" and answers "F" with 1 (done) or 0 (failed). After a good login
                       it strips the marker "S" from the client's lines and passes them to
                       the BMC when F2 holds this BMC's number (others are dropped); the
                       BMC's lines come back unchanged.
  --password TEXT      the relay's access password, at most 11 bytes. A successful
                       password change replaces it until the program ends.
  --serial PATH        a pseudo-terminal with a symbolic link at PATH, as a serial port.
                       Lines end in CR LF. Nothing is sent while no one has it open.
  --update PORT        update server on TCP port PORT: reads the query up to its LF,
                       answers "0" (or "1" with --newer) and closes.
  --newer              the update server announces a newer release.

The BMC:
  --bmc NUMBER         BMC number, 100000000 to 999999999 (default 100000000); every line
                       the BMC sends carries it as 8 hex digits in field 2.
  --bics N             installed BICs, 0 to 253 (default 3). Each has 8 to 16 cells and 4
                       to 8 temperature sensors, chosen from the seed.
  --seed N             seed of the pack and of the damage the fault switches do
                       (default 1). Same seed and same input lines: same output lines.
  --rate HZ            run-data sets (frames 09A10001 to 09A10005) per second, above 0
                       and up to 1000 (default 1). The pack moves one step per set and
                       stands still while no client listens.
  --faults HEX         fault flags byte of 09A10005 (default 00).
  --warnings HEX       warning flags byte of 09A10005 (default 00).

Parameters: every parameter group of the tool's calibration pages answers reads with
the values of a 16-cell LFP pack and keeps each saved value until the program ends
(acknowledged "AA"). The setting-mode command 09A0001E "00FFFFFF" is answered 09A1001F
"00AAFFFF", the restart command "01FFFFFF" is answered "01AAFFFF".
  --locked             saves are refused (acknowledged "00") until the setting-mode
                       command arrives; a restart locks them again.
  --refuse-saves       every save and calibration is refused, and so are the subtotal
                       clears, the factory writes and the DC module's settings.

Calibration: the BMC keeps the current scale (default 0.0152593 A per count) and zero
point (default 32768, 20000 to 40000), the total-voltage scale (default 0.0061799), the
DC-port current scale and zero point (same defaults), the installed BIC count (default
--bics) and per BIC its address (BIC n at n), cells (1 to 16), sensors (0 to 8) and
reference (default 2500 mV, 2300 to 2700). Reads answer what it holds; a change is
acknowledged "AA", a value it cannot model "00". Method 2 ("01") multiplies a scale,
method 1 ("00") replaces it; an automatic zero takes the present current as 0 A; a
measured cell voltage sets that BIC's reference. Changes show at once: the current
scales with its scale and shifts with its zero point, the total voltage scales with its
scale, a reference scales its BIC's cells, the counts decide what the cell details
report, and BICs above the installed count do not answer. BIC address 00 means every BIC for a save, BIC 1 for a
read. The DC-port reading 09A0FA32 is the pack current while charging, else 0.

Counters: the run time of this power-on, the cumulative run time and two subtotals
(seconds), the cumulative charge and discharge energy and two subtotals each (kWh in
data1, the Wh beyond them as a float in data2). They advance with simulated time, one
run-data set being 1/--rate seconds (5/--flood with --flood), so the same seed and input
lines give the same values; energy is current x total voltage over that time, counted as
charge or discharge by the current's sign. The cumulative counters start from a history
chosen by the seed. The six subtotal clears 09A00028 ... 09A00040 start the subtotal
again from 0 ("AA"; "00" with --refuse-saves).
Factory writes 09A03000/02/04/06 (answered 09A13001/03/05/07, "AA" or "00"): "00" sets
the BMC number (data1, 100000000 to 999999999), which its acknowledgement and every later
line carry and by which the relay routes from then on; "02" presets the cumulative run
time (data1 seconds); "04" and "06" the cumulative charge and discharge energy (data1 kWh,
data2 Wh as a float).
DC charging module (09A0FAxx): settings 09A0FA10/12, items 00 current source (0 to 2,
default 2), 01 highest SOC (0 to 100, default 100), 02 and 03 socket protection and
warning temperature (0 to 95, default 90 and 80), 04 socket sensor count (0 to 2, default
2); other items or values are refused with idx + "00". Charger reports 09A0FA20 items 00
to 05: a voltage range covering the pack, a current range, and the present output (the
pack voltage and charging current while the pack charges, else 0). Pause 09A0FA24
"0100FFFF" holds the pack's charging current at 0 A until "0101FFFF" continues; the state
reads on 09A0FA22. The charger's 12 V supply 09A0FA26 is about 12.1 V; the socket
temperatures 09A0FA30 rise with the charging current; the fault reset 09A0FA0E "00FFFFFF"
is acknowledged "00AAFFFF".
CAN echo: a frame whose ID is none of the BMC's requests is answered with ID + 1 and the
same data fields (FFFFFFFF gets no answer).

Replay:
  --replay FILE        every client of --direct is sent the lines the tool received in
                       the recording FILE, in time order at their recorded pace, from the
                       first line on; it is not the BMC: its requests are read and
                       ignored, and no run data is made. When the lines run out the
                       connection stays open and quiet. The other endpoints keep playing
                       the BMC. The fault switches and --baud apply to the replayed lines
                       as to the BMC's. A FILE that is missing or no recording ends the
                       program with a message and exit code 2.
  --speed X            replay X times as fast as recorded (above 0 and up to 1000000,
                       default 1).

Recording:
  --make-recording FILE
                       write what the tool records of this pack (run data, the lines it
                       receives and the alarm flags, one set a second) into the new
                       recording FILE on simulated time, ending now, and exit: 0 when
                       written, 1 when not. --faults and --warnings come on halfway
                       through. Takes no endpoint; the file must not exist yet.
  --hours N            the recording's span in hours (1 to 168, default 8).

Fault switches (they damage the BMC's lines, counted per connection; the relay's own
lines S2, B, D and F are never damaged):
  --garbage N          every Nth line is replaced by 1 to 48 random bytes (never CR or
                       LF) followed by CR LF.
  --cut N              every Nth line loses its tail: a random prefix of it, shorter
                       than the line, followed by CR LF (--garbage wins where both hit).
  --lowercase          frame IDs and data fields in lower-case hex.
  --flood RATE         run-data lines at RATE lines per second (1 to 1000000) instead of
                       sets at --rate; lines a client does not read in time are dropped
                       once 1 MiB waits for it.
  --drop-after N       close each connection after sending it N BMC lines; on --serial
                       the terminal is replaced by a new one behind the same PATH, as if
                       the adapter had been unplugged.
  --refuse-login       the relay answers every login with "D,0".
  --silent             accept connections and read, never send anything (the update
                       server then never answers either).

Line speed (on every endpoint):
  --baud N             the BMC's bytes leave no faster than a serial line of N baud
                       (50 to 4000000) carries them at 11 bits a byte (start bit, 8 data
                       bits, 2 stop bits), as behind a real RS-485 adapter; each byte
                       leaves when its last bit would have arrived. The relay's own lines
                       queue behind the BMC's; the update server is not paced. Default:
                       no pacing.
  --latency MS         the BMC answers each request MS milliseconds after it arrived, its
                       own processing time (0 to 60000, default 0). Run data keeps its
                       pace meanwhile.
  --count-bytes        on exit, print "bytes received N sent M": every byte read from
                       and written to the clients of every endpoint.

  --help               this text.

Bad options end the program with a message and exit code 2; an endpoint that cannot be
opened ends it with exit code 1.
)";
}

}  // namespace bms::sim
