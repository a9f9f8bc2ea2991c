#include "platform/Hotspot.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/HandlerGuard.h"

namespace platform {

Hotspot::Hotspot(QWidget* parent, const QRect& geometry, bool handCursor) : QWidget(parent) {
  setGeometry(geometry);
  setAttribute(Qt::WA_NoSystemBackground);
  setAttribute(Qt::WA_TranslucentBackground);
  if (handCursor) setCursor(Qt::PointingHandCursor);
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

}  // namespace platform

namespace platform {

void Hotspot::setHighlighted(bool highlighted) {
  if (highlighted_ == highlighted) return;
  highlighted_ = highlighted;
  update();
}

void Hotspot::paintEvent(QPaintEvent*) {
  if (!highlighted_) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0xEC, 0x00, 0x76), 3));  // the panels' deep pink
  painter.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 12, 12);
}

}  // namespace platform
