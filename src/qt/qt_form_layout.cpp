#include "qt/qt_form_layout.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

namespace bms::qt {

using forms::ControlSpec;
using forms::Kind;
using forms::Stretch;

namespace {

// Tighter than most styles' defaults, so that the pages of the main window fit a laptop
// screen: a window holds tabs in tabs in group boxes, and every level adds its margins.
constexpr int kMargin = 6;
constexpr int kHorizontalSpacing = 6;
constexpr int kVerticalSpacing = 4;

void MakeCompact(QGridLayout* grid) {
  grid->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  grid->setHorizontalSpacing(kHorizontalSpacing);
  grid->setVerticalSpacing(kVerticalSpacing);
}

struct Growth {
  bool horizontal = false;
  bool vertical = false;
};

Growth GrowthOf(Stretch stretch) {
  return {.horizontal = stretch == Stretch::Horizontal || stretch == Stretch::Both,
          .vertical = stretch == Stretch::Vertical || stretch == Stretch::Both};
}

// Edit boxes, combo boxes and memos of a designed width keep their own width at the
// left of a wider cell, lamps in its middle; everything else fills its cell, so that
// buttons of one column are equally wide and coloured labels form even bars.
Qt::Alignment AlignmentIn(const ControlSpec& spec) {
  const bool oneColumn = spec.cell.columnSpan == 1;
  switch (spec.kind) {
    case Kind::Edit:
    case Kind::PasswordEdit:
    case Kind::ComboBox:
      return oneColumn ? Qt::AlignLeft : Qt::Alignment();
    case Kind::Memo:
      return spec.minimumWidth > 0 ? Qt::AlignLeft : Qt::Alignment();
    case Kind::Shape:
      return oneColumn ? Qt::AlignHCenter : Qt::Alignment();
    default:
      return {};
  }
}

// Where a group box's grid starts, from the box's own left edge.
int LeftIndent(const QGroupBox* box) {
  return box->contentsMargins().left() + box->layout()->contentsMargins().left();
}

// The rows and columns of one container's grid that its controls reach.
struct Extent {
  int lastColumn = -1;
  int lastSingleColumn = -1;  // reached by a control of one column
  int lastRow = -1;
  int lastSingleRow = -1;
  std::vector<int> growingColumns;
  std::vector<int> growingRows;
};

}  // namespace

FormLayout::FormLayout(QWidget* window)
    : window_(window),
      root_(new QVBoxLayout(window)),
      grid_(new QGridLayout),
      context_(std::make_unique<QObject>()) {
  // The window's own controls have margins; the status bar below them runs from edge to
  // edge.
  root_->setContentsMargins(0, 0, 0, 0);
  root_->setSpacing(0);
  MakeCompact(grid_);
  root_->addLayout(grid_);
}

FormLayout::~FormLayout() = default;

QGridLayout* FormLayout::gridOf(QWidget* container) const {
  return container == window_ ? grid_ : static_cast<QGridLayout*>(container->layout());
}

void FormLayout::place(const ControlSpec& spec, QWidget* widget, QWidget* container) {
  if (spec.kind == Kind::StatusBar) {
    root_->addWidget(widget);
    return;
  }
  if (auto* bar = qobject_cast<QStatusBar*>(container)) {
    bar->addWidget(widget, spec.minimumWidth == 0 ? 1 : 0);
    return;
  }
  const auto& cell = spec.cell;
  gridOf(container)->addWidget(widget, cell.row, cell.column, cell.rowSpan, cell.columnSpan,
                               AlignmentIn(spec));
}

void FormLayout::finish(std::span<const ControlSpec> controls,
                        const std::function<QWidget*(std::string_view)>& widgetOf) {
  std::map<std::string_view, const ControlSpec*> byName;
  for (const auto& spec : controls) byName[spec.name] = &spec;

  // A container grows where one of its controls does; the table names parents first.
  std::map<std::string_view, Growth> growth;
  for (auto spec = controls.rbegin(); spec != controls.rend(); ++spec) {
    auto& own = growth[spec->name];
    const Growth stretch = GrowthOf(spec->stretch);
    own.horizontal = own.horizontal || stretch.horizontal;
    own.vertical = own.vertical || stretch.vertical;
    if (spec->parent.empty()) continue;
    auto& parent = growth[spec->parent];
    parent.horizontal = parent.horizontal || own.horizontal;
    parent.vertical = parent.vertical || own.vertical;
  }

  std::map<std::string_view, Extent> extents;
  for (const auto& spec : controls) {
    const bool inStatusBar = !spec.parent.empty() && byName[spec.parent]->kind == Kind::StatusBar;
    if (spec.kind == Kind::TabPage || spec.kind == Kind::StatusBar || inStatusBar) continue;
    auto& extent = extents[spec.parent];
    const auto& cell = spec.cell;
    const int lastColumn = cell.column + cell.columnSpan - 1;
    const int lastRow = cell.row + cell.rowSpan - 1;
    extent.lastColumn = std::max(extent.lastColumn, lastColumn);
    extent.lastRow = std::max(extent.lastRow, lastRow);
    if (cell.columnSpan == 1)
      extent.lastSingleColumn = std::max(extent.lastSingleColumn, lastColumn);
    if (cell.rowSpan == 1) extent.lastSingleRow = std::max(extent.lastSingleRow, lastRow);
    if (growth[spec.name].horizontal) extent.growingColumns.push_back(lastColumn);
    if (growth[spec.name].vertical) extent.growingRows.push_back(lastRow);
  }
  for (const auto& [container, extent] : extents) {
    QGridLayout* grid = gridOf(container.empty() ? window_ : widgetOf(container));
    MakeCompact(grid);
    // Without a control that grows, an empty column and row after the last ones that a
    // single-cell control reaches take the spare room; a control spanning into them
    // grows with them.
    if (extent.growingColumns.empty()) {
      const int last = extent.lastSingleColumn >= 0 ? extent.lastSingleColumn : extent.lastColumn;
      grid->setColumnStretch(last + 1, 1);
    }
    for (const int column : extent.growingColumns) grid->setColumnStretch(column, 1);
    if (extent.growingRows.empty()) {
      const int last = extent.lastSingleRow >= 0 ? extent.lastSingleRow : extent.lastRow;
      grid->setRowStretch(last + 1, 1);
    }
    for (const int row : extent.growingRows) grid->setRowStretch(row, 1);
  }

  for (const auto& spec : controls) {
    if (spec.kind != Kind::GroupBox || !spec.sharedColumns) continue;
    SharedGrid shared{.grid = gridOf(widgetOf(spec.name))};
    const ControlSpec* at = &spec;
    for (;;) {
      if (at->kind == Kind::GroupBox) {
        shared.boxes.push_back(static_cast<QGroupBox*>(widgetOf(at->name)));
      }
      if (at->parent.empty() || byName[at->parent]->kind == Kind::TabPage) break;
      at = byName[at->parent];
    }
    for (int i = 0; i < shared.grid->count(); ++i) {
      inSharedGrids_.insert(shared.grid->itemAt(i)->widget());
    }
    shared_[std::string(at->parent)].push_back(std::move(shared));
  }
  realign();
}

void FormLayout::controlChanged(QWidget* widget) {
  if (!widget->isVisible()) tellAncestors(widget->parentWidget());
  if (inSharedGrids_.contains(widget)) realignSoon();
}

void FormLayout::tellAncestors(QWidget* widget) const {
  for (; widget != nullptr && widget != window_; widget = widget->parentWidget()) {
    widget->updateGeometry();
  }
}

void FormLayout::realignSoon() {
  if (pending_ || shared_.empty()) return;
  pending_ = true;
  QTimer::singleShot(0, context_.get(), [this] {
    pending_ = false;
    realign();
  });
}

void FormLayout::realign() {
  for (const auto& [page, grids] : shared_) {
    struct Need {
      int indent = 0;             // where the grid starts, from where the page's boxes start
      std::vector<int> width;     // widest single-column control, per column
      std::vector<bool> reached;  // by any control, spanning ones included
      int last = -1;              // last column reached
    };
    std::vector<Need> needs;
    int columns = 0;
    for (const auto& shared : grids) {
      QGridLayout* grid = shared.grid;
      Need need;
      for (const QGroupBox* box : shared.boxes) need.indent += LeftIndent(box);
      need.width.assign(static_cast<std::size_t>(grid->columnCount()), 0);
      need.reached.assign(need.width.size(), false);
      for (int i = 0; i < grid->count(); ++i) {
        const QLayoutItem* item = grid->itemAt(i);
        if (item->isEmpty()) continue;  // hidden
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        for (int c = column; c < column + columnSpan; ++c) {
          need.reached[static_cast<std::size_t>(c)] = true;
        }
        need.last = std::max(need.last, column + columnSpan - 1);
        if (columnSpan == 1) {
          auto& width = need.width[static_cast<std::size_t>(column)];
          width = std::max(width, item->sizeHint().width());
        }
      }
      columns = std::max(columns, grid->columnCount());
      needs.push_back(std::move(need));
    }

    // Column 0 ends at one place for all, however deep its box is nested; every later
    // column is as wide as its widest control anywhere on the page.
    std::vector<int> width(static_cast<std::size_t>(columns), 0);
    std::vector<bool> reached(width.size(), false);
    int firstColumnEnd = 0;
    for (const auto& need : needs) {
      for (std::size_t c = 0; c < need.width.size(); ++c) {
        width[c] = std::max(width[c], need.width[c]);
        reached[c] = reached[c] || need.reached[c];
      }
      if (need.reached[0]) firstColumnEnd = std::max(firstColumnEnd, need.indent + need.width[0]);
    }
    for (std::size_t g = 0; g < grids.size(); ++g) {
      const auto& need = needs[g];
      QGridLayout* grid = grids[g].grid;
      bool changed = false;
      for (int c = 0; c <= need.last; ++c) {
        const auto at = static_cast<std::size_t>(c);
        int minimum = 0;
        if (reached[at]) {
          minimum = c == 0 ? firstColumnEnd - need.indent : width[at];
          // A grid leaves out the spacing beside a column that nothing is in.
          if (!need.reached[at]) minimum += grid->horizontalSpacing();
        }
        if (grid->columnMinimumWidth(c) == minimum) continue;
        grid->setColumnMinimumWidth(c, minimum);
        changed = true;
      }
      if (changed) tellAncestors(grid->parentWidget());
    }
  }
}

}  // namespace bms::qt
