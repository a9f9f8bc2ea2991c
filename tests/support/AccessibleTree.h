#pragma once
// What a screen reader finds in a window, read in-process through the toolkit's accessibility
// interfaces (the same ones the AT-SPI bridge serves), so that tests need no bus.
#include <QAccessible>
#include <QStringList>

class QObject;
class QWidget;

namespace testing_support {

// Every node under `root` (itself included) that is showing, enabled and takes input
// (focusable, or with an action) but has no role (none or filler) or an empty name, as
// "role 'name' (class)" lines. Empty when a screen reader can tell about every control.
QStringList inputsWithoutRoleOrName(QWidget* root);

// Every visible, enabled tab stop under `root` that a screen reader does not find showing
// with a name, as "ClassName 'name'" lines: a control that lost its name, or one wrongly
// reported as hidden (which inputsWithoutRoleOrName, walking showing nodes only, would pass).
QStringList tabStopsNotFoundNamed(QWidget* root);

// The showing node under `root` with this role and name, or nullptr.
QAccessibleInterface* findShowing(QWidget* root, QAccessible::Role role, const QString& name);

// Presses `object` through its accessible press action, as a screen reader would. False when
// it has no such action.
bool pressAccessibly(QObject* object);

}  // namespace testing_support
