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

// What a control is, for a user who does not read its caption: an English tool tip for
// a caption that stays Chinese in the English interface, and a tool tip in both
// languages for a button that shows a symbol instead of a word. An empty text means no
// tool tip in that language. Tab pages are named "<tab control>.<Chinese page caption>".
struct ToolTip {
  std::string_view control;
  std::string_view chinese;
  std::string_view english;
};

std::span<const Caption> ControlCaptions();
std::span<const PageCaption> PageCaptions();
std::span<const ToolTip> ControlToolTips();

}  // namespace bms::app
