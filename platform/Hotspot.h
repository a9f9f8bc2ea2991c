#pragma once
// A transparent click area laid over a parent's background picture. It draws nothing and
// only takes mouse presses, except that a keyboard choice can mark it with an outline.
#include <QWidget>
#include <functional>

namespace platform {

class Hotspot : public QWidget {
 public:
  Hotspot(QWidget* parent, const QRect& geometry, bool handCursor);
  // A press anywhere on the hotspot.
  std::function<void()> onMouseDown;
  // A press and its release both on the hotspot (the left button).
  std::function<void()> onClick;
  // Outlines the area: the answer a keyboard player has moved to.
  void setHighlighted(bool highlighted);
  bool highlighted() const { return highlighted_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool pressed_ = false;
  bool highlighted_ = false;
};

}  // namespace platform
