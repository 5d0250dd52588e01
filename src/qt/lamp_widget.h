#pragma once

#include <QColor>
#include <QWidget>

namespace bms::qt {

// A small filled rectangle whose fill colour tells a state: link lamps, blinking bars.
class Lamp : public QWidget {
  Q_OBJECT

 public:
  explicit Lamp(QWidget* parent = nullptr);

  QColor fill() const { return fill_; }
  void setFill(const QColor& fill);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor fill_;
};

}  // namespace bms::qt
