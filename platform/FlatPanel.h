#pragma once
// A flat panel without bevel, filled with one colour. Presses on its background do nothing.
#include <QWidget>

namespace platform {

class FlatPanel : public QWidget {
 public:
  FlatPanel(QWidget* parent, const QColor& color);
  void setColor(const QColor& color);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace platform
