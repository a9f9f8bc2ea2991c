#pragma once
// A transparent click area laid over a parent's background picture. It draws nothing and
// only takes mouse presses.
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

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

}  // namespace platform
