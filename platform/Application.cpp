#include "platform/Application.h"

#include "platform/Accessibility.h"
#include "platform/Fonts.h"

namespace platform {

Application::Application(int& argc, char** argv, const QString& name, const QString& displayName)
    : QApplication(argc, argv) {
  setApplicationName(name);
  setApplicationDisplayName(displayName);
  installFontSubstitutions();
  installAccessibility();
}

}  // namespace platform
