#include "platform/HandlerGuard.h"

#include "platform/Dialogs.h"

namespace platform {

void reportHandlerError(QWidget* parent, const QString& text) {
  try {
    dialogs().error(parent, text);
  } catch (...) {
    // Showing the box failed too; nothing more can be said without risking the loop.
  }
}

}  // namespace platform
