#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace bms::forms {

// Colour as (red, green, blue), each 0 to 255.
struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

// Colours a control shows until the program sets others.
inline constexpr Rgb kDefaultBackground{240, 240, 240};
inline constexpr Rgb kDefaultTextColor{0, 0, 0};
inline constexpr Rgb kDefaultFill{255, 255, 255};

enum class Kind {
  GroupBox,
  TabControl,
  TabPage,  // a page of the TabControl named as its parent; pages keep table order
  Label,
  Button,
  Edit,          // one-line edit box
  PasswordEdit,  // one-line edit box that shows "*" for every character
  Memo,          // multi-line read-only text box
  CheckBox,
  RadioButton,  // radio buttons with the same parent exclude each other
  ComboBox,
  ProgressBar,
  Shape,    // a filled lamp or bar; its fill colour is what changes
  Picture,  // a small fixed picture showing the text of its caption (the degree sign)
  // A strip along the bottom of its window holding labels side by side, in column order;
  // the label without a minimum width takes the room the others leave.
  StatusBar,
  // A read-only grid of text cells; its items are the column captions, and the program
  // sets the row count, the cell texts and the cell backgrounds.
  Table,
  // A grid of coloured tiles drawn from HeatMapData (heat_map_data.h), set as a whole.
  HeatMap,
  // A line chart over time; the program hands it the lines and markers to draw (ChartData).
  Chart,
};

// Which way a control takes the room its window has to spare; everything else keeps the
// size its content needs, and the spare room stays empty at the right and the bottom. A
// group box or page takes room when one of its controls does.
enum class Stretch { None, Horizontal, Vertical, Both };

// Cell of the grid that the parent lays its children out in. Rows and columns count
// from 0; a control may span several cells.
struct Cell {
  int row = 0;
  int column = 0;
  int rowSpan = 1;
  int columnSpan = 1;
};

// One control of a window, as designed. Empty parent means the window itself.
struct ControlSpec {
  std::string_view name = {};
  Kind kind = Kind::Label;
  std::string_view parent = {};
  Cell cell = {};
  std::string_view caption = {};                 // caption, edit text or tab page caption
  std::span<const std::string_view> items = {};  // combo box items, table column captions
  std::optional<Rgb> background = {};
  std::optional<Rgb> textColor = {};
  std::optional<Rgb> fill = {};  // shapes
  int maxLength = 0;             // edit boxes; 0 = no limit
  // Pixels: the width of an edit box, memo or small button, the least width of anything
  // else; 0 = as its content needs.
  int minimumWidth = 0;
  Stretch stretch = Stretch::None;
  // A value label drawn as a sunken box, so that it shows where a value will appear
  // before one has.
  bool sunken = false;
  // A group box whose columns line up with those of the other such group boxes on its
  // page (nested ones included); each starts in its parent's first column.
  bool sharedColumns = false;
  bool checked = false;
  bool visible = true;
  bool enabled = true;
};

// A whole window: its design size and position, and its controls in table order
// (a parent always stands before its children).
struct FormTable {
  std::string_view name = {};  // "main", "debug", "error", "factory", "bic"
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::string_view title = {};
  std::span<const ControlSpec> controls = {};
};

}  // namespace bms::forms
