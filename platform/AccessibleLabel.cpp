#include "platform/AccessibleLabel.h"

#include "platform/Accessibility.h"
#include "platform/TextLabel.h"

namespace platform {

AccessibleLabel::AccessibleLabel(TextLabel* label) : QAccessibleWidget(label) {}

TextLabel* AccessibleLabel::label() const { return static_cast<TextLabel*>(widget()); }

void* AccessibleLabel::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

// Asked every time rather than fixed at creation: the bridge may create this interface
// while the game is still setting the label up.
QAccessible::Role AccessibleLabel::role() const {
  return label()->pressable() ? QAccessible::Button : QAccessible::StaticText;
}

QAccessible::State AccessibleLabel::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  markCovered(*widget(), state);
  return state;
}

QString AccessibleLabel::text(QAccessible::Text t) const {
  if (t == QAccessible::Name) return label()->spokenText();
  return QAccessibleWidget::text(t);
}

QStringList AccessibleLabel::actionNames() const {
  if (!label()->pressable()) return QAccessibleWidget::actionNames();
  return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void AccessibleLabel::doAction(const QString& actionName) {
  if (actionName == pressAction() && label()->pressable() && widget()->isEnabled())
    label()->press();
  else
    QAccessibleWidget::doAction(actionName);
}

void AccessibleLabel::selection(int, int* startOffset, int* endOffset) const {
  *startOffset = 0;
  *endOffset = 0;
}

// The Text interface reads what the name says, so that reading the label by characters or
// lines gives the same words as its name.
QString AccessibleLabel::text(int startOffset, int endOffset) const {
  return label()->spokenText().mid(startOffset, endOffset - startOffset);
}

int AccessibleLabel::characterCount() const {
  return static_cast<int>(label()->spokenText().size());
}

QString AccessibleLabel::attributes(int offset, int* startOffset, int* endOffset) const {
  *startOffset = offset;
  *endOffset = offset;
  return {};
}

}  // namespace platform
