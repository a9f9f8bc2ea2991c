#include "platform/TextLabel.h"

#include <QMouseEvent>

#include "platform/HandlerGuard.h"

namespace platform {

TextLabel::TextLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setAutoFillBackground(false);
}

void TextLabel::setCaption(const QString& caption) {
  caption_ = caption;
  QString shown = caption;
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  setText(shown);
  if (autoSize_) adjustSize();
}

void TextLabel::setTransparent(bool transparent, const QColor& background) {
  setAutoFillBackground(!transparent);
  if (!transparent) {
    QPalette p = palette();
    p.setColor(QPalette::Window, background);
    setPalette(p);
  }
}

void TextLabel::setTextColor(const QColor& color) {
  QPalette p = palette();
  p.setColor(QPalette::WindowText, color);
  setPalette(p);
}

void TextLabel::setAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  if (autoSize_) adjustSize();
}

void TextLabel::mousePressEvent(QMouseEvent* event) {
  if (!onMouseDown) {
    event->ignore();
    return;
  }
  event->accept();
  guarded(window(), onMouseDown);
}

}  // namespace platform
