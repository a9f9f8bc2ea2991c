#include "platform/Accessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

#include "platform/AccessibleHotspot.h"
#include "platform/AccessibleLabel.h"
#include "platform/AccessiblePanel.h"
#include "platform/Announcer.h"
#include "platform/FlatPanel.h"
#include "platform/Hotspot.h"
#include "platform/TextLabel.h"

namespace platform {

namespace {

// The game's controls have no meta-object of their own, so the toolkit asks with the class
// names of their bases ("QWidget", "QLabel"); the object itself tells which control it is.
QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
  if (auto* hotspot = dynamic_cast<Hotspot*>(object)) return new AccessibleHotspot(hotspot);
  if (auto* label = dynamic_cast<TextLabel*>(object)) return new AccessibleLabel(label);
  if (auto* panel = dynamic_cast<FlatPanel*>(object)) return new AccessiblePanel(panel);
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

void markContainerCovered(const QWidget& container, QAccessible::State& state) {
  if (state.invisible) return;
  if (!container.isVisible()) {
    state.invisible = true;
    return;
  }
  // visibleRegion() would leave out the container's own opaque children as well.
  QRegion seen(container.rect());
  for (const QWidget* at = &container; !at->isWindow() && at->parentWidget(); at = at->parentWidget()) {
    const QWidget* parent = at->parentWidget();
    seen &= QRect(container.mapFrom(parent, QPoint(0, 0)), parent->size());
    // A parent's children are kept in stacking order: those after `at` lie over it.
    const QObjectList& siblings = parent->children();
    for (qsizetype i = siblings.indexOf(at) + 1; i < siblings.size(); ++i) {
      if (!siblings[i]->isWidgetType()) continue;
      const auto* sibling = static_cast<const QWidget*>(siblings[i]);
      if (sibling->isWindow() || !sibling->isVisible()) continue;
      if (!sibling->autoFillBackground() && !sibling->testAttribute(Qt::WA_OpaquePaintEvent)) continue;
      seen -= QRect(container.mapFrom(parent, sibling->pos()), sibling->size());
    }
  }
  if (seen.isEmpty()) state.offscreen = true;
}

}  // namespace platform
