#include "cli/run_row.h"

#include <ctime>

#include "recorder/csv_export.h"
#include "wire/hex_text.h"
#include "wire/number_text.h"

namespace bms::cli {

namespace {

template <std::size_t N>
std::int64_t FlagByte(const std::array<bool, N>& flags) {
  std::int64_t byte = 0;
  for (std::size_t bit = 0; bit < N; ++bit) {
    if (flags[bit]) byte |= std::int64_t{1} << bit;
  }
  return byte;
}

}  // namespace

std::string UtcTimeText(std::int64_t timeMs) {
  // Floor division, so that a time before 1970 still gets a millisecond part from 0 to 999.
  std::int64_t seconds = timeMs / 1000;
  std::int64_t millis = timeMs % 1000;
  if (millis < 0) {
    millis += 1000;
    --seconds;
  }
  const auto whole = static_cast<std::time_t>(seconds);
  std::tm utc{};
  gmtime_r(&whole, &utc);
  char text[40];
  const auto length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
  const auto ms = std::to_string(millis);
  return std::string(text, length) + "." + std::string(3 - ms.size(), '0') + ms + "Z";
}

std::vector<std::string> RunRowFields(std::int64_t timeMs, const monitor::RunValues& values,
                                      const base::Alarms& alarms) {
  return {UtcTimeText(timeMs),
          wire::FormatDecimals(values.stateOfCharge, 1),
          wire::FormatDecimals(values.totalVoltage, 2),
          wire::FormatDecimals(values.current, 3),
          wire::FormatDecimals(values.power, 1),
          wire::FormatThreeDecimals(values.highestCellVoltage),
          wire::FormatThreeDecimals(values.lowestCellVoltage),
          std::to_string(values.highestCellTemperature),
          std::to_string(values.lowestCellTemperature),
          wire::ByteToHex2(FlagByte(alarms.faults)),
          wire::ByteToHex2(FlagByte(alarms.warnings))};
}

std::string RunRowLine(const std::vector<std::string>& fields) {
  std::string line;
  for (const auto& field : fields) {
    if (!line.empty()) line += ' ';
    line += field;
  }
  return line + "\n";
}

std::string RunRowCsv(const std::vector<std::string>& fields) {
  std::string record;
  for (std::size_t n = 0; n < fields.size(); ++n) {
    if (n > 0) record += ',';
    record += recorder::CsvField(fields[n]);
  }
  return record + "\r\n";
}

}  // namespace bms::cli
