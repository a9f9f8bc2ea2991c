#include "platform/Hotspot.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "platform/Accessibility.h"
#include "platform/HandlerGuard.h"

namespace platform {

Hotspot::Hotspot(QWidget* parent, const QRect& geometry, bool handCursor) : QWidget(parent) {
  installAccessibility();
  KeyboardFocusMark::install();
  setGeometry(geometry);
  setAttribute(Qt::WA_NoSystemBackground);
  setAttribute(Qt::WA_TranslucentBackground);
  if (handCursor) setCursor(Qt::PointingHandCursor);
}

void Hotspot::press() {
  QPointer<Hotspot> self(this);  // a handler may close the panel and delete it
  if (onMouseDown) guarded(window(), onMouseDown);
  if (self && onClick) guarded(window(), onClick);
}

void Hotspot::mousePressEvent(QMouseEvent* event) {
  event->accept();
  pressed_ = event->button() == Qt::LeftButton;
  if (onMouseDown) guarded(window(), onMouseDown);
}

void Hotspot::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  bool wasPressed = pressed_;
  pressed_ = false;
  if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
      onClick)
    guarded(window(), onClick);
}

void Hotspot::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
    event->accept();
    press();
    return;
  }
  event->ignore();
}

void Hotspot::setHighlighted(bool highlighted) {
  if (highlighted_ == highlighted) return;
  highlighted_ = highlighted;
  update();
}

void Hotspot::paintEvent(QPaintEvent*) {
  if (!highlighted_ && !focusMarked()) return;
  QPainter painter(this);
  KeyboardFocusMark::paint(painter, rect());
}

}  // namespace platform
