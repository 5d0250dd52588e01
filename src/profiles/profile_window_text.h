#pragma once

#include <span>
#include <string>
#include <string_view>

#include "profiles/engine.h"

// The words of the profile window in both languages.
namespace bms::profiles {

struct WindowCaption {
  std::string_view control;
  std::string_view chinese;
  std::string_view english;
};

std::string_view ProfileWindowTitle(bool english);
std::span<const WindowCaption> ProfileWindowCaptions();
std::span<const WindowCaption> ProfileTableColumns();

// What a row's state says in words; colour is never the only sign of it.
std::string_view StateText(RowState state, bool english);
// A row that has only a file value yet: nothing read to compare it with.
std::string_view FileOnlyText(bool english);

// The value as the table shows it: a choice row names its choice after the index.
std::string ShownValue(const params::CatalogueRow& row, const std::string& value, bool english);

// One line on what a run came to, e.g. "44 read, 3 written and verified, 1 refused:
// Stop charge voltage"; the rows of each failure are named.
std::string RunSummary(std::span<const RowResult> results, bool english);

}  // namespace bms::profiles
