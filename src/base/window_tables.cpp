#include "base/window_tables.h"

#include "forms/tables.h"

namespace bms::base {

const forms::FormTable& TableOf(Window window) {
  switch (window) {
    case Window::Debug:
      return forms::DebugWindowTable();
    case Window::Error:
      return forms::ErrorPromptTable();
    case Window::Factory:
      return forms::FactoryWindowTable();
    case Window::Bic:
      return forms::BicWindowTable();
    case Window::Profile:
      return forms::ProfileWindowTable();
    case Window::Journal:
      return forms::JournalWindowTable();
    case Window::HeatMap:
      return forms::HeatMapWindowTable();
    case Window::Trends:
      return forms::TrendsWindowTable();
    case Window::Main:
      break;
  }
  return forms::MainWindowTable();
}

}  // namespace bms::base
