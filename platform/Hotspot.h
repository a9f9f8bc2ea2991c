#pragma once
// A transparent click area laid over a parent's background picture. It draws nothing and
// only takes mouse presses.
#include <QWidget>
#include <functional>

namespace platform {

class Hotspot : public QWidget {
 public:
  Hotspot(QWidget* parent, const QRect& geometry, bool handCursor);
  std::function<void()> onMouseDown;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace platform
