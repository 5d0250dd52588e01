#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/bic_state.h"
#include "base/context.h"
#include "monitor/run_monitor.h"
#include "recorder/alarm_flags.h"
#include "testing/memory_form.h"

namespace bms::cli {

// One BIC's cells and temperature sensors, as its seven cell detail frames gave them.
struct BicCells {
  int bic = 0;
  std::vector<int> cellsMv;     // cell 1 first
  std::uint32_t balancing = 0;  // bit n - 1 for cell n
  std::vector<int> temperatures;
};

// What the controller tells of the pack, without a window: the run monitoring page's own
// decoders write into a main window held in memory, so that every number reads as the GUI
// shows it. Also chooses the poll requests that walk through the BICs' cell details.
class PackWatch {
 public:
  PackWatch();

  // A received answer frame, fields as received; a damaged one is dropped whole.
  void onFrame(std::string_view id, std::string_view data1, std::string_view data2);

  // The request ID for the next poll tick: the installed BIC count until it is known,
  // then each installed BIC's cell details in turn; nothing when none is installed.
  std::optional<std::string> nextRequest();

  // The highest and lowest cell among the BICs read so far.
  recorder::CellExtremes extremes() const;

  // All five run data answers arrived since the last set.
  std::function<void(const monitor::RunValues&, const base::Alarms&)> onRunData;
  // After every fault and warning answer.
  std::function<void(const base::Alarms&)> onAlarms;
  // All seven cell detail frames of one BIC arrived since its last reading.
  std::function<void(const BicCells&)> onCells;

 private:
  struct BicReading {
    base::BicState state;
    std::uint32_t balancing = 0;
    std::array<bool, 8> kinds{};  // index = frame kind 1 to 7
    std::optional<BicCells> last;
  };

  void onRunDataFrame(int answer, std::string_view data1, std::string_view data2);
  void onCellDetailFrame(std::string_view id, std::string_view data1, std::string_view data2);

  testing::MemoryForm main_;
  monitor::RunValues values_;
  base::Alarms alarms_;
  std::array<bool, 5> answers_{};
  base::BicState count_;
  int nextBic_ = 1;
  std::map<int, BicReading> bics_;
};

}  // namespace bms::cli
