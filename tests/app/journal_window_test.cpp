// The alarm journal window: transitions newest first, in the language of the moment, live
// while open; and the texts of one entry.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include <string>
#include <vector>

#include "app/cell_extremes.h"
#include "app/journal_window.h"
#include "app/recording_control.h"
#include "backends.h"
#include "testing/driver.h"

namespace bms::testing {
namespace {

using Texts = std::vector<std::string>;

constexpr const char* kTable = "journal:告警日志表格";

std::string Frame(const std::string& id, const std::string& data1, const std::string& data2) {
  return "T,05F5E100,7," + id + "," + data1 + "," + data2 + ",\r\n";
}

// Cells from 3300 to 3328 mV in the run data; the alarm bytes as given.
std::string Alarms(const std::string& faults, const std::string& warnings) {
  return Frame("09A10004", "02100D00", "0CE41A19") +
         Frame("09A10005", faults + warnings + "1A1B", "00000000");
}

class JournalWindow : public ::testing::TestWithParam<Backend> {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
  }

  Texts row(int n) {
    Texts texts;
    for (int column = 0; column < 5; ++column) texts.push_back(driver.cell(kTable, n, column));
    return texts;
  }

  Driver driver{GetParam()};
};

TEST_P(JournalWindow, ShowsTransitionsNewestFirstInBothLanguagesAndLive) {
  StartConnected(driver);
  driver.click("简体中文单选框");
  // BIC 1's cells place the extremes: 3328 mV is cell 4, 3300 mV cell 2.
  driver.receive(Frame("09A10101", "01FFFFFF", "FFFFFFFF"));
  driver.click("读取单体信息选择框");
  for (int kind = 1; kind <= 7; ++kind) {
    driver.receive(Frame("09A11" + std::to_string(kind) + "01",
                         kind == 1 ? "04000000" : (kind == 2 ? "0CF00CE4" : "0CFA0D00"),
                         kind == 2 ? "0CFA0D00" : "FFFFFFFF"));
  }
  driver.advance(1000);
  driver.receive(Alarms("02", "00"));
  driver.advance(1000);
  driver.receive(Alarms("02", "01"));
  driver.advance(1000);
  driver.receive(Alarms("00", "01"));
  driver.receive(Alarms("00", "01"));  // the same flags again add nothing

  ASSERT_TRUE(driver.click("告警日志按钮"));
  ASSERT_TRUE(driver.isOpen("journal"));
  EXPECT_EQ(driver.title("journal"), "告警日志");
  ASSERT_EQ(driver.rowCount(kTable), 3);
  EXPECT_EQ(row(0), (Texts{"2026-12-06 16:30:03", "单体电压故障", "消失", "BIC 1 第4节：3328 mV",
                           "BIC 1 第2节：3300 mV"}));
  EXPECT_EQ(row(1), (Texts{"2026-12-06 16:30:02", "BIC通信预警", "出现", "BIC 1 第4节：3328 mV",
                           "BIC 1 第2节：3300 mV"}));
  EXPECT_EQ(row(2)[0] + " " + row(2)[1] + " " + row(2)[2], "2026-12-06 16:30:01 单体电压故障 出现");
  EXPECT_EQ(driver.text("journal:告警日志计数标签"), "共 3 条变化，最新的在上");

  driver.click("英文单选框");
  EXPECT_EQ(driver.title("journal"), "Alarm journal");
  EXPECT_EQ(driver.items(kTable), (Texts{"Time", "Alarm", "State", "Highest cell", "Lowest cell"}));
  EXPECT_EQ(row(0), (Texts{"2026-12-06 16:30:03", "Cell-V fault", "cleared",
                           "BIC 1 cell 4: 3328 mV", "BIC 1 cell 2: 3300 mV"}));
  EXPECT_EQ(driver.text("告警日志按钮"), "Alarm journal");

  driver.advance(1000);
  driver.receive(Alarms("00", "00"));
  ASSERT_EQ(driver.rowCount(kTable), 4);
  EXPECT_EQ(row(0)[0] + " " + row(0)[1] + " " + row(0)[2],
            "2026-12-06 16:30:04 BIC warning cleared");
  EXPECT_EQ(row(3)[2], "raised");
  EXPECT_EQ(driver.text("journal:告警日志计数标签"), "4 changes, the newest on top");
}

TEST_P(JournalWindow, ClosesWithTheMainWindow) {
  StartConnected(driver);
  driver.click("告警日志按钮");
  EXPECT_EQ(driver.rowCount(kTable), 0);
  driver.closeMainWindow();
  EXPECT_FALSE(driver.isOpen("journal"));
}

INSTANTIATE_TEST_SUITE_P(Backends, JournalWindow, AllBackends(), BackendName);

TEST(JournalTexts, ACellIsNamedByItsPlaceWhenTheToolKnowsIt) {
  struct Case {
    recorder::CellPoint cell;
    bool english;
    const char* text;
  };
  const Case cases[] = {
      {{2, 15, 3650}, true, "BIC 2 cell 15: 3650 mV"},
      {{2, 15, 3650}, false, "BIC 2 第15节：3650 mV"},
      {{0, 0, 3650}, true, "3650 mV"},
      {{3, 0, 2800}, false, "2800 mV"},
  };
  for (const auto& c : cases) EXPECT_EQ(app::JournalCell(c.cell, c.english), c.text) << c.text;
}

TEST(RecordingFigures, ElapsedTimeAndSizeReadAsAClockAndUnits) {
  struct Case {
    std::int64_t elapsedMs;
    std::uintmax_t bytes;
    const char* text;
  };
  const Case cases[] = {
      {0, 0, "00:00:00  0.0 kB"},
      {754999, 3'249'999, "00:12:34  3.2 MB"},
      {3'723'000, 999'949, "01:02:03  999.9 kB"},
      {360'000'000, 1'000'000, "100:00:00  1.0 MB"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(app::RecordingFigures(c.elapsedMs, c.bytes), c.text) << c.text;
  }
}

TEST(CellExtremes, CellsReadPlaceTheExtremesElseTheControllersPositions) {
  monitor::RunValues values;
  values.highestCellVoltage = 3.328;
  values.lowestCellVoltage = 3.3;
  app::CellExtremesTracker tracker;
  using Point = recorder::CellPoint;
  EXPECT_EQ(tracker.extremes(values), (recorder::CellExtremes{{0, 0, 3328}, {0, 0, 3300}}));
  tracker.onExtremePositions("0304050C", "FFFFFFFF");
  EXPECT_EQ(tracker.extremes(values), (recorder::CellExtremes{{3, 4, 3328}, {5, 12, 3300}}));
  const int bic2[] = {3310, 3328, 3300};
  tracker.onCells(2, bic2);
  EXPECT_EQ(tracker.extremes(values), (recorder::CellExtremes{Point{2, 2, 3328}, {2, 3, 3300}}));
  // A value no cell read holds falls back to the controller's position.
  values.lowestCellVoltage = 3.299;
  EXPECT_EQ(tracker.extremes(values).lowest, (Point{5, 12, 3299}));
  tracker.clear();
  EXPECT_EQ(tracker.extremes(values).highest, (Point{0, 0, 3328}));
}

}  // namespace
}  // namespace bms::testing
