#include "platform/Hotspot.h"

#include <QMouseEvent>

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
  if (onMouseDown) guarded(window(), onMouseDown);
}

}  // namespace platform
