#pragma once
// A text label as the accessibility bridge sees it: static text whose text a screen reader
// can read (the Text interface), or a push button with a press action when the label is a
// choice the player clicks. Name and text are both the label's spoken text.
#include <QAccessibleWidget>

namespace platform {

class TextLabel;

class AccessibleLabel : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit AccessibleLabel(TextLabel* label);
  void* interface_cast(QAccessible::InterfaceType type) override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;
  QString text(QAccessible::Text t) const override;
  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;

  // The Text interface: the whole text, nothing selectable, no caret.
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int startOffset, int endOffset) const override;
  int characterCount() const override;
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* startOffset, int* endOffset) const override;

 private:
  TextLabel* label() const;
};

}  // namespace platform
