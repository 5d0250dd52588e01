#pragma once

#include <span>
#include <string_view>

namespace bms::app {

// The fixed caption of one main-window control in both languages.
struct Caption {
  std::string_view control;
  std::string_view chinese;
  std::string_view english;
};

// The caption of one page of a tab control; pages count from 1.
struct PageCaption {
  std::string_view tabControl;
  int page = 1;
  std::string_view chinese;
  std::string_view english;
};

std::span<const Caption> ControlCaptions();
std::span<const PageCaption> PageCaptions();

}  // namespace bms::app
