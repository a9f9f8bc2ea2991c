#pragma once
// A node with nothing to draw that screen readers announce: to the accessibility bridge a
// notification, named by the text to say. Each say() is one announcement.
#include <QWidget>

namespace platform {

class Announcer : public QWidget {
 public:
  explicit Announcer(QWidget* parent);
  // Says `text` once (nothing while the parent is hidden: a player cannot see it either).
  //
  // Why a notification: with Qt 6.4's AT-SPI bridge, Orca 43 ignores both a name change
  // (object:property-change:accessible-name) and object:text-changed:insert on a label that
  // does not have the focus ("not presented due to role"), and does not speak an alert that
  // appears in a window without a focused alert. It does speak, as "notification <name>",
  // any object with the notification role whose object:state-changed:showing turns on — the
  // event Qt sends when the widget is shown. Focusing the label would be spoken too, but
  // would take the keyboard focus from the player. Orca also skips the event when a newer
  // showing event of the same object is already queued: see TextLabel::announce().
  void say(const QString& text);
};

}  // namespace platform
