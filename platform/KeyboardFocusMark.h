#pragma once
// The focus mark of the game's controls, shown only while the keyboard is in use: from a key
// press until the next mouse press, anywhere in the program. Whatever brought the focus
// (Tab, the game, a panel closing under the focused control) does not matter, so a mouse
// player never sees the mark. GUI thread only.
#include <QObject>
#include <QRect>

class QPainter;
class QWidget;

namespace platform {

class KeyboardFocusMark : public QObject {
 public:
  // Starts following the player's presses (once; the application object must exist).
  static void install();
  static bool keyboardInUse();
  // Whether `widget` shows its mark now: it has the focus and the keyboard is in use.
  static bool shownOn(const QWidget& widget);
  // The mark in the game's style: a rounded deep-pink outline just inside `area`. Also the
  // outline of an answer a keyboard player has moved to.
  static void paint(QPainter& painter, const QRect& area);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace platform
