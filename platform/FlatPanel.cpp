#include "platform/FlatPanel.h"

#include <QMouseEvent>

namespace platform {

FlatPanel::FlatPanel(QWidget* parent, const QColor& color) : QWidget(parent) {
  setAutoFillBackground(true);
  setColor(color);
}

void FlatPanel::setColor(const QColor& color) {
  QPalette p = palette();
  p.setColor(QPalette::Window, color);
  setPalette(p);
}

void FlatPanel::mousePressEvent(QMouseEvent* event) { event->accept(); }

}  // namespace platform
