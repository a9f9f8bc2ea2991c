#pragma once
// A hotspot as the accessibility bridge sees it: a push button with the name the game gave
// it and a press action that does what a click does.
#include <QAccessibleWidget>

namespace platform {

class Hotspot;

class AccessibleHotspot : public QAccessibleWidget {
 public:
  explicit AccessibleHotspot(Hotspot* hotspot);
  QAccessible::State state() const override;
  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;
};

}  // namespace platform
