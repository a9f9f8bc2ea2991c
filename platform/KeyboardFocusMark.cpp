#include "platform/KeyboardFocusMark.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace platform {

namespace {
bool keyboardInUse_ = false;
}

void KeyboardFocusMark::install() {
  static KeyboardFocusMark* filter = nullptr;
  if (filter || !qApp) return;
  filter = new KeyboardFocusMark;
  filter->setParent(qApp);
  qApp->installEventFilter(filter);
}

bool KeyboardFocusMark::keyboardInUse() { return keyboardInUse_; }

bool KeyboardFocusMark::shownOn(const QWidget& widget) { return keyboardInUse_ && widget.hasFocus(); }

bool KeyboardFocusMark::eventFilter(QObject*, QEvent* event) {
  bool inUse = keyboardInUse_;
  switch (event->type()) {
    case QEvent::KeyPress:
      inUse = true;
      break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::TouchBegin:
      inUse = false;
      break;
    default:
      break;
  }
  if (inUse != keyboardInUse_) {
    keyboardInUse_ = inUse;
    if (QWidget* focused = QApplication::focusWidget()) focused->update();
  }
  return false;
}

void KeyboardFocusMark::paint(QPainter& painter, const QRect& area) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(0xEC, 0x00, 0x76), 3));  // the panels' deep pink
  painter.drawRoundedRect(QRectF(area).adjusted(1.5, 1.5, -1.5, -1.5), 12, 12);
  painter.restore();
}

}  // namespace platform
