#pragma once
// A transparent click area laid over a parent's background picture. It draws nothing and
// takes mouse presses. To the accessibility bridge it is a push button named by
// setAccessibleName() whose press action does what a click does.
//
// It takes no focus until the window makes it a tab stop (setFocusPolicy(Qt::TabFocus): a
// mouse press still never focuses it), since a focusable hotspot would take the keyboard
// from the window as soon as the window is activated. Focused, it shows its focus mark
// while the keyboard is in use, and Space presses it.
#include <QWidget>
#include <functional>

#include "platform/KeyboardFocusMark.h"

namespace platform {

class Hotspot : public QWidget {
 public:
  Hotspot(QWidget* parent, const QRect& geometry, bool handCursor);
  // A press anywhere on the hotspot.
  std::function<void()> onMouseDown;
  // A press and its release both on the hotspot (the left button).
  std::function<void()> onClick;
  // What a whole click does: onMouseDown, then onClick. The accessible press action and
  // Space on the focused hotspot come here. Exceptions stop at the handler boundary.
  void press();
  // Outlines the area: the answer a keyboard player has moved to.
  void setHighlighted(bool highlighted);
  bool highlighted() const { return highlighted_; }
  bool focusMarked() const { return KeyboardFocusMark::shownOn(*this); }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // Space presses; every other key goes on to the window, whose keys keep their meaning.
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool pressed_ = false;
  bool highlighted_ = false;
};

}  // namespace platform
