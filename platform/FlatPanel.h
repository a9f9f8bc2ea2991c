#pragma once
// A flat panel without bevel, filled with one colour. Presses on its background do nothing.
// To the accessibility bridge it is a panel named by setAccessibleName() (see
// AccessiblePanel), or a filler while it has no name.
#include <QWidget>

namespace platform {

class Announcer;

class FlatPanel : public QWidget {
 public:
  FlatPanel(QWidget* parent, const QColor& color);
  void setColor(const QColor& color);

  // Has a screen reader say `text` once (see Announcer); nothing while the panel is hidden.
  void announce(const QString& text);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  Announcer* announcer_ = nullptr;  // a child, made by the first announce()
};

}  // namespace platform
