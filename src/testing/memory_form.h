#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "forms/form.h"
#include "forms/form_table.h"
#include "forms/name_map.h"

namespace bms::testing {

// A window held in memory, built from its table, for tests without a display.
class MemoryForm : public forms::Form {
 public:
  explicit MemoryForm(const forms::FormTable& table);

  bool exists(std::string_view name) const override;
  forms::Kind kind(std::string_view name) const override;
  std::string title() const override { return title_; }
  void setTitle(std::string_view title) override { title_ = title; }
  std::string text(std::string_view name) const override;
  void setText(std::string_view name, std::string_view text) override;
  void appendLines(std::string_view name, std::string_view lines, std::size_t maxLines) override;
  forms::Rgb textColor(std::string_view name) const override;
  void setTextColor(std::string_view name, forms::Rgb colour) override;
  forms::Rgb background(std::string_view name) const override;
  void setBackground(std::string_view name, forms::Rgb colour) override;
  forms::Rgb fill(std::string_view name) const override;
  void setFill(std::string_view name, forms::Rgb colour) override;
  bool enabled(std::string_view name) const override;
  void setEnabled(std::string_view name, bool enabled) override;
  bool visible(std::string_view name) const override;
  void setVisible(std::string_view name, bool visible) override;
  std::string toolTip(std::string_view name) const override;
  void setToolTip(std::string_view name, std::string_view text) override;
  bool checked(std::string_view name) const override;
  void setChecked(std::string_view name, bool checked) override;
  int index(std::string_view name) const override;
  void setIndex(std::string_view name, int index) override;
  std::vector<std::string> items(std::string_view name) const override;
  void setItems(std::string_view name, const std::vector<std::string>& items) override;
  int value(std::string_view name) const override;
  void setValue(std::string_view name, int value) override;
  int maxLength(std::string_view name) const override;
  int rowCount(std::string_view name) const override;
  void setRowCount(std::string_view name, int rows) override;
  std::string cell(std::string_view name, int row, int column) const override;
  void setCell(std::string_view name, int row, int column, std::string_view text) override;
  forms::Rgb cellBackground(std::string_view name, int row, int column) const override;
  void setCellBackground(std::string_view name, int row, int column, forms::Rgb colour) override;
  forms::HeatMapData heatMap(std::string_view name) const override;
  void setHeatMap(std::string_view name, const forms::HeatMapData& data) override;
  forms::ChartData chart(std::string_view name) const override;
  void setChart(std::string_view name, const forms::ChartData& data) override;
  int chartWidth(std::string_view name) const override;
  void bind(std::string_view name, forms::Event event, Handler handler) override;

  bool userClick(std::string_view name) override;
  bool userType(std::string_view name, std::string_view text) override;
  bool userSelect(std::string_view name, int index) override;

 private:
  struct TableCell {
    std::string text;
    forms::Rgb background = forms::kDefaultFill;
  };

  struct Control {
    forms::ControlSpec spec;
    std::string text;
    std::string toolTip = {};
    std::vector<std::string> items;
    forms::Rgb textColor;
    forms::Rgb background;
    forms::Rgb fill;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    int index = -1;
    int value = 0;
    std::map<forms::Event, Handler> handlers = {};
    std::vector<std::vector<TableCell>> rows = {};  // a table's, each as wide as its columns
    forms::HeatMapData heatMap = {};
    forms::ChartData chart = {};
  };

  Control& at(std::string_view name);
  const Control& at(std::string_view name) const;
  bool reachable(const Control& control) const;
  std::vector<const Control*> pagesOf(const Control& tabControl) const;
  void fire(Control& control, forms::Event event);
  TableCell* tableCell(std::string_view name, int row, int column);

  std::string title_;
  forms::NameMap<Control> controls_;
  std::vector<std::string> order_;  // table order, which keeps tab pages in sequence
};

}  // namespace bms::testing
