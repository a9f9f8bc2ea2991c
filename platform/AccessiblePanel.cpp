#include "platform/AccessiblePanel.h"

#include "platform/Accessibility.h"
#include "platform/FlatPanel.h"

namespace platform {

AccessiblePanel::AccessiblePanel(FlatPanel* panel) : QAccessibleWidget(panel) {}

// Asked every time: the game names a panel after the bridge may have made this interface.
QAccessible::Role AccessiblePanel::role() const {
  return widget()->accessibleName().isEmpty() ? QAccessible::Client : QAccessible::Grouping;
}

QAccessible::State AccessiblePanel::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  markContainerCovered(*widget(), state);
  return state;
}

}  // namespace platform
