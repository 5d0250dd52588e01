#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/chart_data.h"
#include "forms/form_table.h"
#include "forms/heat_map_data.h"

namespace bms::forms {

// What a user can do to a control. Handlers run only for user actions, never when the
// program itself changes a property.
enum class Event {
  Click,   // button, check box or radio button pressed
  Select,  // combo box item or tab page chosen
  Edit,    // edit box text typed
};

// The controls of one window, addressed by name. Every backend throws
// std::invalid_argument naming the control when a name does not exist.
class Form {
 public:
  using Handler = std::function<void()>;

  virtual ~Form() = default;

  virtual bool exists(std::string_view name) const = 0;
  virtual Kind kind(std::string_view name) const = 0;

  virtual std::string title() const = 0;
  virtual void setTitle(std::string_view title) = 0;

  // Caption of a label, button, box or group; edit text, kept whole whatever the box's max
  // length (which limits typing only); tab page caption.
  // For a combo box: the text of the selected item ("" when none).
  virtual std::string text(std::string_view name) const = 0;
  virtual void setText(std::string_view name, std::string_view text) = 0;
  // A log pane: the text becomes KeepLastLines(text + lines, maxLines), as setText would
  // make it, without the backend reading its whole text back for every batch of lines.
  virtual void appendLines(std::string_view name, std::string_view lines, std::size_t maxLines) = 0;

  virtual Rgb textColor(std::string_view name) const = 0;
  virtual void setTextColor(std::string_view name, Rgb colour) = 0;
  virtual Rgb background(std::string_view name) const = 0;
  virtual void setBackground(std::string_view name, Rgb colour) = 0;
  virtual Rgb fill(std::string_view name) const = 0;
  virtual void setFill(std::string_view name, Rgb colour) = 0;

  virtual bool enabled(std::string_view name) const = 0;
  virtual void setEnabled(std::string_view name, bool enabled) = 0;
  virtual bool visible(std::string_view name) const = 0;  // the control's own flag
  virtual void setVisible(std::string_view name, bool visible) = 0;
  // The text shown while the pointer rests on a control or a tab page ("" = none).
  virtual std::string toolTip(std::string_view name) const = 0;
  virtual void setToolTip(std::string_view name, std::string_view text) = 0;
  // Checking a radio button unchecks the other radio buttons of its parent.
  virtual bool checked(std::string_view name) const = 0;
  virtual void setChecked(std::string_view name, bool checked) = 0;

  // Combo box selection (-1 = none) or current page of a tab control.
  virtual int index(std::string_view name) const = 0;
  virtual void setIndex(std::string_view name, int index) = 0;
  // Combo box items, the page captions of a tab control or the column captions of a table.
  virtual std::vector<std::string> items(std::string_view name) const = 0;
  // Replaces a combo box's items, keeping the selection where it still exists, or the
  // captions of a table's columns (the columns themselves stay as designed).
  virtual void setItems(std::string_view name, const std::vector<std::string>& items) = 0;

  virtual int value(std::string_view name) const = 0;  // progress bar
  virtual void setValue(std::string_view name, int value) = 0;

  virtual int maxLength(std::string_view name) const = 0;  // edit boxes; 0 = no limit

  // Tables. A new row count keeps the cells of the rows that remain and adds empty rows
  // with the default fill; a cell outside the table is ignored on writing and reads as
  // "" with the default fill.
  virtual int rowCount(std::string_view name) const = 0;
  virtual void setRowCount(std::string_view name, int rows) = 0;
  virtual std::string cell(std::string_view name, int row, int column) const = 0;
  virtual void setCell(std::string_view name, int row, int column, std::string_view text) = 0;
  virtual Rgb cellBackground(std::string_view name, int row, int column) const = 0;
  virtual void setCellBackground(std::string_view name, int row, int column, Rgb colour) = 0;

  // A heat map's tiles, rows and legend, replaced as a whole.
  virtual HeatMapData heatMap(std::string_view name) const = 0;
  virtual void setHeatMap(std::string_view name, const HeatMapData& data) = 0;
  // Charts: what the chart shows, replaced whole, and the width of its plot in pixels
  // (what a line needs no more points than).
  virtual ChartData chart(std::string_view name) const = 0;
  virtual void setChart(std::string_view name, const ChartData& data) = 0;
  virtual int chartWidth(std::string_view name) const = 0;

  virtual void bind(std::string_view name, Event event, Handler handler) = 0;

  // What a person does; the program itself never calls these. Each is refused (false,
  // nothing happens) when the control or one of its parents is disabled or hidden.
  virtual bool userClick(std::string_view name) = 0;  // buttons, check boxes, radio buttons
  virtual bool userType(std::string_view name, std::string_view text) = 0;  // max length applies
  virtual bool userSelect(std::string_view name, int index) = 0;  // combo item or tab page
};

}  // namespace bms::forms
