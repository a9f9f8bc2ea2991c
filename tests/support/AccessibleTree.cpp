#include "tests/support/AccessibleTree.h"

#include <QWidget>
#include <functional>

namespace testing_support {

namespace {

bool showing(QAccessibleInterface* node) {
  const QAccessible::State state = node->state();
  return !state.invisible && !state.offscreen;
}

void forEachShowing(QAccessibleInterface* node, const std::function<void(QAccessibleInterface*)>& visit) {
  if (!node || !showing(node)) return;  // nothing under a node that is not shown is shown
  visit(node);
  for (int i = 0; i < node->childCount(); ++i) forEachShowing(node->child(i), visit);
}

bool takesInput(QAccessibleInterface* node) {
  if (node->state().focusable) return true;
  QAccessibleActionInterface* actions = node->actionInterface();
  return actions && !actions->actionNames().isEmpty();
}

}  // namespace

QStringList inputsWithoutRoleOrName(QWidget* root) {
  QStringList found;
  forEachShowing(QAccessible::queryAccessibleInterface(root), [&](QAccessibleInterface* node) {
    const QAccessible::Role role = node->role();
    const bool noRole = role == QAccessible::NoRole || role == QAccessible::Client;
    const QString name = node->text(QAccessible::Name);
    if (node->state().disabled || !takesInput(node) || (!noRole && !name.trimmed().isEmpty())) return;
    found << QStringLiteral("%1 '%2' (%3)")
                 .arg(QString::fromLatin1(qAccessibleRoleString(role)), name,
                      QString::fromLatin1(node->object() ? node->object()->metaObject()->className() : "?"));
  });
  return found;
}

QStringList tabStopsNotFoundNamed(QWidget* root) {
  QStringList found;
  for (QWidget* control : root->findChildren<QWidget*>()) {
    if (!(control->focusPolicy() & Qt::TabFocus) || !control->isVisible() || !control->isEnabled()) continue;
    // A spin field's edit line passes the focus on to the field, which is checked itself.
    if (control->focusProxy()) continue;
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(control);
    const QString name = node ? node->text(QAccessible::Name) : QString();
    bool shown = node != nullptr;  // the node and every node above it
    for (QAccessibleInterface* at = node; shown && at && at->object() != root; at = at->parent())
      shown = showing(at);
    if (shown && !name.trimmed().isEmpty()) continue;
    found << QStringLiteral("%1 '%2'").arg(QString::fromLatin1(control->metaObject()->className()), name);
  }
  return found;
}

QAccessibleInterface* findShowing(QWidget* root, QAccessible::Role role, const QString& name) {
  QAccessibleInterface* match = nullptr;
  forEachShowing(QAccessible::queryAccessibleInterface(root), [&](QAccessibleInterface* node) {
    if (!match && node->role() == role && node->text(QAccessible::Name) == name) match = node;
  });
  return match;
}

bool pressAccessibly(QObject* object) {
  QAccessibleInterface* node = QAccessible::queryAccessibleInterface(object);
  QAccessibleActionInterface* actions = node ? node->actionInterface() : nullptr;
  if (!actions || !actions->actionNames().contains(QAccessibleActionInterface::pressAction()))
    return false;
  actions->doAction(QAccessibleActionInterface::pressAction());
  return true;
}

}  // namespace testing_support
