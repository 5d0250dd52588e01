#include "recorder/csv_export.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "recorder/recorder.h"
#include "recorder/trend_loader.h"
#include "recording_fixture.h"
#include "testing/virtual_clock.h"

namespace bms::recorder {
namespace {

using ::testing::HasSubstr;

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(CsvField, QuotesOnlyWhatNeedsIt) {
  using C = std::pair<const char*, const char*>;
  for (const auto& [in, out] :
       {C{"", ""}, C{"3301", "3301"}, C{"单体电压故障", "单体电压故障"}, C{"a,b", "\"a,b\""},
        C{"say \"hi\"", "\"say \"\"hi\"\"\""}, C{"T,1,\r\n", "\"T,1,\r\n\""},
        C{"line\nbreak", "\"line\nbreak\""}}) {
    EXPECT_EQ(CsvField(in), out) << in;
  }
}

TEST(ExportCsv, WritesEveryTableWithAHeaderRow) {
  test::TempDir dir;
  const auto file = dir.path() / "r.bmsrec";
  testing::VirtualClock clock;
  Recorder recorder(clock.createTimer("commit"));
  ASSERT_TRUE(recorder.start(file, {"1", "2", "3"}, 5000));
  recorder.onTraffic(5001, Direction::Received, "T,\"q\",7,\r\n");
  recorder.onCells(5002, 2, std::vector<int>{3300}, 1, std::vector<int>{21});
  base::Alarms alarms;
  alarms.faults[2] = true;
  recorder.onAlarms(5003, alarms, {{2, 1, 3300}, {2, 1, 3300}});
  recorder.stop();

  const auto out = dir.path() / "csv";
  const auto result = ExportCsv(file, out);
  ASSERT_FALSE(result.failure) << result.failure->english;
  ASSERT_EQ(result.files.size(), std::size(kExportedTables));
  const std::string bom = "\xEF\xBB\xBF";
  EXPECT_EQ(ReadAll(out / "traffic.csv"),
            bom + "time,direction,line\r\n5001,rx,\"T,\"\"q\"\",7,\r\n\"\r\n");
  EXPECT_EQ(ReadAll(out / "cells.csv"),
            bom + "time,bic,cell,millivolts,balancing\r\n5002,2,1,3300,1\r\n");
  EXPECT_EQ(ReadAll(out / "alarms.csv"),
            bom +
                "time,flag,kind,state,caption_zh,caption_en,highest_bic,"
                "highest_cell,highest_mv,"
                "lowest_bic,lowest_cell,lowest_mv\r\n"
                "5003,2,fault,on,温度故障,Cell-T fault,2,1,3300,2,1,3300\r\n");
  EXPECT_THAT(ReadAll(out / "meta.csv"), HasSubstr("\r\nbmc_number,1\r\n"));
  EXPECT_THAT(ReadAll(out / "run_data.csv"), HasSubstr("time,max_charge_current_a,"));
}

TEST(ExportCsvAndLoadTrend, RefuseWhatIsNoRecording) {
  test::TempDir dir;
  const auto text = dir.path() / "notes.txt";
  std::ofstream(text) << "just some text, not a database at all\n";
  const auto otherDb = dir.path() / "other.db";
  {
    sqlite3* db = nullptr;
    sqlite3_open(otherDb.c_str(), &db);
    sqlite3_exec(db, "CREATE TABLE meta (key TEXT, value TEXT);", nullptr, nullptr, nullptr);
    sqlite3_close(db);
  }
  for (const auto& path : {text, otherDb, dir.path() / "missing.bmsrec"}) {
    const auto result = ExportCsv(path, dir.path() / "out");
    ASSERT_TRUE(result.failure) << path;
    EXPECT_THAT(result.failure->english, HasSubstr("is no recording")) << path;
    EXPECT_THAT(result.failure->chinese, HasSubstr("不是录制文件")) << path;
    EXPECT_TRUE(result.files.empty()) << path;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out")) << path;
    const auto loaded = LoadTrend(path);
    ASSERT_TRUE(loaded.failure) << path;
    EXPECT_THAT(loaded.failure->english, HasSubstr("is no recording")) << path;
    EXPECT_TRUE(loaded.store.empty()) << path;
  }
}

}  // namespace
}  // namespace bms::recorder
