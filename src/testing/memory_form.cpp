#include "testing/memory_form.h"

#include <algorithm>
#include <stdexcept>

#include "forms/text_lines.h"

namespace bms::testing {

using forms::Event;
using forms::Kind;
using forms::Rgb;

namespace {

// Max length counts characters, as a person typing sees them, not UTF-8 bytes.
std::string KeepCharacters(std::string_view text, int maxLength) {
  if (maxLength <= 0) return std::string(text);
  int characters = 0;
  std::size_t end = 0;
  while (end < text.size()) {
    if (characters == maxLength) break;
    ++characters;
    ++end;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  }
  return std::string(text.substr(0, end));
}

// The plot width of a chart designed without one.
constexpr int kChartWidth = 600;

}  // namespace

MemoryForm::MemoryForm(const forms::FormTable& table) : title_(table.title) {
  for (const auto& spec : table.controls) {
    const std::string name(spec.name);
    if (controls_.contains(name)) throw std::invalid_argument("duplicate control: " + name);
    if (!spec.parent.empty() && !controls_.contains(spec.parent)) {
      throw std::invalid_argument("control " + name + " has an unknown parent");
    }
    Control control{.spec = spec,
                    .text = std::string(spec.caption),
                    .items = {spec.items.begin(), spec.items.end()},
                    .textColor = spec.textColor.value_or(forms::kDefaultTextColor),
                    .background = spec.background.value_or(forms::kDefaultBackground),
                    .fill = spec.fill.value_or(forms::kDefaultFill),
                    .enabled = spec.enabled,
                    .visible = spec.visible,
                    .checked = spec.checked};
    if (spec.kind == Kind::TabPage) {
      auto& tabs = controls_.find(spec.parent)->second;
      if (tabs.index < 0) tabs.index = 0;
    }
    controls_.emplace(name, std::move(control));
    order_.push_back(name);
  }
}

MemoryForm::Control& MemoryForm::at(std::string_view name) {
  const auto found = controls_.find(name);
  if (found == controls_.end()) {
    throw std::invalid_argument("unknown control: " + std::string(name));
  }
  return found->second;
}

const MemoryForm::Control& MemoryForm::at(std::string_view name) const {
  return const_cast<MemoryForm*>(this)->at(name);
}

bool MemoryForm::exists(std::string_view name) const { return controls_.contains(name); }

Kind MemoryForm::kind(std::string_view name) const { return at(name).spec.kind; }

std::vector<const MemoryForm::Control*> MemoryForm::pagesOf(const Control& tabControl) const {
  std::vector<const Control*> pages;
  for (const auto& name : order_) {
    const auto& control = controls_.find(name)->second;
    if (control.spec.kind == Kind::TabPage && control.spec.parent == tabControl.spec.name) {
      pages.push_back(&control);
    }
  }
  return pages;
}

std::string MemoryForm::text(std::string_view name) const {
  const auto& control = at(name);
  if (control.spec.kind == Kind::ComboBox) {
    const auto i = control.index;
    if (i < 0 || static_cast<std::size_t>(i) >= control.items.size()) return "";
    return control.items[static_cast<std::size_t>(i)];
  }
  return control.text;
}

void MemoryForm::setText(std::string_view name, std::string_view text) {
  auto& control = at(name);
  if (control.spec.kind == Kind::ComboBox) {
    control.index = -1;
    for (std::size_t i = 0; i < control.items.size(); ++i) {
      if (control.items[i] == text) control.index = static_cast<int>(i);
    }
    return;
  }
  if (control.text != text) control.text.assign(text);
}

void MemoryForm::appendLines(std::string_view name, std::string_view lines, std::size_t maxLines) {
  auto& text = at(name).text;
  text += lines;
  text = forms::KeepLastLines(std::move(text), maxLines);
}

Rgb MemoryForm::textColor(std::string_view name) const { return at(name).textColor; }
void MemoryForm::setTextColor(std::string_view name, Rgb colour) { at(name).textColor = colour; }
Rgb MemoryForm::background(std::string_view name) const { return at(name).background; }
void MemoryForm::setBackground(std::string_view name, Rgb colour) { at(name).background = colour; }
Rgb MemoryForm::fill(std::string_view name) const { return at(name).fill; }
void MemoryForm::setFill(std::string_view name, Rgb colour) { at(name).fill = colour; }
bool MemoryForm::enabled(std::string_view name) const { return at(name).enabled; }
void MemoryForm::setEnabled(std::string_view name, bool enabled) { at(name).enabled = enabled; }
bool MemoryForm::visible(std::string_view name) const { return at(name).visible; }
void MemoryForm::setVisible(std::string_view name, bool visible) { at(name).visible = visible; }
std::string MemoryForm::toolTip(std::string_view name) const { return at(name).toolTip; }
void MemoryForm::setToolTip(std::string_view name, std::string_view text) {
  at(name).toolTip = text;
}
bool MemoryForm::checked(std::string_view name) const { return at(name).checked; }

void MemoryForm::setChecked(std::string_view name, bool checked) {
  auto& control = at(name);
  control.checked = checked;
  if (!checked || control.spec.kind != Kind::RadioButton) return;
  for (auto& [otherName, other] : controls_) {
    if (otherName != name && other.spec.kind == Kind::RadioButton &&
        other.spec.parent == control.spec.parent) {
      other.checked = false;
    }
  }
}

int MemoryForm::index(std::string_view name) const { return at(name).index; }

void MemoryForm::setIndex(std::string_view name, int index) {
  auto& control = at(name);
  const bool tabs = control.spec.kind == Kind::TabControl;
  const auto count = tabs ? pagesOf(control).size() : control.items.size();
  const bool inRange = index >= 0 && static_cast<std::size_t>(index) < count;
  // A tab control always shows one of its pages.
  if (tabs && !inRange) return;
  control.index = inRange ? index : -1;
}

std::vector<std::string> MemoryForm::items(std::string_view name) const {
  const auto& control = at(name);
  if (control.spec.kind != Kind::TabControl) return control.items;
  std::vector<std::string> captions;
  for (const auto* page : pagesOf(control)) captions.push_back(page->text);
  return captions;
}

void MemoryForm::setItems(std::string_view name, const std::vector<std::string>& items) {
  auto& control = at(name);
  if (control.spec.kind == Kind::Table) {
    for (std::size_t i = 0; i < items.size() && i < control.items.size(); ++i) {
      control.items[i] = items[i];
    }
    return;
  }
  if (control.spec.kind != Kind::ComboBox) return;
  control.items = items;
  if (static_cast<std::size_t>(control.index) >= items.size()) control.index = -1;
}

int MemoryForm::value(std::string_view name) const { return at(name).value; }
void MemoryForm::setValue(std::string_view name, int value) { at(name).value = value; }
int MemoryForm::maxLength(std::string_view name) const { return at(name).spec.maxLength; }

int MemoryForm::rowCount(std::string_view name) const {
  return static_cast<int>(at(name).rows.size());
}

void MemoryForm::setRowCount(std::string_view name, int rows) {
  auto& control = at(name);
  if (control.spec.kind != Kind::Table) return;
  control.rows.resize(static_cast<std::size_t>(std::max(rows, 0)),
                      std::vector<TableCell>(control.items.size()));
}

MemoryForm::TableCell* MemoryForm::tableCell(std::string_view name, int row, int column) {
  auto& rows = at(name).rows;
  if (row < 0 || column < 0 || static_cast<std::size_t>(row) >= rows.size()) return nullptr;
  auto& cells = rows[static_cast<std::size_t>(row)];
  if (static_cast<std::size_t>(column) >= cells.size()) return nullptr;
  return &cells[static_cast<std::size_t>(column)];
}

std::string MemoryForm::cell(std::string_view name, int row, int column) const {
  const auto* found = const_cast<MemoryForm*>(this)->tableCell(name, row, column);
  return found == nullptr ? std::string() : found->text;
}

void MemoryForm::setCell(std::string_view name, int row, int column, std::string_view text) {
  if (auto* found = tableCell(name, row, column)) found->text = text;
}

Rgb MemoryForm::cellBackground(std::string_view name, int row, int column) const {
  const auto* found = const_cast<MemoryForm*>(this)->tableCell(name, row, column);
  return found == nullptr ? forms::kDefaultFill : found->background;
}

void MemoryForm::setCellBackground(std::string_view name, int row, int column, Rgb colour) {
  if (auto* found = tableCell(name, row, column)) found->background = colour;
}

forms::HeatMapData MemoryForm::heatMap(std::string_view name) const { return at(name).heatMap; }

void MemoryForm::setHeatMap(std::string_view name, const forms::HeatMapData& data) {
  auto& control = at(name);
  if (control.spec.kind == Kind::HeatMap) control.heatMap = data;
}

forms::ChartData MemoryForm::chart(std::string_view name) const { return at(name).chart; }

void MemoryForm::setChart(std::string_view name, const forms::ChartData& data) {
  auto& control = at(name);
  if (control.spec.kind == Kind::Chart) control.chart = data;
}

int MemoryForm::chartWidth(std::string_view name) const {
  // Without a screen the plot is as wide as designed.
  const auto& control = at(name);
  if (control.spec.kind != Kind::Chart) return 0;
  return control.spec.minimumWidth > 0 ? control.spec.minimumWidth : kChartWidth;
}

void MemoryForm::bind(std::string_view name, Event event, Handler handler) {
  at(name).handlers[event] = std::move(handler);
}

bool MemoryForm::reachable(const Control& control) const {
  for (const Control* c = &control; c != nullptr;) {
    if (!c->enabled || !c->visible) return false;
    c = c->spec.parent.empty() ? nullptr : &at(c->spec.parent);
  }
  return true;
}

void MemoryForm::fire(Control& control, Event event) {
  const auto found = control.handlers.find(event);
  if (found == control.handlers.end()) return;
  // A copy, because the handler may rebind or close the very control it belongs to.
  auto handler = found->second;
  handler();
}

bool MemoryForm::userClick(std::string_view name) {
  auto& control = at(name);
  if (!reachable(control)) return false;
  if (control.spec.kind == Kind::CheckBox) setChecked(name, !control.checked);
  if (control.spec.kind == Kind::RadioButton) setChecked(name, true);
  fire(control, Event::Click);
  return true;
}

bool MemoryForm::userType(std::string_view name, std::string_view text) {
  auto& control = at(name);
  if (!reachable(control)) return false;
  setText(name, KeepCharacters(text, control.spec.maxLength));
  fire(control, Event::Edit);
  return true;
}

bool MemoryForm::userSelect(std::string_view name, int index) {
  auto& control = at(name);
  if (!reachable(control)) return false;
  setIndex(name, index);
  fire(control, Event::Select);
  return true;
}

}  // namespace bms::testing
