#include "cli/run_row.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bms::cli {
namespace {

TEST(CliRunRow, UtcTimeText) {
  const std::vector<std::pair<std::int64_t, std::string>> cases = {
      {0, "1970-01-01T00:00:00.000Z"},
      {1796574600250, "2026-12-06T16:30:00.250Z"},
      {1796574600007, "2026-12-06T16:30:00.007Z"},
      {-1, "1969-12-31T23:59:59.999Z"},
  };
  for (const auto& [ms, text] : cases) EXPECT_EQ(UtcTimeText(ms), text) << ms;
}

TEST(CliRunRow, FieldsInColumnOrderWithTheFlagsAsBytes) {
  const monitor::RunValues values{.current = -10.0,
                                  .totalVoltage = 52.5,
                                  .power = -525.0,
                                  .stateOfCharge = 55.0,
                                  .highestCellVoltage = 3.3,
                                  .lowestCellVoltage = 3.29,
                                  .highestCellTemperature = 25,
                                  .lowestCellTemperature = -5};
  base::Alarms alarms;
  alarms.faults[0] = alarms.faults[7] = true;
  alarms.warnings[1] = true;
  const auto fields = RunRowFields(0, values, alarms);
  const std::vector<std::string> expected = {"1970-01-01T00:00:00.000Z",
                                             "55.0",
                                             "52.50",
                                             "-10.000",
                                             "-525.0",
                                             "3.300",
                                             "3.290",
                                             "25",
                                             "-5",
                                             "81",
                                             "02"};
  EXPECT_EQ(fields, expected);
  ASSERT_EQ(fields.size(), kRunRowColumns.size());
  EXPECT_EQ(RunRowLine({"a", "b c"}), "a b c\n");
  EXPECT_EQ(RunRowCsv({"a", "b,c"}), "a,\"b,c\"\r\n");
}

}  // namespace
}  // namespace bms::cli
