#pragma once
// A flat panel as the accessibility bridge sees it: a panel (grouping) named by its
// accessible name, which a screen reader says as the context of the control that gets the
// focus inside it; without a name, a plain filler as before. Not showing while hidden or
// covered.
#include <QAccessibleWidget>

namespace platform {

class FlatPanel;

class AccessiblePanel : public QAccessibleWidget {
 public:
  explicit AccessiblePanel(FlatPanel* panel);
  QAccessible::Role role() const override;
  QAccessible::State state() const override;
};

}  // namespace platform
