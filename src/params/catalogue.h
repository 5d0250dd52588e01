#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "params/row_codec.h"

// Every parameter row of the parameter calibration pages that shares the read and save
// mechanism: what the row looks like, which controls it owns and how its value travels.
// The engine builds its handlers and decoders from this table alone.
namespace bms::params {

struct ChoiceText {
  std::string_view chinese;
  std::string_view english;
};

struct CatalogueRow {
  std::string_view page;     // the tab page the row stands on, as the form table names it
  std::string_view tag;      // "V1", "P3", ...; unique on its page only; "" where none
  std::string_view chinese;  // caption, both languages
  std::string_view english;
  std::string_view unit;     // "mV", "°C", ... ("" where none)
  std::string_view display;  // display label control name
  std::string_view input;    // edit box or combo box control name
  std::string_view readButton;
  std::string_view saveButton;
  Row codec;
  std::span<const ChoiceText> choices = {};  // a choice row's value texts, by value
  // What a value that names no choice shows; without it the label keeps its text.
  std::optional<ChoiceText> otherChoice = {};
  std::span<const std::string_view> codes = {};  // a code row's combo items, sent as typed
};

std::span<const CatalogueRow> ParameterCatalogue();

}  // namespace bms::params
