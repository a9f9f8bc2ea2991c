#include "platform/Accessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

#include "platform/AccessibleHotspot.h"
#include "platform/AccessibleLabel.h"
#include "platform/Announcer.h"
#include "platform/Hotspot.h"
#include "platform/TextLabel.h"

namespace platform {

namespace {

// The game's controls have no meta-object of their own, so the toolkit asks with the class
// names of their bases ("QWidget", "QLabel"); the object itself tells which control it is.
QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
  if (auto* hotspot = dynamic_cast<Hotspot*>(object)) return new AccessibleHotspot(hotspot);
  if (auto* label = dynamic_cast<TextLabel*>(object)) return new AccessibleLabel(label);
  if (auto* announcer = dynamic_cast<Announcer*>(object))
    return new QAccessibleWidget(announcer, QAccessible::Notification);
  if (className == QLatin1String("QWidget") && object->isWidgetType() &&
      static_cast<QWidget*>(object)->isWindow())
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
  return nullptr;
}

}  // namespace

void installAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(&accessibleFor);
}

void markCovered(const QWidget& widget, QAccessible::State& state) {
  if (state.invisible) return;
  if (!widget.isVisible()) {
    state.invisible = true;
    return;
  }
  // visibleRegion() leaves out what opaque siblings (and the parent's, up to the window)
  // lie over.
  if (widget.visibleRegion().isEmpty()) state.offscreen = true;
}

}  // namespace platform
