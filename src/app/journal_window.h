#pragma once

#include <cstdint>
#include <string>

#include "base/context.h"
#include "recorder/alarm_journal.h"

namespace bms::app {

// The readable texts of one journal entry in one language.
std::string JournalTime(std::int64_t utcMs);  // local time, "2026-12-06 16:30:00"
std::string JournalFlag(const recorder::AlarmEvent& event, bool english);
std::string JournalState(const recorder::AlarmEvent& event, bool english);
std::string JournalCell(const recorder::CellPoint& cell, bool english);

// The alarm journal window: the journal's entries, the newest on top, in the language of
// the main window; it shows new entries while it is open.
class JournalWindow {
 public:
  JournalWindow(base::Context& context, const recorder::AlarmJournal& journal)
      : context_(context), journal_(journal) {}

  // Opens the window, or brings it to the front.
  void open();
  // The journal changed, or the main window switched language.
  void refresh();

 private:
  bool english() const;

  base::Context& context_;
  const recorder::AlarmJournal& journal_;
};

}  // namespace bms::app
