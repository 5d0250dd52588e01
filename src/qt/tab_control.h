#pragma once

#include <QSize>
#include <QTabWidget>

namespace bms::qt {

// A tab widget that repaints itself on a layout request only when the request changes
// something. Qt's own repaints the whole widget, pages and all, on every request, and a
// label deep in a page that takes a new number sends one up each time; with the run data
// arriving every second that redrew the whole main window every second.
class TabControl : public QTabWidget {
 public:
  explicit TabControl(QWidget* parent = nullptr);

 protected:
  bool event(QEvent* event) override;

 private:
  // What placing the tab bar and the pages, and the layout around, depend on.
  struct Geometry {
    QSize size, hint, minimumHint, barHint, barMinimumHint;
    int heightForWidth = -1;
    friend bool operator==(const Geometry&, const Geometry&) = default;
  };
  Geometry geometry() const;

  Geometry laidOut_;
  bool laidOutOnce_ = false;
};

}  // namespace bms::qt
