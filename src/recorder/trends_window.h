#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/context.h"
#include "forms/chart_data.h"
#include "recorder/trend_decimate.h"
#include "recorder/trend_store.h"

namespace bms::recorder {

// A stretch longer than this without a sample breaks the line: the link was down, or
// the controller sent nothing readable. Run data comes a few times a second.
inline constexpr std::int64_t kTrendGapMs = 10'000;

// The decimated points of one line with a NaN point put between two that lie further
// apart than a gap (or than two pixel columns, whichever is longer), so that the chart
// never draws a line across a stretch without data.
std::vector<forms::ChartPoint> WithGaps(std::span<const TrendPoint> points, TimeWindow window,
                                        int width);

// What the chart shows of a store: each chosen series decimated to the width, and the
// alarm onsets in the window as markers.
forms::ChartData TrendChart(const TrendStore& store, std::span<const TrendSeries> series,
                            TimeWindow window, int width, bool english);

// The trends window: the chosen series over the chosen span, live from the store the
// application feeds, or the whole of a recording opened from a file. Live, it redraws
// once a second while new samples or markers have come.
class TrendsWindow {
 public:
  static constexpr int kRedrawIntervalMs = 1000;

  TrendsWindow(base::Context& context, const TrendStore& live);
  TrendsWindow(const TrendsWindow&) = delete;
  TrendsWindow& operator=(const TrendsWindow&) = delete;

  // Opens the window, or brings it to the front.
  void open();
  // The main window switched language.
  void applyLanguage();
  // The window (or the main window with it) closed.
  void onClosed();

 private:
  void bind(forms::Form& form);
  void onOpenRecording();
  void onLive();
  void onRedrawTick();
  void redraw();
  void showTexts();
  std::vector<TrendSeries> chosenSeries(const forms::Form& form) const;
  const TrendStore& shown() const { return recording_ ? *recording_ : live_; }
  bool english() const;
  forms::Form* window();

  base::Context& context_;
  const TrendStore& live_;
  std::unique_ptr<base::Timer> timer_;
  std::optional<TrendStore> recording_;  // the file on show instead of the live store
  std::string recordingName_;
};

}  // namespace bms::recorder
