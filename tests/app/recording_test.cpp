// Recording from the status bar: the file's rows and stamps, a failed start, and a
// recording that goes on across a lost and restored link; on both backends.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include <filesystem>
#include <string>

#include "backends.h"
#include "recorder/recording_fixture.h"
#include "testing/driver.h"
#include "testing/fake_platform.h"

namespace bms::testing {
namespace {

using recorder::test::Query;
using recorder::test::Rows;

constexpr const char* kRecord = "录制按钮";
constexpr const char* kFigures = "录制状态标签";

std::string Frame(const std::string& id, const std::string& data1, const std::string& data2) {
  return "T,05F5E100,7," + id + "," + data1 + "," + data2 + ",\r\n";
}

// One complete run data set: 1 A at 50 V, cells between 3300 and 3328 mV, the fault and
// warning bytes as given.
std::string RunDataSet(const std::string& faults = "00", const std::string& warnings = "00") {
  return Frame("09A10001", "00000000", "00000000") + Frame("09A10002", "00000000", "00000000") +
         Frame("09A10003", "3F800000", "42480000") + Frame("09A10004", "02100D00", "0CE41A19") +
         Frame("09A10005", faults + warnings + "1A1B", "00000000");
}

// BIC 1: 12 cells (3312, 3300, 3322, 3328 mV, the rest 0), 4 sensors, cells 1 and 3
// balancing.
std::string CellDetailOfBic1() {
  return Frame("09A11101", "0C040005", "1AFFFFFF") + Frame("09A11201", "0CF00CE4", "0CFA0D00") +
         Frame("09A11301", "00000000", "00000000") + Frame("09A11401", "00000000", "00000000") +
         Frame("09A11501", "FFFFFFFF", "FFFFFFFF") + Frame("09A11601", "19FFEC00", "80FF7FFF") +
         Frame("09A11701", "FFFFFFFF", "FFFFFFFF");
}

std::string At(std::int64_t virtualMs) { return std::to_string(kUtcAtZeroMs + virtualMs); }

class Recording : public ::testing::TestWithParam<Backend> {
 protected:
  void SetUp() override {
    // File names and the journal show local time; the expectations are written in UTC.
    setenv("TZ", "UTC", 1);
    tzset();
  }

  void startRecording(const std::string& name = "session.sqlite") {
    driver.answerSaveFile(name);
    ASSERT_TRUE(driver.click(kRecord));
  }

  std::filesystem::path file(const std::string& name = "session.sqlite") {
    return driver.programDir() / name;
  }

  Driver driver{GetParam()};
};

TEST_P(Recording, RecordsEveryKindOfRowStampedWithTheWallClock) {
  StartConnected(driver);
  driver.receive(Frame("09A10013", "00000065", "FFFFFFFF"));  // firmware 101
  driver.receive(Frame("09A10101", "01FFFFFF", "FFFFFFFF"));
  driver.click("读取单体信息选择框");
  driver.advance(1000);
  startRecording();
  ASSERT_EQ(driver.dialogs().back().kind, "save");
  EXPECT_EQ(driver.dialogs().back().text,
            (driver.programDir() / "bms-recording-20261206-163001.sqlite").string());
  EXPECT_EQ(driver.text(kRecord), "Stop recording");

  driver.advance(250);
  driver.receive(CellDetailOfBic1());
  driver.advance(250);
  driver.receive(RunDataSet("02"));
  driver.advance(2500);
  EXPECT_TRUE(driver.text(kFigures).starts_with("00:00:03  ")) << driver.text(kFigures);
  driver.receive("T,05F5E100,B,\r\n");  // the relay asks for the password
  driver.click(kRecord);
  EXPECT_EQ(driver.text(kRecord), "Record");

  const auto path = file();
  EXPECT_EQ(Query(path,
                  "SELECT key, value FROM meta WHERE key IN ('bmc_number', "
                  "'firmware_version', 'tool_version', 'start_time_ms') ORDER BY key"),
            (Rows{{"bmc_number", "100000000"},
                  {"firmware_version", "101"},
                  {"start_time_ms", At(1000)},
                  {"tool_version", "20230307"}}));
  EXPECT_EQ(Query(path, "SELECT time, current_a, total_voltage_v, highest_cell_v FROM run_data"),
            (Rows{{At(1500), "1.0", "50.0", "3.328"}}));
  EXPECT_EQ(Query(path, "SELECT time, bic, count, balancing, mv1, mv2, mv3, mv4 FROM cell_sets"),
            (Rows{{At(1250), "1", "12", "5", "3312", "3300", "3322", "3328"}}));
  EXPECT_EQ(Query(path, "SELECT time, bic, count, t1, t2, t3, t4 FROM temperature_sets"),
            (Rows{{At(1250), "1", "4", "25", "-20", "-128", "127"}}));
  // The highest and lowest cell are placed by the cells read from BIC 1.
  EXPECT_EQ(Query(path,
                  "SELECT time, caption_en, state, highest_bic, highest_cell, highest_mv, "
                  "lowest_bic, lowest_cell, lowest_mv FROM alarms"),
            (Rows{{At(1500), "Cell-V fault", "on", "1", "4", "3328", "1", "2", "3300"}}));

  // Every line both ways, without its line end: 7 + 5 + 1 received; the poll's requests
  // and the password sent, the password masked as the debug window shows it.
  EXPECT_EQ(Query(path, "SELECT count(*) FROM traffic WHERE direction = 'rx'"), (Rows{{"13"}}));
  EXPECT_EQ(Query(path,
                  "SELECT time, line FROM traffic WHERE direction = 'rx' "
                  "ORDER BY rowid LIMIT 1"),
            (Rows{{At(1250), "T,05F5E100,7,09A11101,0C040005,1AFFFFFF,"}}));
  const auto sent = Query(path, "SELECT line FROM traffic WHERE direction = 'tx'");
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent.back()[0], "T,05F5E100,C,********,********,********,");
  EXPECT_EQ(Query(path, "SELECT count(*) FROM traffic WHERE line LIKE '%3732%'"), (Rows{{"0"}}));
}

TEST_P(Recording, AFolderThatCannotBeWrittenStopsNothingButTheRecording) {
  StartConnected(driver);
  driver.click("英文单选框");
  startRecording("no-such-folder/session.sqlite");
  EXPECT_EQ(driver.text(kRecord), "Record");
  driver.advance(100);  // the status line shows the failure on its next tick
  EXPECT_EQ(driver.text("错误指示灯标签"), "ERR");
  EXPECT_NE(driver.text("最后错误信息标签").find("Could not create the recording"),
            std::string::npos)
      << driver.text("最后错误信息标签");
  EXPECT_FALSE(std::filesystem::exists(file("no-such-folder/session.sqlite")));
  // The tool goes on: run data still shows, and a recording into a good folder works.
  driver.receive(RunDataSet());
  EXPECT_EQ(driver.text("电流标签"), "1.000A");
  startRecording();
  EXPECT_EQ(driver.text(kRecord), "Stop recording");
  driver.click("简体中文单选框");
  EXPECT_EQ(driver.text(kRecord), "停止录制");
}

TEST_P(Recording, GoesOnAcrossALostLinkAndAnAutomaticReconnection) {
  driver.writeFile("bms_user.txt", "127.0.0.1,8000,572906,100000000,0,0,1,1,");
  driver.start();
  driver.click("自动重连选择框");
  driver.click("通信按钮");
  startRecording();
  driver.receive(RunDataSet());
  driver.peerClose();
  driver.advance(1000);
  ASSERT_EQ(driver.link(), "tcp 127.0.0.1:8000");
  EXPECT_EQ(driver.text(kRecord), "Stop recording");
  driver.advance(500);
  driver.receive(RunDataSet("00", "01"));
  driver.click(kRecord);
  EXPECT_EQ(Query(file(), "SELECT time FROM run_data"), (Rows{{At(0)}, {At(1500)}}));
  EXPECT_EQ(Query(file(), "SELECT time, caption_en, state FROM alarms"),
            (Rows{{At(1500), "BIC warning", "on"}}));
  // The poll after the reconnection is in the file.
  EXPECT_EQ(
      Query(file(), "SELECT count(*) FROM traffic WHERE direction = 'tx' AND time >= " + At(1000)),
      (Rows{{"1"}}));
}

INSTANTIATE_TEST_SUITE_P(Backends, Recording, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
