#include "platform/SpinField.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

#include "platform/HandlerGuard.h"

namespace platform {

SpinField::SpinField(QWidget* parent, int minimum, int maximum, int start)
    : QAbstractSpinBox(parent), minimum_(minimum), maximum_(maximum) {
  setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  setAccelerated(false);
  setKeyboardTracking(true);
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  lineEdit()->setText(QString::number(clamp(start)));
  connect(lineEdit(), &QLineEdit::textChanged, this, [this] {
    if (QAccessible::isActive()) {
      QAccessibleValueChangeEvent event(this, value());
      QAccessible::updateAccessibility(&event);
    }
    if (onChange) guarded(window(), onChange);
  });
}

int SpinField::clamp(long long v) const {
  if (v < minimum_) return minimum_;
  if (v > maximum_) return maximum_;
  return static_cast<int>(v);
}

int SpinField::value() const {
  bool ok = false;
  QString text = lineEdit()->text().trimmed();
  long long v = text.toLongLong(&ok);
  if (!ok) return minimum_;
  return clamp(v);
}

void SpinField::setValue(int value) {
  QString text = QString::number(clamp(value));
  if (lineEdit()->text() != text) lineEdit()->setText(text);
}

void SpinField::setLabel(QLabel* label) { label->setBuddy(this); }

void SpinField::stepBy(int steps) { setValue(clamp(static_cast<long long>(value()) + steps)); }

QValidator::State SpinField::validate(QString& input, int&) const {
  for (QChar c : input)
    if (!isAcceptedCharacter(c)) return QValidator::Invalid;
  return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled SpinField::stepEnabled() const {
  return StepUpEnabled | StepDownEnabled;
}

bool SpinField::isAcceptedCharacter(QChar c) {
  if (c.isDigit() && c.unicode() < 0x80) return true;
  if (c == QLatin1Char('+') || c == QLatin1Char('-')) return true;
  return c == QLocale().decimalPoint().front();
}

void SpinField::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
      stepBy(1);
      event->accept();
      return;
    case Qt::Key_Down:
      stepBy(-1);
      event->accept();
      return;
    default:
      break;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // Not for the field: the window's own use of Return (the panel's OK) takes it.
    event->ignore();
    return;
  }
  const QString text = event->text();
  bool refused = false;
  for (QChar c : text) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) continue;  // control keys edit as usual
    if (!isAcceptedCharacter(c)) refused = true;
  }
  if (refused) {
    event->accept();
    if (onBeep)
      onBeep();
    else
      QApplication::beep();
    return;
  }
  QAbstractSpinBox::keyPressEvent(event);
}

void SpinField::focusOutEvent(QFocusEvent* event) {
  bool ok = false;
  long long typed = lineEdit()->text().trimmed().toLongLong(&ok);
  if (ok && clamp(typed) != typed) setValue(clamp(typed));
  QAbstractSpinBox::focusOutEvent(event);
}

void SpinField::wheelEvent(QWheelEvent* event) { event->ignore(); }

}  // namespace platform
