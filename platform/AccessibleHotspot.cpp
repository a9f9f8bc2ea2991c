#include "platform/AccessibleHotspot.h"

#include "platform/Accessibility.h"
#include "platform/Hotspot.h"

namespace platform {

AccessibleHotspot::AccessibleHotspot(Hotspot* hotspot)
    : QAccessibleWidget(hotspot, QAccessible::Button) {}

QAccessible::State AccessibleHotspot::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  markCovered(*widget(), state);
  return state;
}

QStringList AccessibleHotspot::actionNames() const {
  return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void AccessibleHotspot::doAction(const QString& actionName) {
  if (actionName == pressAction() && widget()->isEnabled())
    static_cast<Hotspot*>(widget())->press();
  else
    QAccessibleWidget::doAction(actionName);
}

}  // namespace platform
