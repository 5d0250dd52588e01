#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/form.h"
#include "forms/form_table.h"

class QWidget;

namespace bms::qt {

// One window built from its table as real widgets. Every property is read back from the
// widgets themselves, so what a test sees is what a person sees.
class QtForm : public forms::Form {
 public:
  explicit QtForm(const forms::FormTable& table);
  ~QtForm() override;
  QtForm(const QtForm&) = delete;
  QtForm& operator=(const QtForm&) = delete;

  // The top-level widget, owned by this form; not shown until the caller shows it.
  QWidget* window() const;
  // The widget of a control; throws std::invalid_argument for an unknown name.
  QWidget* widget(std::string_view name) const;

  bool exists(std::string_view name) const override;
  forms::Kind kind(std::string_view name) const override;
  std::string title() const override;
  void setTitle(std::string_view title) override;
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
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace bms::qt
