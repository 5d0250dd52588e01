#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "forms/form_table.h"

class QBoxLayout;
class QGridLayout;
class QGroupBox;
class QObject;
class QWidget;

namespace bms::qt {

// Lays out the controls of one window from their grid cells, compactly: every control
// keeps the size its content needs, only controls that stretch take the room to spare
// (otherwise it stays empty at the right and the bottom), and group boxes that share
// their columns line them up across the page.
class FormLayout {
 public:
  // Gives the window its layouts: the grid of its own controls above a status bar.
  explicit FormLayout(QWidget* window);
  ~FormLayout();
  FormLayout(const FormLayout&) = delete;
  FormLayout& operator=(const FormLayout&) = delete;

  // Puts a control's widget into its container: a cell of the container's grid, the
  // window's status bar place, or the status bar itself.
  void place(const forms::ControlSpec& spec, QWidget* widget, QWidget* container);

  // Once every control is placed: which rows and columns take the spare room, and which
  // grids share their columns.
  void finish(std::span<const forms::ControlSpec> controls,
              const std::function<QWidget*(std::string_view)>& widgetOf);

  // A control's caption or visibility changed, so its size may have. Shown, the layouts
  // around it learn so by themselves; on a page not shown they are told. A control in a
  // shared grid has the columns line up again once the event loop is back (after a whole
  // language switch rather than after each of its captions). Cheap, since values change
  // many times a second.
  void controlChanged(QWidget* widget);

  // Lines the shared columns up for the captions shown now; changes nothing when they
  // still line up.
  void realign();

 private:
  struct SharedGrid {
    QGridLayout* grid = nullptr;
    std::vector<QGroupBox*> boxes = {};  // the box itself, then the boxes around it up to its page
  };

  QGridLayout* gridOf(QWidget* container) const;
  void realignSoon();
  // The layouts around a widget keep the sizes they last heard of, and a page that is
  // not shown passes nothing on: every widget up to the window says it changed.
  void tellAncestors(QWidget* widget) const;

  QWidget* window_;
  QBoxLayout* root_;
  QGridLayout* grid_;
  std::map<std::string, std::vector<SharedGrid>> shared_;  // by page
  std::set<const QWidget*> inSharedGrids_;
  // Context of the waiting realignment: it is dropped with this layout.
  std::unique_ptr<QObject> context_;
  bool pending_ = false;
};

}  // namespace bms::qt
