#include "platform/Announcer.h"

#include "platform/Accessibility.h"

namespace platform {

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
  installAccessibility();
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  resize(0, 0);
  hide();
}

void Announcer::say(const QString& text) {
  // Hidden first, so that showing it again is a change the bridge reports, even for the
  // same line twice.
  hide();
  setAccessibleName(text);
  show();
}

}  // namespace platform
