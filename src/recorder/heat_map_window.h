#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "base/context.h"
#include "base/language.h"
#include "forms/heat_map_data.h"
#include "recorder/heat_map.h"

namespace bms::recorder {

// The pack heat map window: every cell (or sensor) of every BIC read so far, in the
// language of the main window. The model takes each BIC's cells whether or not the window
// is open; while it is, a timer repaints it a few times a second, which also lets tiles
// fade as they age without any new reading. Its stepping switch moves the main window's
// planned BIC on after each BIC's cells, so that the map fills without a click per BIC.
class HeatMapWindow {
 public:
  static constexpr int kRedrawIntervalMs = 500;
  // The cell detail polling asks for one BIC a second while the user watches the cells.
  static constexpr std::int64_t kCellPollIntervalMs = 1000;

  explicit HeatMapWindow(base::Context& context);
  HeatMapWindow(const HeatMapWindow&) = delete;
  HeatMapWindow& operator=(const HeatMapWindow&) = delete;

  // Opens the window, or brings it to the front.
  void open();
  // One BIC's whole set of cell detail answers.
  void onCells(int bic, std::span<const int> millivolts, std::uint32_t balancing,
               std::span<const int> celsius);
  // A link opened anew to the controller of this number: tiles of another controller's
  // pack are forgotten, the same one's stay (stale until read again).
  void onNewConnection(std::string_view bmcNumber);
  // Repaints an open window now, as after the main window switched language.
  void refresh();

 private:
  void onTick();
  base::Language language() const;

  base::Context& context_;
  std::unique_ptr<base::Timer> timer_;
  HeatMap map_;
  HeatMapMode mode_ = HeatMapMode::Voltage;
  std::string bmcNumber_;
};

// What the window shows, made from the model's view; kept apart from the window so that it
// can be checked on its own.
forms::HeatMapData HeatMapContent(const HeatMapView& view, base::Language language);
// The line above the map: the mean and how much has been read, or how to get readings.
std::string HeatMapSummary(const HeatMapView& view, base::Language language);

}  // namespace bms::recorder
