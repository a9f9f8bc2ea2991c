#include "platform/FlatPanel.h"

#include <QMouseEvent>

#include "platform/Accessibility.h"
#include "platform/Announcer.h"

namespace platform {

FlatPanel::FlatPanel(QWidget* parent, const QColor& color) : QWidget(parent) {
  installAccessibility();
  setAutoFillBackground(true);
  setColor(color);
}

void FlatPanel::setColor(const QColor& color) {
  QPalette p = palette();
  p.setColor(QPalette::Window, color);
  setPalette(p);
}

void FlatPanel::announce(const QString& text) {
  // One node is enough: a panel opens at most once per input of the player, so its showing
  // events never queue up behind each other the way quick speech lines do.
  if (!announcer_) announcer_ = new Announcer(this);
  announcer_->say(text);
}

void FlatPanel::mousePressEvent(QMouseEvent* event) { event->accept(); }

}  // namespace platform
