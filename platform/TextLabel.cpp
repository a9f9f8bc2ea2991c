#include "platform/TextLabel.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/Accessibility.h"
#include "platform/Announcer.h"
#include "platform/HandlerGuard.h"

namespace platform {

TextLabel::TextLabel(QWidget* parent) : QLabel(parent) {
  installAccessibility();
  KeyboardFocusMark::install();
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

void TextLabel::setPressable(bool pressable) { pressable_ = pressable; }

void TextLabel::press() {
  if (onMouseDown) guarded(window(), onMouseDown);
}

void TextLabel::mousePressEvent(QMouseEvent* event) {
  if (!onMouseDown) {
    event->ignore();
    return;
  }
  event->accept();
  guarded(window(), onMouseDown);
}

void TextLabel::keyPressEvent(QKeyEvent* event) {
  if (pressable_ && event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
    event->accept();
    press();
    return;
  }
  QLabel::keyPressEvent(event);
}

void TextLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!focusMarked()) return;
  QPainter painter(this);
  KeyboardFocusMark::paint(painter, rect());
}

QString TextLabel::spokenText() const {
  const QString name = accessibleName();
  return name.isEmpty() ? text() : name;
}

void TextLabel::announce() {
  // Orca skips an object's showing event when a newer one of the same object is already
  // waiting, so lines said in quick succession each get a node of their own, taken in turn
  // from a few. Only the newest stays shown.
  Announcer* previous = announcers_.empty() ? nullptr : announcers_[newestAnnouncer_];
  if (announcers_.size() < kAnnouncers) {
    announcers_.push_back(new Announcer(this));
    newestAnnouncer_ = announcers_.size() - 1;
  } else {
    newestAnnouncer_ = (newestAnnouncer_ + 1) % kAnnouncers;
  }
  announcers_[newestAnnouncer_]->say(spokenText());
  if (previous && previous != announcers_[newestAnnouncer_]) previous->hide();
}

}  // namespace platform
